// What the restoration of a cut span is solved over: the netdata records
// turned into the solver's network (one arc per record, offering its spare,
// in file order), and the most that the spare around the cut record's ends
// could carry. capsweep restores one cut over it; dualsweep two at once.
//
// Both take the records of any table whose records carry from, to, cost,
// spare and capacity (capsweep's edge table, studyfiles' netdata records).
#pragma once

#include <algorithm>
#include <vector>

#include "relax_input.h"

// The network as the flow solve takes it: one arc per record, offering its
// spare, in file order.
template <class Record>
RelaxProblem relax_network(int n_node, const std::vector<Record>& records) {
  RelaxProblem p;
  p.node_count = n_node;
  p.arcs.reserve(records.size());
  for (const Record& r : records) p.arcs.push_back({r.from, r.to, r.cost, r.spare});
  return p;
}

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
template <class Record, class IsCut>
DemandBound demand_bound_without(const std::vector<Record>& records, int e, IsCut cut) {
  DemandBound b;
  const Record& c = records[static_cast<std::size_t>(e - 1)];
  const int n = static_cast<int>(records.size());
  for (int k = 1; k <= n; ++k) {
    if (cut(k)) continue;
    const Record& r = records[static_cast<std::size_t>(k - 1)];
    if (r.from == c.from) b.s_out += r.spare;
    if (r.to == c.to) b.s_in += r.spare;
  }
  b.least = std::min(b.s_out, b.s_in);
  b.demand = b.least >= c.capacity ? c.capacity : b.least;
  return b;
}

// The bound for cutting record `e` alone: it and, in a bidirectional table
// (`paired`), its twin `e + 1` add nothing.
template <class Record>
DemandBound demand_bound(const std::vector<Record>& records, bool paired, int e) {
  return demand_bound_without(records, e, [&](int k) { return k == e || (paired && k == e + 1); });
}
