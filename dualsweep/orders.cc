#include "orders.h"

#include <algorithm>
#include <cstdlib>

#include "cut_network.h"

using studyfiles::EdgeRecord;

namespace dualsweep {

PairSolver::PairSolver(const DualStudy& study)
    : study_(study),
      solver_(relax_network(study.net)),
      alone_(static_cast<std::size_t>(study.span_count())) {
  capacity_.reserve(study.net.edges.size());
}

int PairSolver::single(int k) {
  const int e = 2 * k - 1;
  const DemandBound bound = demand_bound(study_.net, e);
  if (bound.demand <= 0) return 0;
  const EdgeRecord& cut = study_.span(k);
  const std::vector<std::size_t> closed{static_cast<std::size_t>(e - 1), static_cast<std::size_t>(e)};
  return static_cast<int>(solver_.solve(closed, cut.from, cut.to, bound.demand).routed);
}

long long PairSolver::restore(int k, long long demand, bool take) {
  if (demand <= 0) return 0;
  const EdgeRecord& cut = study_.span(k);
  const RelaxSolution s = solver_.solve_with_capacities(capacity_, cut.from, cut.to, demand);
  if (take) take_off(span_use(s.flow));
  return s.routed;
}

std::vector<std::pair<int, long long>> PairSolver::span_use(const std::vector<long long>& flow) {
  // A spare channel carries one unit in either direction: what a flow puts
  // on a span both ways is its net amount, the rest a cycle.
  std::vector<std::pair<int, long long>> use;
  for (std::size_t a = 0; a + 1 < flow.size(); a += 2) {
    const long long used = std::llabs(flow[a] - flow[a + 1]);
    if (used > 0) use.emplace_back(static_cast<int>(a / 2) + 1, used);
  }
  return use;
}

void PairSolver::take_off(const std::vector<std::pair<int, long long>>& use) {
  for (const auto& [span, used] : use) {
    const std::size_t a = static_cast<std::size_t>(2 * span - 2);
    capacity_[a] = std::max(0LL, capacity_[a] - used);
    capacity_[a + 1] = std::max(0LL, capacity_[a + 1] - used);
  }
}

void PairSolver::open_all_but(int first, int second) {
  const std::vector<EdgeRecord>& edges = study_.net.edges;
  capacity_.clear();
  for (const EdgeRecord& r : edges) capacity_.push_back(r.spare);
  for (int k : {first, second}) {
    if (k < 1) continue;
    capacity_[static_cast<std::size_t>(2 * k - 2)] = 0;
    capacity_[static_cast<std::size_t>(2 * k - 1)] = 0;
  }
}

const PairSolver::Alone& PairSolver::alone(int k) {
  Alone& a = alone_[static_cast<std::size_t>(k - 1)];
  if (a.known) return a;
  open_all_but(k, 0);
  const DemandBound bound = demand_bound(study_.net, 2 * k - 1);
  if (bound.demand > 0) {
    const EdgeRecord& cut = study_.span(k);
    const RelaxSolution s = solver_.solve_with_capacities(capacity_, cut.from, cut.to, bound.demand);
    a.routed = s.routed;
    a.use = span_use(s.flow);
  }
  a.known = true;
  return a;
}

PairRestored PairSolver::order(int first, int second, long long enough) {
  // The restoration of the first span cut alone is kept: when its flow
  // leaves the second span alone, it is a largest flow with both cut too.
  const Alone& a = alone(first);
  const bool meets_second = std::any_of(a.use.begin(), a.use.end(), [&](const auto& u) { return u.first == second; });
  open_all_but(first, second);
  PairRestored r;
  if (!meets_second) {
    r.r_i = static_cast<int>(a.routed);
    take_off(a.use);
  } else {
    // Bounded as capsweep bounds a cut, both spans' records offering
    // nothing; the second restoration by its working channels.
    const DemandBound bound = demand_bound_without(study_.net, 2 * first - 1,
                                                   [&](int e) { return (e + 1) / 2 == first || (e + 1) / 2 == second; });
    r.r_i = static_cast<int>(restore(first, bound.demand, true));
  }
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

}  // namespace dualsweep
