#include "orders.h"

#include <algorithm>
#include <cstdlib>

#include "cut_network.h"

PairSolver::PairSolver(const DualStudy& study)
    : study_(study), solver_(relax_network(study.net.n_node, study.net.edges)) {
  capacity_.reserve(study.net.edges.size());
}

int PairSolver::single(int k) {
  const int e = 2 * k - 1;
  const DemandBound bound = demand_bound(study_.net.edges, true, e);
  if (bound.demand <= 0) return 0;
  const EdgeRecord& cut = study_.span(k);
  const std::vector<std::size_t> closed{static_cast<std::size_t>(e - 1), static_cast<std::size_t>(e)};
  return static_cast<int>(solver_.solve(closed, cut.from, cut.to, bound.demand).routed);
}

long long PairSolver::restore(int k, long long demand, bool take) {
  if (demand <= 0) return 0;
  const EdgeRecord& cut = study_.span(k);
  const RelaxSolution s = solver_.solve_with_capacities(capacity_, cut.from, cut.to, demand);
  if (take) {
    // A spare channel carries one unit in either direction: what the flow
    // puts on a span both ways is its net amount, the rest a cycle.
    for (std::size_t a = 0; a + 1 < s.flow.size(); a += 2) {
      const long long used = std::llabs(s.flow[a] - s.flow[a + 1]);
      capacity_[a] = std::max(0LL, capacity_[a] - used);
      capacity_[a + 1] = std::max(0LL, capacity_[a + 1] - used);
    }
  }
  return s.routed;
}

PairRestored PairSolver::order(int first, int second, long long enough) {
  const std::vector<EdgeRecord>& edges = study_.net.edges;
  capacity_.clear();
  for (const EdgeRecord& r : edges) capacity_.push_back(r.spare);
  auto cut = [&](int e) { return (e + 1) / 2 == first || (e + 1) / 2 == second; };
  for (std::size_t a = 0; a < edges.size(); ++a)
    if (cut(static_cast<int>(a) + 1)) capacity_[a] = 0;
  // The first restoration is bounded as capsweep bounds a cut, both spans'
  // records offering nothing; the second by its working channels.
  const DemandBound bound = demand_bound_without(edges, 2 * first - 1, cut);
  PairRestored r;
  r.r_i = static_cast<int>(restore(first, bound.demand, true));
  if (r.r_i <= enough) return r;
  r.r_j = static_cast<int>(restore(second, study_.span(second).capacity, false));
  return r;
}

PairRestored PairSolver::pair(int i, int j) {
  const PairRestored i_first = order(i, j);
  const long long lost = static_cast<long long>(study_.span(i).capacity) + study_.span(j).capacity;
  if (i_first.total() == lost) return i_first;
  // j first restores no more of i than i first did: when that cannot beat
  // i first, the second restoration of j first is not needed.
  const PairRestored j_first = order(j, i, i_first.total() - i_first.r_i);
  if (j_first.total() > i_first.total()) return PairRestored{j_first.r_j, j_first.r_i};
  return i_first;
}
