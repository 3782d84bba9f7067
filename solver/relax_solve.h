// The solve: a least-cost flow of the demand from the source to the sink
// within the arc capacities; when the demand cannot be routed whole, a
// maximum flow of least cost instead. The flow is then split into paths in a
// fixed order, so that the same problem always gives the same paths.
#pragma once

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

RelaxSolution solve_relax(const RelaxProblem& problem);

// Splits a flow of `value` units from source to sink into simple paths: from
// the source, always along the first arc (in file order) that still carries
// flow; flow met on a cycle is taken off and not reported. The bandwidths add
// up to `value`.
std::vector<RelaxPath> decompose_paths(const RelaxProblem& problem, std::vector<long long> flow, long long value);
