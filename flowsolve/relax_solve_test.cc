#include "relax_solve.h"

#include <gtest/gtest.h>
#include <lemon/cost_scaling.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <map>
#include <queue>
#include <random>
#include <set>
#include <utility>
#include <vector>

using studyfiles::RelaxArc;
using studyfiles::RelaxProblem;
using studyfiles::read_relax_input;

namespace {

RelaxProblem problem(int node_count, std::vector<RelaxArc> arcs, int source, int sink, long long demand) {
  RelaxProblem p;
  p.node_count = node_count;
  p.arcs = std::move(arcs);
  p.source = source;
  p.sink = sink;
  p.demand = demand;
  return p;
}

// Maximum flow by shortest augmenting paths on a capacity matrix: slow,
// plain, and sharing nothing with the solver.
long long plain_max_flow(const RelaxProblem& p) {
  const int n = p.node_count + 1;
  std::vector<std::vector<long long>> residual(n, std::vector<long long>(n, 0));
  for (const RelaxArc& a : p.arcs) {
    if (a.from != a.to) residual[a.from][a.to] += a.capacity;
  }
  long long total = 0;
  for (;;) {
    std::vector<int> parent(n, 0);
    parent[p.source] = p.source;
    std::queue<int> queue;
    queue.push(p.source);
    while (!queue.empty() && parent[p.sink] == 0) {
      const int v = queue.front();
      queue.pop();
      for (int u = 1; u < n; ++u) {
        if (parent[u] == 0 && residual[v][u] > 0) {
          parent[u] = v;
          queue.push(u);
        }
      }
    }
    if (parent[p.sink] == 0) return total;
    long long push = -1;
    for (int v = p.sink; v != p.source; v = parent[v]) {
      push = push < 0 ? residual[parent[v]][v] : std::min(push, residual[parent[v]][v]);
    }
    for (int v = p.sink; v != p.source; v = parent[v]) {
      residual[parent[v]][v] -= push;
      residual[v][parent[v]] += push;
    }
    total += push;
  }
}

// The least cost of sending `amount` from the source to the sink, by a
// second algorithm (cost scaling rather than network simplex).
long long cost_scaling_cost(const RelaxProblem& p, long long amount) {
  lemon::SmartDigraph g;
  std::vector<lemon::SmartDigraph::Node> nodes;
  for (int n = 0; n < p.node_count; ++n) nodes.push_back(g.addNode());
  lemon::SmartDigraph::ArcMap<long long> capacity(g), cost(g);
  for (const RelaxArc& a : p.arcs) {
    auto arc = g.addArc(nodes[a.from - 1], nodes[a.to - 1]);
    capacity[arc] = a.capacity;
    cost[arc] = a.cost;
  }
  lemon::CostScaling<lemon::SmartDigraph, long long, long long> scaling(g);
  scaling.upperMap(capacity).costMap(cost).stSupply(nodes[p.source - 1], nodes[p.sink - 1], amount);
  EXPECT_EQ(scaling.run(), decltype(scaling)::OPTIMAL);
  return scaling.totalCost();
}

// The arc flows keep their capacities and their balance: `routed` leaves the
// source, reaches the sink, and every other node passes on what it gets.
void expect_valid_flow(const RelaxProblem& p, const RelaxSolution& s) {
  ASSERT_EQ(s.flow.size(), p.arcs.size());
  std::vector<long long> net_out(p.node_count + 1, 0);
  for (std::size_t k = 0; k < p.arcs.size(); ++k) {
    EXPECT_GE(s.flow[k], 0);
    EXPECT_LE(s.flow[k], p.arcs[k].capacity);
    net_out[p.arcs[k].from] += s.flow[k];
    net_out[p.arcs[k].to] -= s.flow[k];
  }
  for (int v = 1; v <= p.node_count; ++v) {
    const long long expected = v == p.source ? s.routed : v == p.sink ? -s.routed : 0;
    EXPECT_EQ(net_out[v], expected) << "node " << v;
  }
}

// Each path runs from the source to the sink without meeting a node twice,
// consecutive nodes joined by arcs that carry its load; the bandwidths add
// up to what was routed.
void expect_valid_paths(const RelaxProblem& p, const RelaxSolution& s) {
  std::map<std::pair<int, int>, long long> flow_between, load_between;
  for (std::size_t k = 0; k < p.arcs.size(); ++k) flow_between[{p.arcs[k].from, p.arcs[k].to}] += s.flow[k];
  long long total = 0;
  for (const RelaxPath& path : s.paths) {
    EXPECT_GT(path.bandwidth, 0);
    total += path.bandwidth;
    ASSERT_GE(path.nodes.size(), 2u);
    EXPECT_EQ(path.nodes.front(), p.source);
    EXPECT_EQ(path.nodes.back(), p.sink);
    EXPECT_EQ(std::set<int>(path.nodes.begin(), path.nodes.end()).size(), path.nodes.size());
    for (std::size_t i = 0; i + 1 < path.nodes.size(); ++i) {
      load_between[{path.nodes[i], path.nodes[i + 1]}] += path.bandwidth;
    }
  }
  EXPECT_EQ(total, s.routed);
  for (const auto& [pair, load] : load_between) {
    EXPECT_LE(load, flow_between[pair]) << "from " << pair.first << " to " << pair.second;
  }
}

RelaxProblem random_problem(std::mt19937& random, bool negative_costs) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const int n = pick(2, 7);
  std::vector<RelaxArc> arcs(static_cast<std::size_t>(pick(0, 14)));
  for (RelaxArc& a : arcs) a = {pick(1, n), pick(1, n), pick(negative_costs ? -4 : 0, 9), pick(0, 6)};
  const int source = pick(1, n);
  int sink = pick(1, n - 1);
  if (sink >= source) ++sink;
  return problem(n, arcs, source, sink, pick(1, 14));
}

}  // namespace

