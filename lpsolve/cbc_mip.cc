// The MIP and LP solver of capplan and dualsweep: COIN-OR CBC, driven the
// way its own command line drives it (preprocessing, cuts, heuristics), with
// an event handler that reports the search's progress.
#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "clp_relaxation.h"
#include "linear_model.h"
#include "text_format.h"

namespace {

double cbc_value(double v) { return std::isinf(v) ? (v > 0 ? DBL_MAX : -DBL_MAX) : v; }

// Ticks at every node and solution, and tells `improved` of each better
// solution and each rise of the bound. CBC copies the handler into the model
// it searches with, so the copy points to the caller's options and keeps
// its own record of what was told.
class SearchEvents : public CbcEventHandler {
 public:
  explicit SearchEvents(const MipOptions* options) : options_(options) {}
  CbcEventHandler* clone() const override { return new SearchEvents(*this); }

  CbcAction event(CbcEvent what) override {
    if (what != node && what != treeStatus && what != solution && what != heuristicSolution) return noAction;
    if (options_->tick) options_->tick();
    const CbcModel* m = getModel();
    if (m == nullptr || !options_->improved) return noAction;
    const double none = std::numeric_limits<double>::infinity();
    const double best = m->bestSolution() != nullptr && m->getMinimizationObjValue() < 1e49
                            ? m->getMinimizationObjValue()
                            : none;
    const double bound = m->getBestPossibleObjValue();
    if (best < best_ - 1e-9 || bound > bound_ + 1e-9) {
      best_ = std::min(best_, best);
      bound_ = std::max(bound_, bound);
      options_->improved(best_, bound_);
    }
    return noAction;
  }

 private:
  const MipOptions* options_;
  double best_ = std::numeric_limits<double>::infinity();
  double bound_ = -std::numeric_limits<double>::infinity();
};

}  // namespace

MipResult solve_with_cbc(const LinearModel& model, const MipOptions& options) {
  MipResult result;
  const int n_col = model.columns();
  // CBC takes the matrix column by column.
  PackedModel packed;
  std::vector<CoinBigIndex>& start = packed.start;
  start.assign(static_cast<std::size_t>(n_col) + 1, 0);
  for (int c : model.entry_column) ++start[static_cast<std::size_t>(c) + 1];
  for (int c = 0; c < n_col; ++c) start[c + 1] += start[c];
  packed.index.resize(model.entry_row.size());
  packed.value.resize(model.entry_row.size());
  std::vector<CoinBigIndex> next(start.begin(), start.end() - 1);
  for (std::size_t e = 0; e < model.entry_row.size(); ++e) {
    const CoinBigIndex at = next[model.entry_column[e]]++;
    packed.index[at] = model.entry_row[e];
    packed.value[at] = model.entry_value[e];
  }
  for (int c = 0; c < n_col; ++c) {
    packed.col_low.push_back(cbc_value(model.column_low[c]));
    packed.col_high.push_back(cbc_value(model.column_high[c]));
  }
  for (int r = 0; r < model.rows(); ++r) {
    packed.row_low.push_back(cbc_value(model.row_low[r]));
    packed.row_high.push_back(cbc_value(model.row_high[r]));
  }
  // CBC's seconds bound the search, not a relaxation: Clp keeps the limit.
  if (options.relaxation_only) return solve_relaxation_with_clp(model, packed, options.seconds, options.tick);

  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  solver.loadProblem(n_col, model.rows(), start.data(), packed.index.data(), packed.value.data(),
                     packed.col_low.data(), packed.col_high.data(), model.objective.data(), packed.row_low.data(),
                     packed.row_high.data());
  bool mip = false;
  for (int c = 0; c < n_col; ++c)
    if (model.integer[c]) {
      solver.setInteger(c);
      mip = true;
    }
  CbcModel cbc(solver);
  CbcSolverUsefulData data;
  CbcMain0(cbc, data);
  cbc.setLogLevel(0);
  if (!options.start_columns.empty()) {
    std::vector<std::pair<std::string, double>> mip_start;
    for (std::size_t k = 0; k < options.start_columns.size(); ++k)
      mip_start.emplace_back(cbc.solver()->getColName(options.start_columns[k]), options.start_values[k]);
    cbc.setMIPStart(mip_start);
  }
  const SearchEvents events(&options);
  if (options.tick || options.improved) cbc.passInEventHandler(&events);

  if (!mip) {
    // Without integer columns there is nothing to search: the LP is the answer.
    cbc.solver()->initialSolve();
    result.optimal = cbc.solver()->isProvenOptimal();
    result.has_solution = result.optimal;
    if (result.optimal) {
      const double* values = cbc.solver()->getColSolution();
      result.values.assign(values, values + n_col);
    }
  } else {
    const std::string seconds = text_printf("%.17g", options.seconds);
    const char* argv[] = {"lpsolve", "-log", "0", "-timeMode", "elapsed", "-sec", seconds.c_str(), "-solve", "-quit"};
    CbcMain1(static_cast<int>(std::size(argv)), argv, cbc, [](CbcModel*, int) { return 0; }, data);
    const double* best = cbc.bestSolution();
    result.optimal = cbc.isProvenOptimal();
    result.has_solution = best != nullptr;
    if (best != nullptr) result.values.assign(best, best + n_col);
  }
  if (!result.has_solution) {
    const bool infeasible = mip ? cbc.isProvenInfeasible() : cbc.solver()->isProvenPrimalInfeasible();
    result.error = Error::of(infeasible ? "the solver found the model infeasible"
                                        : text_printf("the solver found no solution in %g s", options.seconds));
    return result;
  }
  result.objective = 0;
  for (int c = 0; c < n_col; ++c) result.objective += model.objective[c] * result.values[c];
  result.bound = result.optimal ? result.objective : cbc.getBestPossibleObjValue();
  return result;
}
