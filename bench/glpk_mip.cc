#include "glpk_mip.h"

#include <glpk.h>

#include <cmath>
#include <memory>

using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;

namespace {

struct GlpkDeleter {
  void operator()(glp_prob* p) const { glp_delete_prob(p); }
};

int bound_kind(double low, double high) {
  const bool has_low = !std::isinf(low), has_high = !std::isinf(high);
  if (has_low && has_high) return low == high ? GLP_FX : GLP_DB;
  if (has_low) return GLP_LO;
  if (has_high) return GLP_UP;
  return GLP_FR;
}

double or_zero(double v) { return std::isinf(v) ? 0.0 : v; }

// What the branch-and-cut callback keeps: the best bound seen. (A start
// solution is not offered: GLPK wants every column of it, flows included.)
struct Search {
  double bound = -HUGE_VAL;
};

void on_event(glp_tree* tree, void* data) {
  Search& s = *static_cast<Search*>(data);
  const int best = glp_ios_best_node(tree);
  if (best != 0) s.bound = std::max(s.bound, glp_ios_node_bound(tree, best));
}

}  // namespace

MipResult solve_with_glpk(const LinearModel& model, const MipOptions& options) {
  MipResult result;
  std::unique_ptr<glp_prob, GlpkDeleter> lp(glp_create_prob());
  glp_prob* p = lp.get();
  glp_set_obj_dir(p, GLP_MIN);
  const int n_col = model.columns(), n_row = model.rows();
  glp_add_rows(p, n_row);
  glp_add_cols(p, n_col);
  for (int r = 0; r < n_row; ++r)
    glp_set_row_bnds(p, r + 1, bound_kind(model.row_low[r], model.row_high[r]), or_zero(model.row_low[r]),
                     or_zero(model.row_high[r]));
  for (int c = 0; c < n_col; ++c) {
    glp_set_col_bnds(p, c + 1, bound_kind(model.column_low[c], model.column_high[c]), or_zero(model.column_low[c]),
                     or_zero(model.column_high[c]));
    glp_set_obj_coef(p, c + 1, model.objective[c]);
    if (model.integer[c] && !options.relaxation_only) glp_set_col_kind(p, c + 1, GLP_IV);
  }
  std::vector<int> ia{0}, ja{0};
  std::vector<double> ar{0};
  for (std::size_t e = 0; e < model.entry_row.size(); ++e) {
    ia.push_back(model.entry_row[e] + 1);
    ja.push_back(model.entry_column[e] + 1);
    ar.push_back(model.entry_value[e]);
  }
  glp_load_matrix(p, static_cast<int>(ar.size()) - 1, ia.data(), ja.data(), ar.data());

  glp_smcp simplex;
  glp_init_smcp(&simplex);
  simplex.msg_lev = GLP_MSG_OFF;
  simplex.presolve = GLP_ON;
  simplex.tm_lim = static_cast<int>(options.seconds * 1000);
  if (options.relaxation_only) {
    const int rc = glp_simplex(p, &simplex);
    result.optimal = rc == 0 && glp_get_status(p) == GLP_OPT;
    result.has_solution = result.optimal;
    if (!result.has_solution) {
      result.error = Error::of("GLPK's simplex did not finish");
      return result;
    }
    for (int c = 0; c < n_col; ++c) result.values.push_back(glp_get_col_prim(p, c + 1));
    result.objective = result.bound = glp_get_obj_val(p);
    return result;
  }
  Search search;
  glp_iocp mip;
  glp_init_iocp(&mip);
  mip.msg_lev = GLP_MSG_OFF;
  mip.presolve = GLP_ON;
  mip.tm_lim = static_cast<int>(options.seconds * 1000);
  mip.cb_func = on_event;
  mip.cb_info = &search;
  const int rc = glp_intopt(p, &mip);
  const int status = glp_mip_status(p);
  result.has_solution = status == GLP_OPT || status == GLP_FEAS;
  result.optimal = rc == 0 && status == GLP_OPT;
  if (!result.has_solution) {
    result.error = Error::of("GLPK found no integer solution");
    return result;
  }
  for (int c = 0; c < n_col; ++c) result.values.push_back(glp_mip_col_val(p, c + 1));
  result.objective = glp_mip_obj_val(p);
  result.bound = result.optimal ? result.objective : search.bound;
  return result;
}
