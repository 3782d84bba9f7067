#include "clp_relaxation.h"

#include <coin/ClpSimplex.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <cfloat>
#include <chrono>
#include <cmath>

#include "text_format.h"

namespace lpsolve {

namespace {

double coin_value(double v) { return std::isinf(v) ? (v > 0 ? DBL_MAX : -DBL_MAX) : v; }

}  // namespace

WallDeadline::WallDeadline(std::chrono::steady_clock::time_point end, const std::function<void()>& tick)
    : end_(end), tick_(&tick) {}

WallDeadline WallDeadline::in(double seconds, const std::function<void()>& tick) {
  using Clock = std::chrono::steady_clock;
  return WallDeadline(Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)), tick);
}

int WallDeadline::event(Event what) {
  if (what != endOfIteration) return -1;
  if (*tick_ && ++iterations_ % 100 == 0) (*tick_)();
  return std::chrono::steady_clock::now() >= end_ ? 0 : -1;
}

ClpEventHandler* WallDeadline::clone() const { return new WallDeadline(*this); }

PackedModel pack_model(const LinearModel& model) {
  PackedModel packed;
  const int n_col = model.columns();
  // The solver takes the matrix column by column.
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
    packed.col_low.push_back(coin_value(model.column_low[c]));
    packed.col_high.push_back(coin_value(model.column_high[c]));
  }
  for (int r = 0; r < model.rows(); ++r) {
    packed.row_low.push_back(coin_value(model.row_low[r]));
    packed.row_high.push_back(coin_value(model.row_high[r]));
  }
  return packed;
}

MipResult solve_relaxation_with_clp(const LinearModel& model, const PackedModel& packed, double seconds,
                                    const std::function<void()>& tick) {
  MipResult result;
  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  solver.loadProblem(model.columns(), model.rows(), packed.start.data(), packed.index.data(), packed.value.data(),
                     packed.col_low.data(), packed.col_high.data(), model.objective.data(), packed.row_low.data(),
                     packed.row_high.data());
  const WallDeadline deadline = WallDeadline::in(seconds, tick);
  solver.getModelPtr()->passInEventHandler(&deadline);
  solver.getModelPtr()->setMaximumWallSeconds(seconds);
  solver.getModelPtr()->setMaximumSeconds(seconds);
  solver.initialSolve();
  result.optimal = solver.isProvenOptimal();
  result.has_solution = result.optimal;
  if (!result.optimal) {
    result.error = Error::of(solver.isProvenPrimalInfeasible() ? "the solver found the model infeasible"
                             : solver.isProvenDualInfeasible() ? "the solver found the model unbounded"
                                                               : text_printf("the solver found no solution in %g s", seconds));
    return result;
  }
  const double* values = solver.getColSolution();
  result.values.assign(values, values + model.columns());
  for (int c = 0; c < model.columns(); ++c) result.objective += model.objective[c] * result.values[c];
  result.bound = result.objective;
  const double* duals = solver.getRowPrice();
  result.row_duals.assign(duals, duals + model.rows());
  return result;
}

}  // namespace lpsolve
