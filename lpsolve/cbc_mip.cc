// The MIP and LP solver of capplan and dualsweep: COIN-OR CBC through its C interface, the
// model owned by a handle that deletes it.
#include <coin/Cbc_C_Interface.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <string>

#include "clp_relaxation.h"
#include "linear_model.h"
#include "text_format.h"

namespace {

struct CbcDeleter {
  void operator()(Cbc_Model* m) const { Cbc_deleteModel(m); }
};
using CbcHandle = std::unique_ptr<Cbc_Model, CbcDeleter>;

double cbc_value(double v) { return std::isinf(v) ? (v > 0 ? DBL_MAX : -DBL_MAX) : v; }

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
  std::vector<int>& index = packed.index;
  std::vector<double>& value = packed.value;
  index.resize(model.entry_row.size());
  value.resize(model.entry_row.size());
  std::vector<CoinBigIndex> next(start.begin(), start.end() - 1);
  for (std::size_t e = 0; e < model.entry_row.size(); ++e) {
    const CoinBigIndex at = next[model.entry_column[e]]++;
    index[at] = model.entry_row[e];
    value[at] = model.entry_value[e];
  }
  std::vector<double>& col_low = packed.col_low;
  std::vector<double>& col_high = packed.col_high;
  std::vector<double>& row_low = packed.row_low;
  std::vector<double>& row_high = packed.row_high;
  for (int c = 0; c < n_col; ++c) {
    col_low.push_back(cbc_value(model.column_low[c]));
    col_high.push_back(cbc_value(model.column_high[c]));
  }
  for (int r = 0; r < model.rows(); ++r) {
    row_low.push_back(cbc_value(model.row_low[r]));
    row_high.push_back(cbc_value(model.row_high[r]));
  }
  // CBC's seconds bound the search, not a relaxation: Clp keeps the limit.
  if (options.relaxation_only) return solve_relaxation_with_clp(model, packed, options.seconds, options.tick);

  CbcHandle cbc(Cbc_newModel());
  Cbc_loadProblem(cbc.get(), n_col, model.rows(), start.data(), index.data(), value.data(), col_low.data(),
                  col_high.data(), model.objective.data(), row_low.data(), row_high.data());
  Cbc_setLogLevel(cbc.get(), 0);
  Cbc_setParameter(cbc.get(), "timeMode", "elapsed");
  Cbc_setMaximumSeconds(cbc.get(), options.seconds);
  if (!options.relaxation_only) {
    for (int c = 0; c < n_col; ++c)
      if (model.integer[c]) Cbc_setInteger(cbc.get(), c);
    if (!options.start_columns.empty())
      Cbc_setMIPStartI(cbc.get(), static_cast<int>(options.start_columns.size()), options.start_columns.data(),
                       options.start_values.data());
  }
  Cbc_solve(cbc.get());

  const bool mip = !options.relaxation_only && Cbc_getNumIntegers(cbc.get()) > 0;
  const double* best = mip ? Cbc_bestSolution(cbc.get()) : Cbc_getColSolution(cbc.get());
  result.optimal = Cbc_isProvenOptimal(cbc.get()) != 0;
  result.has_solution = best != nullptr && (mip || result.optimal);
  if (!result.has_solution) {
    result.error = Error::of(Cbc_isProvenInfeasible(cbc.get())
                                 ? "the solver found the model infeasible"
                                 : text_printf("the solver found no solution in %g s", options.seconds));
    return result;
  }
  result.values.assign(best, best + n_col);
  result.objective = 0;
  for (int c = 0; c < n_col; ++c) result.objective += model.objective[c] * result.values[c];
  result.bound = result.optimal ? result.objective : Cbc_getBestPossibleObjValue(cbc.get());
  return result;
}
