// The p-cycle plan: whole copies of cycles of spare channels, each copy
// restoring one working channel of every span on its cycle and two of every
// span that straddles it (both ends on the cycle, the span not on it).
//
// The candidate cycles are the simple cycles of the network, enumerated by a
// search from each cycle's lowest-numbered node, each cycle once, in rounds
// of growing length: the last round that stays within kMaxEnumerated cycles
// sets the length cap. The integer program (one integer column of copies per
// candidate, one row per span) starts with the kMaxCandidates enumerated
// cycles of highest a priori efficiency (working channels they could restore
// per unit of cost) and, for every span, the cheapest cycle through it, so
// every span with another route between its ends is covered. While half the
// search's time lasts, its linear program is solved and the enumerated
// cycles that its row prices value above their cost join it, up to
// kPricedPerRound a round, until none does: the linear program is then
// optimal over every enumerated cycle. CBC then searches for the integer
// copies within the run's clock, started from a greedy plan; its bound holds
// over the candidates it was given.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "node_list.h"
#include "planner.h"
#include "span_network.h"

namespace capplan {

struct PCycle {
  std::vector<int> nodes;       // 1-based, in order around the cycle
  std::vector<int> spans;       // 0-based, on the cycle, spans[i] joins nodes[i] and nodes[i + 1] (cyclically)
  std::vector<int> straddling;  // 0-based, both ends on the cycle, not on it
  long long cost = 0;           // of one copy: the sum of its spans' costs
};

struct PCycleCandidates {
  std::vector<PCycle> cycles;
  long long enumerated = 0;  // simple cycles found within the length cap
  int length_cap = 0;        // spans per cycle at most (0: the network has no cycle)
  bool length_capped = false;  // longer cycles exist that were not enumerated
  long long started = 0;       // enumerated cycles the linear program started with
  int priced = 0;              // candidates added for the linear program's prices
};

struct PCyclePlan {
  Plan plan;                      // spare per span: kept plus the copies crossing it
  PCycleCandidates candidates;
  std::vector<long long> copies;  // per candidate
};

inline constexpr long long kMaxEnumerated = 200000;
inline constexpr int kMaxCandidates = 4000;
inline constexpr std::size_t kPricedPerRound = 500;

// The simple cycles of the network (each once), at most `max_enumerated`,
// the longest length whose round stayed within it; all of them, unfiltered.
PCycleCandidates enumerate_cycles(const SpanNetwork& net, long long max_enumerated = kMaxEnumerated);

// Fills c.straddling and c.cost from c.spans and c.nodes.
void complete_cycle(const SpanNetwork& net, PCycle& c);

// How many working channels of span k one copy of the cycle restores: 1 on
// it, 2 straddling, else 0.
int protection(const PCycle& c, int k);

// The spare the copies put on each span, on top of the kept spare.
std::vector<long long> pcycle_spare(const SpanNetwork& net, const std::vector<PCycle>& cycles,
                                    const std::vector<long long>& copies);

// The least-cost copies of the candidate cycles that restore every span but
// the bridges, within the clock of `options`; the linear program starts
// with `max_candidates` of the enumerated cycles.
PCyclePlan plan_pcycles(const SpanNetwork& net, const PlanOptions& options, int max_candidates = kMaxCandidates);

// The --cycles file: the line of the program that wrote it (study.h's
// written_by_line), then one line per cycle with copies, e.g.
//   2 copies  cycle A-B-C-D-A  spans 1 4 7 3  straddling 5
// (spans numbered from 1 as in the report; "straddling -" when none).
std::string cycles_text(const PCyclePlan& p, const studyfiles::NodeList& nodes);

// The line capplan prints about the candidates and the cycles used.
std::string pcycle_summary(const PCyclePlan& p);

}  // namespace capplan
