// GLPK behind the same interface as capplan's CBC, for the comparison of
// the two solvers (capplan_solvers).
#pragma once

#include "linear_model.h"

MipResult solve_with_glpk(const LinearModel& model, const MipOptions& options);
