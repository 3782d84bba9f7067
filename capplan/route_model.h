// The planning problem over restoration routes, grown by column generation:
// the model for networks too large for the arc-flow model (arc_flow.h),
// whose flow columns grow with the square of the spans.
//
// Column k (k < number of spans) is the spare added to span k, as in the
// arc-flow model. Each cut f has a row of at least w_f over its routes (the
// simple routes between its two ends that avoid f), and a row per other span
// k that some route of f crosses: the routes of f over k at most k's kept
// spare plus column k. A row that no route crosses would hold nothing, so
// the rows grow with the routes. The routes start with a few cheap ones per
// cut; after each solve (Clp, from the last basis) each cut prices its
// least-price route, a span's price the price of its row, and a route whose
// prices sum to less than the price of the cut's demand row joins (with the
// least-price route over none of its spans, when that prices in too). When none joins, the
// optimum over the routes found is the optimum over every route: the
// arc-flow model's, which every flow decomposes into simple routes.
//
// Whenever the growth stops, any prices give a lower bound (the Lagrangian
// bound: the rows priced into the objective, each cut's flow at most its
// working, each spare column within its bounds), so that the best met is a
// true bound even before the optimum.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "linear_model.h"
#include "span_network.h"

namespace lpsolve {
class ColumnLp;
}

namespace capplan {

class RouteModel {
 public:
  // `cuts`: the spans whose cuts the plan restores (0-based), none a bridge.
  RouteModel(const SpanNetwork& net, const std::vector<int>& cuts);
  ~RouteModel();
  RouteModel(const RouteModel&) = delete;
  RouteModel& operator=(const RouteModel&) = delete;

  // Solves and prices until no route joins, or `stop` (asked before each
  // solve) says so. False when the solver failed.
  bool grow(const std::function<bool()>& stop);

  // No route priced in at the last solve: value() is the optimum over every route.
  bool solved() const { return solved_; }
  // The optimum over the routes found (at the last solve).
  double value() const { return value_; }
  // No plan over any routes costs less than this: the optimum when solved,
  // else the best Lagrangian bound met (0 before the first solve).
  double bound() const { return solved_ ? value_ : bound_; }
  // Per span: the spare added in the last solution.
  const std::vector<double>& spare() const { return spare_; }
  int routes() const { return static_cast<int>(route_cut_.size()); }
  int rounds() const { return rounds_; }

  // The model over the routes found, the spare columns integer and first
  // (for CBC): its optimum bounds nothing over routes not found.
  lpsolve::LinearModel model() const;

 private:
  int capacity_row(std::size_t i, int k);
  // Adds the route of cut i over `spans` unless it is in the model; true when added.
  bool add_new_route(std::size_t i, const std::vector<int>& spans);
  // Prices every cut's least-price route: adds those that price in; the
  // Lagrangian bound of the prices.
  double price(const std::vector<double>& duals, bool& added);

  const SpanNetwork& net_;
  std::vector<int> cuts_;
  double ceiling_ = 0;
  std::unique_ptr<lpsolve::ColumnLp> lp_;
  // Per cut: (span, row) of its capacity rows, in the order made.
  std::vector<std::vector<std::pair<int, int>>> rows_of_cut_;
  std::vector<int> row_of_;  // per cut: its capacity row per span, -1 for none (only while pricing it)
  // Per route column (after the spare columns): its cut, and its rows (the
  // cut's demand row, then a capacity row per span it crosses).
  std::vector<int> route_cut_;
  std::vector<std::vector<int>> route_rows_;
  std::set<std::vector<int>> known_;  // per route: its cut's index, then its spans
  // Per row as made: its low and high, and the span whose spare column it
  // holds (-1 for a demand row), for model().
  std::vector<double> row_low_, row_high_;
  std::vector<int> row_span_;
  // The network by node: (neighbour, span) pairs, for the pricing.
  std::vector<std::vector<std::pair<int, int>>> next_;
  bool solved_ = false;
  double value_ = 0, bound_ = 0;
  std::vector<double> spare_;
  int rounds_ = 0;
};

}  // namespace capplan
