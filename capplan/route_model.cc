#include "route_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <set>
#include <utility>

#include "arc_flow.h"
#include "column_lp.h"

namespace capplan {

using lpsolve::ColumnLp;
using lpsolve::LinearModel;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// A route prices in when its prices fall short of its cut's by more than
// this share of the cut's price (at least of 1): less is the solver's
// arithmetic.
constexpr double kPriceTolerance = 1e-9;
// The routes each cut starts with (fewer where fewer are found).
constexpr int kFirstRoutes = 4;

// The least-price route between two nodes under per-span prices (none
// below 0), span `banned` not crossed: Dijkstra, ties broken by fewer spans
// (among routes of price 0, the shortest). Its spans in order from `from`,
// and its price; empty when no route joins them.
struct PricedRoute {
  std::vector<int> spans;
  double price = kInf;
};

PricedRoute least_price_route(const std::vector<std::vector<std::pair<int, int>>>& next, const SpanNetwork& net,
                              int from, int to, int banned, const std::vector<double>& price) {
  using Label = std::pair<double, int>;  // (price, spans)
  const std::size_t n = next.size();
  std::vector<Label> best(n, {kInf, 0});
  std::vector<int> reached_by(n, -1);
  std::vector<char> done(n, 0);
  std::priority_queue<std::pair<Label, int>, std::vector<std::pair<Label, int>>, std::greater<>> heap;
  best[static_cast<std::size_t>(from)] = {0.0, 0};
  heap.push({best[static_cast<std::size_t>(from)], from});
  while (!heap.empty()) {
    const auto [label, v] = heap.top();
    heap.pop();
    if (done[static_cast<std::size_t>(v)]) continue;
    done[static_cast<std::size_t>(v)] = 1;
    if (v == to) break;
    for (const auto& [w, k] : next[static_cast<std::size_t>(v)]) {
      if (k == banned || done[static_cast<std::size_t>(w)]) continue;
      const Label reach{label.first + price[static_cast<std::size_t>(k)], label.second + 1};
      if (reach < best[static_cast<std::size_t>(w)]) {
        best[static_cast<std::size_t>(w)] = reach;
        reached_by[static_cast<std::size_t>(w)] = k;
        heap.push({reach, w});
      }
    }
  }
  PricedRoute route;
  if (!done[static_cast<std::size_t>(to)]) return route;
  route.price = best[static_cast<std::size_t>(to)].first;
  for (int v = to; v != from;) {
    const int k = reached_by[static_cast<std::size_t>(v)];
    route.spans.push_back(k);
    v = net.spans[static_cast<std::size_t>(k)].from == v ? net.spans[static_cast<std::size_t>(k)].to
                                                          : net.spans[static_cast<std::size_t>(k)].from;
  }
  std::reverse(route.spans.begin(), route.spans.end());
  return route;
}

}  // namespace

RouteModel::RouteModel(const SpanNetwork& net, const std::vector<int>& cuts)
    : net_(net),
      cuts_(cuts),
      ceiling_(static_cast<double>(spare_ceiling(net))),
      rows_of_cut_(cuts.size()),
      row_of_(net.spans.size(), -1),
      next_(static_cast<std::size_t>(net.n_node) + 1),
      spare_(net.spans.size(), 0.0) {
  for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
    const PlanSpan& s = net.spans[static_cast<std::size_t>(k)];
    next_[static_cast<std::size_t>(s.from)].push_back({s.to, k});
    next_[static_cast<std::size_t>(s.to)].push_back({s.from, k});
  }
  // A demand row per cut, then the spare columns.
  for (int f : cuts_) {
    row_low_.push_back(static_cast<double>(net.spans[static_cast<std::size_t>(f)].working));
    row_high_.push_back(LinearModel::kInfinity);
    row_span_.push_back(-1);
  }
  lp_ = std::make_unique<ColumnLp>(row_low_, row_high_);
  for (const PlanSpan& s : net.spans) lp_->add_column(static_cast<double>(s.cost), 0, ceiling_, {}, {});
  // Each cut's first routes: its cheapest at the spans' costs, then the
  // cheapest with each span a route found takes dearer, so that the routes
  // spread.
  std::vector<double> cost;
  for (const PlanSpan& s : net.spans) cost.push_back(static_cast<double>(s.cost));
  for (std::size_t i = 0; i < cuts_.size(); ++i) {
    const PlanSpan& cut = net.spans[static_cast<std::size_t>(cuts_[i])];
    std::vector<double> dearer = cost;
    for (int j = 0; j < kFirstRoutes; ++j) {
      const PricedRoute route = least_price_route(next_, net, cut.from, cut.to, cuts_[i], dearer);
      if (route.spans.empty()) break;  // no other route: the model is infeasible, and says so when solved
      for (int k : route.spans) dearer[static_cast<std::size_t>(k)] += 2 * cost[static_cast<std::size_t>(k)];
      for (const auto& [k, row] : rows_of_cut_[i]) row_of_[static_cast<std::size_t>(k)] = row;
      add_new_route(i, route.spans);
      for (const auto& [k, row] : rows_of_cut_[i]) row_of_[static_cast<std::size_t>(k)] = -1;
    }
  }
}

RouteModel::~RouteModel() = default;

