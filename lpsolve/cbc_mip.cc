// The MIP and LP solver of capplan and dualsweep's test: COIN-OR CBC,
// driven the way its own command line drives it (preprocessing, cuts,
// heuristics), with an event handler that reports the search's progress.
#include "cbc_mip.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/CoinError.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <exception>
#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "clp_relaxation.h"
#include "text_format.h"

namespace lpsolve {

namespace {

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

// CBC's search for integer columns, from the start the options give.
MipResult search(const LinearModel& model, const PackedModel& packed, const MipOptions& options) {
  MipResult result;
  const int n_col = model.columns();
  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  solver.loadProblem(n_col, model.rows(), packed.start.data(), packed.index.data(), packed.value.data(),
                     packed.col_low.data(), packed.col_high.data(), model.objective.data(), packed.row_low.data(),
                     packed.row_high.data());
  for (int c = 0; c < n_col; ++c)
    if (model.integer[c]) solver.setInteger(c);
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

  const std::string seconds = text_printf("%.17g", options.seconds);
  const char* argv[] = {"lpsolve", "-log", "0", "-timeMode", "elapsed", "-sec", seconds.c_str(), "-solve", "-quit"};
  CbcMain1(static_cast<int>(std::size(argv)), argv, cbc, [](CbcModel*, int) { return 0; }, data);
  const double* best = cbc.bestSolution();
  result.optimal = cbc.isProvenOptimal();
  result.has_solution = best != nullptr;
  if (best == nullptr) {
    result.error = Error::of(cbc.isProvenInfeasible() ? "the solver found the model infeasible"
                                                      : text_printf("the solver found no solution in %g s", options.seconds));
    return result;
  }
  result.values.assign(best, best + n_col);
  result.objective = 0;
  for (int c = 0; c < n_col; ++c) result.objective += model.objective[c] * result.values[c];
  result.bound = result.optimal ? result.objective : cbc.getBestPossibleObjValue();
  return result;
}

std::string what_coin_said(const CoinError& e) {
  std::string where = e.className().empty() ? e.methodName() : e.className() + "::" + e.methodName();
  return e.message() + (where.empty() ? std::string() : " (in " + where + ")");
}

}  // namespace

MipResult solve_with_cbc(const LinearModel& model, const MipOptions& options) {
  if (Error e = check_model(model, options)) return solver_failure("the solver was handed a malformed model: " + e.text());
  if (!(options.seconds > 0)) {
    MipResult none;
    none.error = Error::of(text_printf("the solver found no solution in %g s", 0.0));
    return none;
  }
  // COIN-OR reports its failures as CoinError, which is no std::exception:
  // whatever the solver throws ends here, as an answer that says so.
  try {
    const PackedModel packed = pack_model(model);
    // CBC's seconds bound the search, not a linear program: Clp keeps the
    // limit of a relaxation, and of a model without integer columns, whose
    // linear program is the answer.
    if (options.relaxation_only || !model.has_integers())
      return solve_relaxation_with_clp(model, packed, options.seconds, options.tick);
    return search(model, packed, options);
  } catch (const CoinError& e) {
    return solver_failure("the solver failed: " + what_coin_said(e));
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    return solver_failure(std::string("the solver failed: ") + e.what());
  } catch (...) {
    return solver_failure("the solver failed in an unexpected way");
  }
}

}  // namespace lpsolve
