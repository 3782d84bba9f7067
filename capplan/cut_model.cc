#include "cut_model.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>

#include "arc_flow.h"
#include "column_lp.h"
#include "restoration.h"

namespace capplan {

using lpsolve::ColumnLp;
using lpsolve::LinearModel;

namespace {

// A cut falls short when its flow is below its working by more than this
// share of it (at least of 1): less is the solver's arithmetic.
constexpr double kShortTolerance = 1e-7;

}  // namespace

CutModel::CutModel(const SpanNetwork& net, const std::vector<int>& cuts, int threads)
    : net_(net),
      cuts_(cuts),
      threads_(std::max(1, threads)),
      ceiling_(static_cast<double>(spare_ceiling(net))),
      lp_(std::make_unique<ColumnLp>(std::vector<double>{}, std::vector<double>{})),
      spare_(net.spans.size(), 0.0) {
  for (const PlanSpan& s : net.spans) lp_->add_column(static_cast<double>(s.cost), 0, ceiling_, {}, {});
  // Each cut's first rows: the spans around either end.
  for (std::size_t i = 0; i < cuts_.size(); ++i) {
    const int f = cuts_[i];
    for (const int end : {net.spans[static_cast<std::size_t>(f)].from, net.spans[static_cast<std::size_t>(f)].to}) {
      std::vector<int> around;
      for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
        const PlanSpan& s = net.spans[static_cast<std::size_t>(k)];
        if (k != f && (s.from == end) != (s.to == end)) around.push_back(k);
      }
      add_row(i, std::move(around));
    }
  }
}

CutModel::~CutModel() = default;

int CutModel::rows() const { return static_cast<int>(row_spans_.size()); }

bool CutModel::add_row(std::size_t i, std::vector<int> spans) {
  double low = static_cast<double>(net_.spans[static_cast<std::size_t>(cuts_[i])].working);
  for (int k : spans) low -= static_cast<double>(net_.spans[static_cast<std::size_t>(k)].spare);
  if (low <= 0) return false;  // the kept spare restores every flow across it
  std::sort(spans.begin(), spans.end());
  if (!known_.insert({low, spans}).second) return false;
  lp_->add_row(low, LinearModel::kInfinity, spans, std::vector<double>(spans.size(), 1.0));
  row_low_.push_back(low);
  row_spans_.push_back(std::move(spans));
  return true;
}

std::vector<std::vector<int>> CutModel::separate(const std::vector<double>& spare) const {
  std::vector<double> capacity(net_.spans.size());
  for (std::size_t k = 0; k < capacity.size(); ++k) capacity[k] = static_cast<double>(net_.spans[k].spare) + spare[k];
  std::vector<std::vector<int>> found(cuts_.size());
  const auto work = [&](std::size_t first) {
    RestorationCheck check(net_);
    std::vector<int> spans;
    for (std::size_t i = first; i < cuts_.size(); i += static_cast<std::size_t>(threads_)) {
      const double working = static_cast<double>(net_.spans[static_cast<std::size_t>(cuts_[i])].working);
      if (check.min_cut(capacity, cuts_[i], spans) < working - kShortTolerance * std::max(1.0, working))
        found[i] = spans;
    }
  };
  std::vector<std::thread> others;
  for (int t = 1; t < threads_; ++t) others.emplace_back(work, static_cast<std::size_t>(t));
  work(0);
  for (std::thread& t : others) t.join();
  return found;
}

bool CutModel::grow(const std::function<bool()>& stop) {
  while (!solved_) {
    if (stop && stop()) return true;
    if (!lp_->solve(0, ColumnLp::Simplex::dual)) return false;
    ++rounds_;
    bound_ = std::max(bound_, lp_->objective());
    const std::vector<double> values = lp_->values();
    std::copy(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(net_.spans.size()), spare_.begin());
    // A cut that falls short on a row already in the model is the solver's
    // arithmetic: nothing new joins, and the optimum stands.
    solved_ = !add_broken_rows(spare_);
  }
  return true;
}

bool CutModel::add_broken_rows(const std::vector<double>& spare) {
  bool added = false;
  std::vector<std::vector<int>> found = separate(spare);
  for (std::size_t i = 0; i < found.size(); ++i)
    if (!found[i].empty() && add_row(i, std::move(found[i]))) added = true;
  return added;
}

LinearModel CutModel::model() const {
  LinearModel m;
  for (const PlanSpan& s : net_.spans) m.add_column(static_cast<double>(s.cost), 0, ceiling_, true);
  for (std::size_t r = 0; r < row_spans_.size(); ++r) {
    m.add_row(row_low_[r], LinearModel::kInfinity);
    for (int k : row_spans_[r]) m.add_entry(static_cast<int>(r), k, 1);
  }
  return m;
}

}  // namespace capplan
