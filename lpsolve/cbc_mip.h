// The solver of capplan and of dualsweep's test: COIN-OR CBC for integer
// programs, its linear program solver Clp for linear programs and
// relaxations.
#pragma once

#include "linear_model.h"

namespace lpsolve {

// Solves the model within options.seconds of wall clock (a model without
// integer columns, or a relaxation, with Clp; else CBC's search). Never
// throws for what the solver does: a malformed model, or any failure inside
// the solver, is answered with `failed` and the error that says how; running
// out of memory stays std::bad_alloc.
MipResult solve_with_cbc(const LinearModel& model, const MipOptions& options);

}  // namespace lpsolve
