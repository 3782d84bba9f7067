#include "relax_answer.h"

#include "text_format.h"

using studyfiles::PathOut;
using studyfiles::RelaxProblem;
using studyfiles::format_path_out;

PathOut path_out_of(const RelaxProblem& p, const RelaxSolution& s) {
  PathOut out{p.source, p.sink, p.demand, {}, s.routed, s.feasible, s.cost};
  for (const RelaxPath& path : s.paths) out.paths.push_back({path.bandwidth, path.nodes});
  return out;
}

std::string path_out_text(const RelaxProblem& p, const RelaxSolution& s) { return format_path_out(path_out_of(p, s)); }

std::string summary_line(const RelaxProblem& p, const RelaxSolution& s) {
  return text_printf("relax: %s: %lld of %lld routed from node %d to node %d on %zu path%s, cost %lld\n",
                     s.feasible ? "feasible" : "infeasible", s.routed, p.demand, p.source, p.sink,
                     s.paths.size(), s.paths.size() == 1 ? "" : "s", s.cost);
}
