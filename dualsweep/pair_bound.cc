#include "pair_bound.h"

#include <cstdlib>

#include "linear_model.h"
#include "text_format.h"

using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;

using studyfiles::EdgeRecord;

namespace dualsweep {

Error PairBound::bound(int i, int j, double& out) const {
  const std::vector<EdgeRecord>& edges = study_.net.edges;
  const int n_node = study_.net.n_node;
  LinearModel m;
  // Per node and commodity, flow out minus flow in equals what the
  // commodity sends there (r at its source, -r at its sink).
  const int spans[2] = {i, j};
  std::vector<int> balance_row(2 * static_cast<std::size_t>(n_node));
  for (int& row : balance_row) row = m.add_row(0.0, 0.0);
  auto balance = [&](int c, int node) { return balance_row[static_cast<std::size_t>(c * n_node + node - 1)]; };
  for (int c = 0; c < 2; ++c) {
    const EdgeRecord& cut = study_.span(spans[c]);
    const int r = m.add_column(-1.0, 0.0, static_cast<double>(cut.capacity), false);
    m.add_entry(balance(c, cut.from), r, -1.0);
    m.add_entry(balance(c, cut.to), r, 1.0);
  }
  for (std::size_t a = 0; a < edges.size(); ++a) {
    const int span = static_cast<int>(a / 2) + 1;
    if (span == i || span == j) continue;
    const EdgeRecord& rec = edges[a];
    if (a % 2 == 0) {
      // What both flows put on the span, both ways, stays within its spare.
      const EdgeRecord& twin = edges[a + 1];
      const int shared = m.add_row(-LinearModel::kInfinity, static_cast<double>(rec.spare));
      for (int c = 0; c < 2; ++c) {
        for (const EdgeRecord* r : {&rec, &twin}) {
          const int f = m.add_column(0.0, 0.0, static_cast<double>(r->spare), false);
          m.add_entry(shared, f, 1.0);
          m.add_entry(balance(c, r->from), f, 1.0);
          m.add_entry(balance(c, r->to), f, -1.0);
        }
      }
    }
  }
  MipOptions options;
  options.relaxation_only = true;
  options.seconds = 1e6;
  const MipResult result = solve_(m, options);
  if (!result.optimal) return Error::of(text_printf("the bound of spans %d and %d: %s", i, j, result.error.text().c_str()));
  // Rounded as the row shows it, so that a table read back gives the same
  // figures.
  out = std::strtod(text_printf("%.2f", -result.objective + 0.0).c_str(), nullptr);
  return {};
}

}  // namespace dualsweep
