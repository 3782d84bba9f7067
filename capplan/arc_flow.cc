#include "arc_flow.h"

#include <algorithm>

using lpsolve::LinearModel;

namespace capplan {

long long spare_ceiling(const SpanNetwork& net) {
  long long most = 0;
  for (const PlanSpan& s : net.spans) most = std::max(most, s.working);
  return most;
}

int add_cut_flow(LinearModel& m, const SpanNetwork& net, int f, double w) {
  const PlanSpan& cut = net.spans[f];
  const int first_node_row = m.rows();
  for (int v = 1; v <= net.n_node; ++v) {
    const double supply = v == cut.from ? w : v == cut.to ? -w : 0.0;
    m.add_row(supply, supply);  // flow out minus flow in
  }
  for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
    if (k == f) continue;
    const PlanSpan& s = net.spans[k];
    const int forward = m.add_column(0, 0, LinearModel::kInfinity, false);
    const int backward = m.add_column(0, 0, LinearModel::kInfinity, false);
    m.add_entry(first_node_row + s.from - 1, forward, 1);
    m.add_entry(first_node_row + s.to - 1, forward, -1);
    m.add_entry(first_node_row + s.to - 1, backward, 1);
    m.add_entry(first_node_row + s.from - 1, backward, -1);
    const int capacity = m.add_row(-LinearModel::kInfinity, static_cast<double>(s.spare));
    m.add_entry(capacity, forward, 1);
    m.add_entry(capacity, backward, 1);
    m.add_entry(capacity, k, -1);
  }
  return first_node_row;
}

LinearModel arc_flow_model(const SpanNetwork& net, const std::vector<int>& cuts) {
  LinearModel m;
  const double ceiling = static_cast<double>(spare_ceiling(net));
  for (const PlanSpan& s : net.spans) m.add_column(static_cast<double>(s.cost), 0, ceiling, true);
  for (int f : cuts) add_cut_flow(m, net, f, static_cast<double>(net.spans[f].working));
  return m;
}

}  // namespace capplan
