// relax on a 300-node, 1,200-arc problem of the kind capsweep hands it (600
// spans, both directions, one span cut):
//   - its whole run as a program, against a program that only reads the same
//     RELAX.INP (start, read, end);
//   - its solve, against LEMON's NetworkSimplex called directly on the same
//     graph.
// Run by hand: build/bench/relax_bench (--write_relax_inp: only write the
// problem file into the current folder).
#include <benchmark/benchmark.h>
#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "relax_input.h"
#include "relax_solve.h"
#include "text_format.h"

using studyfiles::RelaxArc;
using studyfiles::RelaxProblem;
using studyfiles::read_relax_input;

extern char** environ;

namespace {

// 300 nodes on a ring plus 300 chords: 600 spans, each two arcs of the same
// cost and spare. Span 1 is cut; the demand is all that can be routed.
RelaxProblem bench_problem(long long extra_demand) {
  constexpr int kNodes = 300;
  std::mt19937 random(300);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  RelaxProblem p;
  p.node_count = kNodes;
  auto add_span = [&](int a, int b) {
    const long long cost = pick(1, 20), spare = pick(5, 40);
    p.arcs.push_back({a, b, cost, spare});
    p.arcs.push_back({b, a, cost, spare});
  };
  for (int n = 1; n <= kNodes; ++n) add_span(n, n % kNodes + 1);
  for (int chord = 0; chord < kNodes; ++chord) {
    const int a = pick(1, kNodes);
    const int b = pick(1, kNodes - 1);
    add_span(a, b >= a ? b + 1 : b);
  }
  p.arcs[0].capacity = p.arcs[1].capacity = 0;
  p.source = p.arcs[0].from;
  p.sink = p.arcs[0].to;
  p.demand = 1'000'000'000;
  p.demand = solve_relax(p).routed + extra_demand;
  return p;
}

// RELAX.INP as capsweep writes it.
std::string relax_file(const RelaxProblem& p) {
  std::string text = text_printf("%d\n%zu\n", p.node_count, p.arcs.size());
  for (std::size_t k = 0; k < p.arcs.size(); ++k) {
    const RelaxArc& a = p.arcs[k];
    text += text_printf("%3zu%3d%3d%3lld%3lld\n", k + 1, a.from, a.to, a.cost, a.capacity);
  }
  for (int n = 1; n <= p.node_count; ++n) {
    if (n == p.source) {
      text += text_printf("%3d%3lld\n", n, -p.demand);
    } else if (n == p.sink) {
      text += text_printf("%3d%3lld\n", n, p.demand);
    } else {
      text += text_printf("%d  %d\n", n, 0);
    }
  }
  return text;
}

void run_program(benchmark::State& state, const char* program) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char* argv[] = {const_cast<char*>(program), nullptr};
  for (auto _ : state) {
    pid_t pid;
    int status = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

void BM_RelaxWholeRun(benchmark::State& state) { run_program(state, RELAX_PROGRAM); }
void BM_ReadOnlyProgramRun(benchmark::State& state) { run_program(state, READER_PROGRAM); }
void BM_ReadOnlyProgramLinkedLikeRelaxRun(benchmark::State& state) { run_program(state, STATIC_READER_PROGRAM); }

void BM_ReadRelaxInput(benchmark::State& state) {
  const std::string text = relax_file(bench_problem(0));
  RelaxProblem problem;
  for (auto _ : state) benchmark::DoNotOptimize(read_relax_input(text, "RELAX.INP", problem));
}

// state.range(0): units asked beyond what can be routed (0: feasible).
void BM_SolveRelax(benchmark::State& state) {
  const RelaxProblem p = bench_problem(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(solve_relax(p));
}

void BM_NetworkSimplexDirect(benchmark::State& state) {
  using Graph = lemon::SmartDigraph;
  const RelaxProblem p = bench_problem(0);
  for (auto _ : state) {
    Graph g;
    std::vector<Graph::Node> nodes;
    for (int n = 0; n < p.node_count; ++n) nodes.push_back(g.addNode());
    Graph::ArcMap<long long> capacity(g), cost(g);
    for (const RelaxArc& a : p.arcs) {
      Graph::Arc arc = g.addArc(nodes[a.from - 1], nodes[a.to - 1]);
      capacity[arc] = a.capacity;
      cost[arc] = a.cost;
    }
    lemon::NetworkSimplex<Graph, long long, long long> simplex(g);
    simplex.upperMap(capacity).costMap(cost).stSupply(nodes[p.source - 1], nodes[p.sink - 1], p.demand);
    benchmark::DoNotOptimize(simplex.run());
    benchmark::DoNotOptimize(simplex.totalCost());
  }
}

BENCHMARK(BM_RelaxWholeRun)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadOnlyProgramRun)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadOnlyProgramLinkedLikeRelaxRun)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadRelaxInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveRelax)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NetworkSimplexDirect)->Unit(benchmark::kMicrosecond);

bool write_problem_file() {
  std::FILE* f = std::fopen("RELAX.INP", "w");
  if (!f) return false;
  const std::string text = relax_file(bench_problem(0));
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && written;
}

// The programs run in a scratch folder holding the problem file.
bool enter_scratch_folder(std::string& folder) {
  folder = "/tmp/relax_bench.XXXXXX";
  return ::mkdtemp(folder.data()) && ::chdir(folder.c_str()) == 0 && write_problem_file();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--write_relax_inp") {
    // The problem file alone, in the current folder, for profiling relax.
    return write_problem_file() ? 0 : 1;
  }
  std::string folder;
  if (!enter_scratch_folder(folder)) {
    std::fprintf(stderr, "relax_bench: cannot set up %s\n", folder.c_str());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::system(("rm -rf " + folder).c_str());
  return 0;
}
