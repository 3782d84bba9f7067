// What the restoration of a cut span is solved over: the netdata records
// turned into the solver's network (one arc per record, offering its spare,
// in file order), and the most that the spare around the cut record's ends
// could carry. capsweep restores one cut over it; dualsweep two at once.
#pragma once

#include <algorithm>
#include <vector>

#include "netdata.h"
#include "relax_input.h"

// The network as the flow solve takes it: one arc per record, offering its
// spare, in file order.
studyfiles::RelaxProblem relax_network(const studyfiles::Netdata& net);

// How much of the cut record's capacity the spare around its end nodes
// could carry at most.
struct DemandBound {
  long long s_out = 0;  // spare leaving the cut record's from node
  long long s_in = 0;   // spare entering its to node
  long long least = 0;  // min(s_out, s_in)
  long long demand = 0; // the capacity when least covers it, else least
};

// The bound for cutting record `e` (1-based) when the records for which
// `cut(k)` holds (1-based; the cut record among them) offer nothing.
template <class IsCut>
DemandBound demand_bound_without(const studyfiles::Netdata& net, int e, IsCut cut) {
  DemandBound b;
  const studyfiles::EdgeRecord& c = net.edges[static_cast<std::size_t>(e - 1)];
  const int n = static_cast<int>(net.edges.size());
  for (int k = 1; k <= n; ++k) {
    if (cut(k)) continue;
    const studyfiles::EdgeRecord& r = net.edges[static_cast<std::size_t>(k - 1)];
    if (r.from == c.from) b.s_out += r.spare;
    if (r.to == c.to) b.s_in += r.spare;
  }
  b.least = std::min(b.s_out, b.s_in);
  b.demand = b.least >= c.capacity ? c.capacity : b.least;
  return b;
}

// The bound for cutting record `e` alone: it and, in a bidirectional table,
// its twin `e + 1` add nothing.
inline DemandBound demand_bound(const studyfiles::Netdata& net, int e) {
  return demand_bound_without(net, e, [&](int k) { return k == e || (net.bidirectional && k == e + 1); });
}
