// The planning problem over cut inequalities, grown by row generation: the
// model for large networks, whose columns are the spare alone.
//
// A cut f is restored in full exactly when a flow of w_f joins its two ends
// over the other spans' spare, and by the max-flow min-cut theorem that is
// when every set of spans that separates its ends (f aside) holds at least
// w_f channels of kept plus added spare. Each such set is a row: the added
// spare on its spans at least w_f less their kept spare. The rows start
// with the spans around each cut's two ends; after each solve (Clp's dual
// simplex, from the last basis) each cut's maximum flow over the solution
// (LEMON's Preflow, on every core) finds the minimum cut that falls short,
// which joins as a row. When no cut falls short the solution restores every
// cut: the optimum is the one over every restoration route, the arc-flow
// model's and the route model's (arc_flow.h, route_model.h).
//
// Every row holds for every plan, so the optimum over the rows found so far
// is a lower bound at every round, rising as rows join: the bound is true
// whenever the growth stops. The same rows with whole spare (model()) bound
// the whole plans too, so that CBC's search over them may raise the bound;
// its solutions, though, may break rows not found, and are plans only once
// repaired (restoration.h).
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

class CutModel {
 public:
  // `cuts`: the spans whose cuts the plan restores (0-based), none a bridge.
  // `threads`: the maximum flows of a round run on this many threads (the
  // rows found do not depend on it).
  CutModel(const SpanNetwork& net, const std::vector<int>& cuts, int threads);
  ~CutModel();
  CutModel(const CutModel&) = delete;
  CutModel& operator=(const CutModel&) = delete;

  // Solves and separates until no cut falls short, or `stop` (asked before
  // each solve) says so. False when the solver failed.
  bool grow(const std::function<bool()>& stop);

  // No cut fell short of the last solution: bound() is the optimum over
  // every restoration route.
  bool solved() const { return solved_; }
  // The optimum over the rows found (at the last solve): no plan costs less.
  double bound() const { return bound_; }
  // Per span: the spare added in the last solution.
  const std::vector<double>& spare() const { return spare_; }
  int rows() const;
  int rounds() const { return rounds_; }

  // The model over the rows found, the spare columns integer (for CBC).
  lpsolve::LinearModel model() const;

  // Adds the rows that `spare` (added spare per span, a search's solution)
  // breaks, found as the growth finds them; true when any joined.
  bool add_broken_rows(const std::vector<double>& spare);

 private:
  // Adds the row of cut i over `spans` unless it is in the model; true when added.
  bool add_row(std::size_t i, std::vector<int> spans);
  // The rows of the cuts that the spare falls short on, found on every thread.
  std::vector<std::vector<int>> separate(const std::vector<double>& spare) const;

  const SpanNetwork& net_;
  std::vector<int> cuts_;
  int threads_ = 1;
  double ceiling_ = 0;
  std::unique_ptr<lpsolve::ColumnLp> lp_;
  // Per row: its spans, and its low (w_f less their kept spare).
  std::vector<std::vector<int>> row_spans_;
  std::vector<double> row_low_;
  std::set<std::pair<double, std::vector<int>>> known_;
  bool solved_ = false;
  double bound_ = 0;
  std::vector<double> spare_;
  int rounds_ = 0;
};

}  // namespace capplan