TEST(SolveRelax, AgreesWithIndependentChecksOnRandomGraphs) {
  std::mt19937 random(20261208);
  int feasible = 0, infeasible = 0;
  for (int round = 0; round < 3000; ++round) {
    const RelaxProblem p = random_problem(random, round % 3 == 0);
    const RelaxSolution s = solve_relax(p);
    const long long max_flow = plain_max_flow(p);
    SCOPED_TRACE(testing::Message() << "round " << round);
    ASSERT_EQ(s.feasible, p.demand <= max_flow);
    ASSERT_EQ(s.routed, std::min(p.demand, max_flow));
    ASSERT_EQ(s.cost, cost_scaling_cost(p, s.routed));
    expect_valid_flow(p, s);
    expect_valid_paths(p, s);
    ASSERT_FALSE(HasFailure());
    ++(s.feasible ? feasible : infeasible);
  }
  EXPECT_GT(feasible, 300);
  EXPECT_GT(infeasible, 300);
}

TEST(SolveRelax, CutArcsCarryNothingAndTheBestPartialFlowIsKept) {
  // Two routes from 1 to 4: 1-2-4 (cost 2, 3 units), 1-3-4 (cost 4, 5
  // units); the direct arc 1-4 is cut (capacity 0).
  const RelaxProblem p = problem(4, {{1, 4, 1, 0}, {1, 2, 1, 3}, {2, 4, 1, 3}, {1, 3, 2, 5}, {3, 4, 2, 5}}, 1, 4, 10);
  const RelaxSolution s = solve_relax(p);
  EXPECT_FALSE(s.feasible);
  EXPECT_EQ(s.routed, 8);
  EXPECT_EQ(s.cost, 3 * 2 + 5 * 4);
  ASSERT_EQ(s.paths.size(), 2u);
  EXPECT_EQ(s.paths[0].nodes, (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(s.paths[0].bandwidth, 3);
  EXPECT_EQ(s.paths[1].nodes, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(s.paths[1].bandwidth, 5);
}

TEST(DecomposePaths, CyclesAreTakenOffAndNotReported) {
  // 1 -> 2 -> 3 -> 4 carries 2; 2 -> 5 -> 2 is a cycle of 4; a self-loop at
  // 3 carries 7; 1 -> 4 and 4 -> 1 carry 3 each, a cycle through the source
  // and the sink.
  const RelaxProblem p = problem(5, {{1, 2, 0, 9}, {2, 5, 0, 9}, {5, 2, 0, 9}, {2, 3, 0, 9}, {3, 3, 0, 9},
                                     {3, 4, 0, 9}, {4, 1, 0, 9}, {1, 4, 0, 9}},
                                 1, 4, 2);
  const std::vector<RelaxPath> paths = decompose_paths(p, {2, 4, 4, 2, 7, 2, 3, 3}, 2);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].nodes, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(paths[0].bandwidth, 2);
  // A flow of 1 whose arc 1 -> 4 carries 4 (3 of them back over 4 -> 1):
  // only the 1 is reported.
  const std::vector<RelaxPath> one = decompose_paths(p, {0, 0, 0, 0, 0, 0, 3, 4}, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].nodes, (std::vector<int>{1, 4}));
  EXPECT_EQ(one[0].bandwidth, 1);
}

TEST(SolveRelax, DamagedFilesAreRefusedOrSolved) {
  // Bytes of a good file changed at random: each either reads, and then
  // solves to a valid answer, or is refused with a text naming the file.
  const std::string good = "4\n5\n  1  1  2  3  0\n  2  1  3  1  4\n  3  3  2  1  4\n  4  1  4  2  9\n  5  4  2-10  9\n"
                           "  1-10\n  2 10\n3  0\n4  0\n";
  const std::string alphabet = "0123456789 -\n\r\tx";
  std::mt19937 random(99);
  int solved = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = good;
    for (int changes = 1 + static_cast<int>(random() % 3); changes > 0; --changes) {
      const std::size_t at = random() % text.size();
      switch (random() % 3) {
        case 0: text[at] = alphabet[random() % alphabet.size()]; break;
        case 1: text.erase(at, 1); break;
        default: text.insert(at, 1, alphabet[random() % alphabet.size()]); break;
      }
    }
    RelaxProblem problem;
    if (const Error error = read_relax_input(text, "RELAX.INP", problem)) {
      ASSERT_EQ(error.text().rfind("RELAX.INP:", 0), 0u) << text;
      continue;
    }
    const RelaxSolution s = solve_relax(problem);
    expect_valid_flow(problem, s);
    expect_valid_paths(problem, s);
    ASSERT_FALSE(HasFailure()) << text;
    ++solved;
  }
  EXPECT_GT(solved, 1000);
}

