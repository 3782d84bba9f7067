#include "relax_answer.h"

#include "text_format.h"

std::string path_out_text(const RelaxProblem& p, const RelaxSolution& s) {
  std::string text = text_printf("FOR SPAN CUT %d TO %d DEMAND %lld\n", p.source, p.sink, p.demand);
  for (const RelaxPath& path : s.paths) {
    text += text_printf("PATH\n%lld CHANNELS\n", path.bandwidth);
    for (int node : path.nodes) text += text_printf("%d\n", node);
    text += "-1\n";
  }
  text += text_printf("TOTAL_BANDWIDTH_RESTORED= %lld\n", s.routed);
  if (s.feasible) {
    text += text_printf("FEASIBLE COST %lld\n", s.cost);
  } else {
    text += text_printf("INFEASIBLE: %lld OF %lld ROUTED, COST %lld\n", s.routed, p.demand, s.cost);
  }
  return text;
}

std::string summary_line(const RelaxProblem& p, const RelaxSolution& s) {
  return text_printf("relax: %s: %lld of %lld routed from node %d to node %d on %zu path%s, cost %lld\n",
                     s.feasible ? "feasible" : "infeasible", s.routed, p.demand, p.source, p.sink,
                     s.paths.size(), s.paths.size() == 1 ? "" : "s", s.cost);
}
