// GLPK behind the same interface as capplan's CBC, for the comparison of
// the two solvers (capplan_solvers).
#pragma once

#include "linear_model.h"

lpsolve::MipResult solve_with_glpk(const lpsolve::LinearModel& model, const lpsolve::MipOptions& options);
