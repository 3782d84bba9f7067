// The solve: a least-cost flow of the demand from the source to the sink
// within the arc capacities; when the demand cannot be routed whole, a
// maximum flow of least cost instead. The flow is then split into paths in a
// fixed order, so that the same problem always gives the same paths.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "relax_input.h"

struct RelaxPath {
  long long bandwidth = 0;
  std::vector<int> nodes;  // from the source to the sink, node numbers
};

struct RelaxSolution {
  bool feasible = false;        // the whole demand is routed
  long long routed = 0;         // units sent from the source to the sink
  long long cost = 0;           // cost of the flow, cycles included
  std::vector<long long> flow;  // per arc, in file order
  std::vector<RelaxPath> paths;
};

RelaxSolution solve_relax(const studyfiles::RelaxProblem& problem);

// The solver kept for one network and reused from problem to problem: the
// graph and the flow algorithms are built once, and each solve changes only
// the arcs it closes and the demand. Its answers are those of solve_relax on
// the same problem. One object serves one thread at a time.
class RelaxSolver {
 public:
  // The network: its node count and arcs with their full capacities; the
  // source, sink and demand are set by each solve.
  explicit RelaxSolver(const studyfiles::RelaxProblem& network);
  ~RelaxSolver();
  RelaxSolver(const RelaxSolver&) = delete;
  RelaxSolver& operator=(const RelaxSolver&) = delete;

  // What the solver would refuse in the problem that solve() would solve
  // (the closed arcs offering nothing), as "what is wrong"; empty when none.
  std::string refusal(const std::vector<std::size_t>& closed_arcs, int source, int sink, long long demand) const;

  // Solves with the arcs of `closed_arcs` (0-based, in file order) offering
  // no capacity; the problem must be one that refusal() accepts.
  RelaxSolution solve(const std::vector<std::size_t>& closed_arcs, int source, int sink, long long demand);

  // Solves with every arc offering `capacity[k]` (per arc, in file order,
  // none negative) in place of the network's own; the next solve() starts
  // again from the network's capacities. The flow is the one solve() gives
  // for the same problem; when nothing routes, no flow and no paths.
  RelaxSolution solve_with_capacities(const std::vector<long long>& capacity, int source, int sink, long long demand);

  // The problem of the last solve: the closed arcs with capacity 0, its
  // source, sink and demand.
  const studyfiles::RelaxProblem& problem() const { return problem_; }

 private:
  struct Flow;
  void close_arcs(const std::vector<std::size_t>& closed_arcs);
  RelaxSolution run(int source, int sink, long long demand);

  studyfiles::RelaxProblem problem_;
  std::vector<long long> full_capacity_;  // per arc, as the network gave it
  std::vector<std::size_t> closed_;       // the arcs the last solve closed
  bool replaced_ = false;                 // the last solve set every capacity
  std::vector<std::size_t> negative_;     // arcs of negative capacity
  __int128 cost_weight_ = 0;              // sum of |cost| x capacity, all arcs open
  std::unique_ptr<Flow> flow_;
};


// Splits a flow of `value` units from source to sink into simple paths: from
// the source, always along the first arc (in file order) that still carries
// flow; flow met on a cycle is taken off and not reported. The bandwidths add
// up to `value`.
std::vector<RelaxPath> decompose_paths(const studyfiles::RelaxProblem& problem, std::vector<long long> flow,
                                       long long value);
