#include "clp_relaxation.h"

#include <coin/ClpSimplex.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include "text_format.h"

MipResult solve_relaxation_with_clp(const LinearModel& model, const PackedModel& packed, double seconds) {
  MipResult result;
  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  solver.loadProblem(model.columns(), model.rows(), packed.start.data(), packed.index.data(), packed.value.data(),
                     packed.col_low.data(), packed.col_high.data(), model.objective.data(), packed.row_low.data(),
                     packed.row_high.data());
  solver.getModelPtr()->setMaximumWallSeconds(seconds);
  solver.getModelPtr()->setMaximumSeconds(seconds);
  solver.initialSolve();
  result.optimal = solver.isProvenOptimal();
  result.has_solution = result.optimal;
  if (!result.optimal) {
    result.error = Error::of(solver.isProvenPrimalInfeasible()
                                 ? "the solver found the model infeasible"
                                 : text_printf("the solver found no solution in %g s", seconds));
    return result;
  }
  const double* values = solver.getColSolution();
  result.values.assign(values, values + model.columns());
  for (int c = 0; c < model.columns(); ++c) result.objective += model.objective[c] * result.values[c];
  result.bound = result.objective;
  return result;
}