// One solver reused for many cuts of one network answers every problem as a
// solver made for that problem alone does: same verdict, cost, flow and paths.
TEST(RelaxSolver, ReusedFromCutToCutAnswersAsAFreshSolve) {
  std::mt19937 random(17);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  RelaxProblem network = problem(40, {}, 0, 0, 0);
  for (int span = 0; span < 70; ++span) {
    const int a = pick(1, 40), b = pick(1, 40), cost = pick(1, 30), spare = pick(0, 12);
    network.arcs.push_back({a, b, cost, spare});
    network.arcs.push_back({b, a, cost, spare});
  }
  RelaxSolver solver(network);
  int infeasible = 0;
  for (int round = 0; round < 600; ++round) {
    const std::size_t cut = 2 * static_cast<std::size_t>(pick(0, 69));
    const std::vector<std::size_t> closed = round % 5 == 0 ? std::vector<std::size_t>{cut}
                                                           : std::vector<std::size_t>{cut, cut + 1};
    RelaxProblem alone = network;
    for (std::size_t k : closed) alone.arcs[k].capacity = 0;
    alone.source = network.arcs[cut].from;
    alone.sink = network.arcs[cut].to;
    alone.demand = pick(1, 30);
    if (alone.source == alone.sink) continue;
    SCOPED_TRACE(testing::Message() << "round " << round);
    ASSERT_EQ(solver.refusal(closed, alone.source, alone.sink, alone.demand), "");
    const RelaxSolution reused = solver.solve(closed, alone.source, alone.sink, alone.demand);
    const RelaxSolution fresh = solve_relax(alone);
    ASSERT_EQ(reused.feasible, fresh.feasible);
    ASSERT_EQ(reused.routed, fresh.routed);
    ASSERT_EQ(reused.cost, fresh.cost);
    ASSERT_EQ(reused.flow, fresh.flow);
    ASSERT_EQ(reused.paths.size(), fresh.paths.size());
    for (std::size_t i = 0; i < fresh.paths.size(); ++i) {
      ASSERT_EQ(reused.paths[i].nodes, fresh.paths[i].nodes);
      ASSERT_EQ(reused.paths[i].bandwidth, fresh.paths[i].bandwidth);
    }
    for (std::size_t k = 0; k < alone.arcs.size(); ++k) ASSERT_EQ(solver.problem().arcs[k].capacity, alone.arcs[k].capacity);
    infeasible += reused.feasible ? 0 : 1;
  }
  EXPECT_GT(infeasible, 50);
}

// What relax would refuse in a file is refused before the solve: negative
// capacity on an open arc, no sink, costs too heavy for 64 bits.
TEST(RelaxSolver, RefusesWhatTheFileReaderRefuses) {
  const RelaxProblem network =
      problem(3, {{1, 2, 1, -4}, {2, 1, 1, 5}, {2, 3, 1LL << 40, 1LL << 30}, {3, 2, 1, 5}}, 0, 0, 0);
  RelaxSolver solver(network);
  EXPECT_EQ(solver.refusal({2}, 1, 3, 5), "arc 1 has a negative capacity, -4");
  EXPECT_EQ(solver.refusal({0, 2}, 1, 1, 5), "no sink: no node has a positive value");
  EXPECT_EQ(solver.refusal({0}, 1, 3, 5), "costs times capacities add up to more than the solver can hold");
  EXPECT_EQ(solver.refusal({0, 2}, 1, 3, 5), "");
}
