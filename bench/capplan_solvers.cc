// CBC against GLPK on capplan's arc-flow model of made-up 50-node networks:
// the linear program, then the integer program from scratch (no start
// plan), each within a time limit. Run by hand:
//   build/bench/capplan_solvers [NODES [SEEDS [SECONDS]]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "arc_flow.h"
#include "glpk_mip.h"
#include "cbc_mip.h"
#include "linear_model.h"
#include "made_network.h"
#include "restoration.h"

using capplan::arc_flow_model;
using capplan::find_bridges;
using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;
using lpsolve::solve_with_cbc;

namespace {

double timed(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int nodes = argc > 1 ? std::atoi(argv[1]) : 50;
  const int seeds = argc > 2 ? std::atoi(argv[2]) : 3;
  const double seconds = argc > 3 ? std::atof(argv[3]) : 60;
  std::printf("%-6s %5s %5s %-5s %9s %12s %9s %12s %12s %8s\n", "net", "nodes", "spans", "solver", "LP s", "LP bound",
              "MIP s", "MIP cost", "MIP bound", "optimal");
  for (int seed = 1; seed <= seeds; ++seed) {
    const MadeNetwork made = make_network(nodes, static_cast<unsigned>(seed));
    std::vector<int> cuts;
    const std::vector<int> bridges = find_bridges(made.net);
    for (int f = 0; f < static_cast<int>(made.net.spans.size()); ++f)
      if (made.net.spans[f].working > 0 && std::find(bridges.begin(), bridges.end(), f) == bridges.end())
        cuts.push_back(f);
    const LinearModel model = arc_flow_model(made.net, cuts);
    using Solver = MipResult (*)(const LinearModel&, const MipOptions&);
    const std::pair<const char*, Solver> solvers[] = {{"cbc", solve_with_cbc}, {"glpk", solve_with_glpk}};
    for (const auto& entry : solvers) {
      const char* name = entry.first;
      const Solver solve = entry.second;
      MipOptions lp_options;
      lp_options.seconds = seconds;
      lp_options.relaxation_only = true;
      MipResult lp, mip;
      const double lp_time = timed([&] { lp = solve(model, lp_options); });
      MipOptions mip_options;
      mip_options.seconds = seconds;
      const double mip_time = timed([&] { mip = solve(model, mip_options); });
      std::printf("seed%-2d %5d %5zu %-5s %9.2f %12.2f %9.2f %12.0f %12.2f %8s\n", seed, nodes, made.net.spans.size(),
                  name, lp_time, lp.has_solution ? lp.objective : -1.0, mip_time,
                  mip.has_solution ? mip.objective : -1.0, mip.has_solution ? mip.bound : -1.0,
                  mip.optimal ? "yes" : "no");
      std::fflush(stdout);
    }
  }
  return 0;
}