int RouteModel::capacity_row(std::size_t i, int k) {
  int& row = row_of_[static_cast<std::size_t>(k)];
  if (row >= 0) return row;
  const double kept = static_cast<double>(net_.spans[static_cast<std::size_t>(k)].spare);
  row = lp_->add_row(-LinearModel::kInfinity, kept, {k}, {-1.0});
  row_low_.push_back(-LinearModel::kInfinity);
  row_high_.push_back(kept);
  row_span_.push_back(k);
  rows_of_cut_[i].push_back({k, row});
  return row;
}

// The capacity rows of cut i must be in row_of_.
bool RouteModel::add_new_route(std::size_t i, const std::vector<int>& spans) {
  std::vector<int> key{static_cast<int>(i)};
  key.insert(key.end(), spans.begin(), spans.end());
  if (!known_.insert(std::move(key)).second) return false;
  std::vector<int> rows{static_cast<int>(i)};
  for (int k : spans) rows.push_back(capacity_row(i, k));
  route_cut_.push_back(static_cast<int>(i));
  route_rows_.push_back(rows);
  lp_->add_column(0, 0, LinearModel::kInfinity, rows, std::vector<double>(rows.size(), 1.0));
  return true;
}

double RouteModel::price(const std::vector<double>& duals, bool& added) {
  added = false;
  const std::size_t n_span = net_.spans.size();
  // The Lagrangian bound: each demand row's price at its working, each
  // capacity row's at its kept spare (taken away), each spare column at its
  // ceiling where the prices on it pass its cost, and each cut's working at
  // how far its least-price route falls short of its demand row's price.
  double bound = 0;
  std::vector<double> on_span(n_span, 0.0);  // per span: the sum of its capacity rows' prices
  std::vector<double> price(n_span, 0.0);
  for (std::size_t i = 0; i < cuts_.size(); ++i) {
    const double working = static_cast<double>(net_.spans[static_cast<std::size_t>(cuts_[i])].working);
    const double demand = std::max(0.0, duals[i]);
    bound += demand * working;
    for (const auto& [k, row] : rows_of_cut_[i]) {
      const double p = std::max(0.0, -duals[static_cast<std::size_t>(row)]);
      price[static_cast<std::size_t>(k)] = p;
      on_span[static_cast<std::size_t>(k)] += p;
      bound -= p * static_cast<double>(net_.spans[static_cast<std::size_t>(k)].spare);
      row_of_[static_cast<std::size_t>(k)] = row;
    }
    const PlanSpan& cut = net_.spans[static_cast<std::size_t>(cuts_[i])];
    const PricedRoute route = least_price_route(next_, net_, cut.from, cut.to, cuts_[i], price);
    if (route.spans.empty()) {
      bound = -kInf;  // no route: no plan restores this cut
    } else {
      bound += working * std::min(0.0, route.price - demand);
      if (route.price < demand - kPriceTolerance * std::max(1.0, demand)) {
        // A route already in the model that prices in again is the
        // solver's arithmetic: it joins once.
        if (add_new_route(i, route.spans)) added = true;
        // And the least-price route over none of its spans, when it prices
        // in too: fewer rounds to the optimum.
        std::vector<double> kept;
        for (int k : route.spans) {
          kept.push_back(price[static_cast<std::size_t>(k)]);
          price[static_cast<std::size_t>(k)] = kInf;
        }
        const PricedRoute other = least_price_route(next_, net_, cut.from, cut.to, cuts_[i], price);
        if (!other.spans.empty() && other.price < demand - kPriceTolerance * std::max(1.0, demand) &&
            add_new_route(i, other.spans))
          added = true;
        for (std::size_t j = 0; j < route.spans.size(); ++j) price[static_cast<std::size_t>(route.spans[j])] = kept[j];
      }
    }
    for (const auto& [k, row] : rows_of_cut_[i]) {
      price[static_cast<std::size_t>(k)] = 0;
      row_of_[static_cast<std::size_t>(k)] = -1;
    }
  }
  for (std::size_t k = 0; k < n_span; ++k)
    bound += ceiling_ * std::min(0.0, static_cast<double>(net_.spans[k].cost) - on_span[k]);
  return bound;
}

bool RouteModel::grow(const std::function<bool()>& stop) {
  while (!solved_) {
    if (stop && stop()) return true;
    if (!lp_->solve()) return false;
    ++rounds_;
    value_ = lp_->objective();
    const std::vector<double> values = lp_->values();
    std::copy(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(net_.spans.size()), spare_.begin());
    bool added = false;
    bound_ = std::max(bound_, price(lp_->row_duals(), added));
    // Prices whose bound meets the value prove the optimum, whatever routes
    // price in by the solver's arithmetic.
    solved_ = !added || bound_ >= value_ - 1e-9 * std::max(1.0, std::abs(value_));
  }
  return true;
}

LinearModel RouteModel::model() const {
  LinearModel m;
  for (const PlanSpan& s : net_.spans) m.add_column(static_cast<double>(s.cost), 0, ceiling_, true);
  for (std::size_t r = 0; r < row_low_.size(); ++r) {
    m.add_row(row_low_[r], row_high_[r]);
    if (row_span_[r] >= 0) m.add_entry(static_cast<int>(r), row_span_[r], -1);
  }
  for (const std::vector<int>& rows : route_rows_) {
    const int c = m.add_column(0, 0, LinearModel::kInfinity, false);
    for (int r : rows) m.add_entry(r, c, 1);
  }
  return m;
}

}  // namespace capplan
