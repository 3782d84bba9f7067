// How much of a cut span's working capacity the spare of the other spans can
// carry between its two ends: a maximum flow (LEMON's Preflow) in which span
// k offers spare[k] channels in each direction. The plan's proof, its
// trimming and the bridge search all ask this one question.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "span_network.h"

namespace capplan {

class RestorationCheck {
 public:
  explicit RestorationCheck(const SpanNetwork& net);
  ~RestorationCheck();
  RestorationCheck(const RestorationCheck&) = delete;
  RestorationCheck& operator=(const RestorationCheck&) = delete;

  // The most channels that can be rerouted around span `cut` (0-based) when
  // span k has spare[k] spare channels.
  long long restorable(const std::vector<long long>& spare, int cut);

  // The same question with fractional spare (a linear program's): the most
  // flow around span `cut` when span k offers capacity[k] in each
  // direction, and in `cut_spans` the spans other than `cut` that cross a
  // minimum cut between its ends (the side its first end reaches), whose
  // capacities sum to that flow.
  double min_cut(const std::vector<double>& capacity, int cut, std::vector<int>& cut_spans);

 private:
  struct Graph;
  std::unique_ptr<Graph> graph_;
  std::vector<PlanSpan> spans_;
};

// Spans with working channels whose ends no other route joins: no spare
// anywhere restores their cut.
std::vector<int> find_bridges(const SpanNetwork& net);

// A cut that the spare does not restore in full.
struct ShortCut {
  int span = 0;  // 0-based
  long long restorable = 0;
};

// Every span with working channels that is not skipped (the bridges) and
// whose cut the spare does not restore in full.
std::vector<ShortCut> short_cuts(const SpanNetwork& net, const std::vector<long long>& spare,
                                 const std::vector<int>& skipped);

// For each span, how many cuts would no longer be restored in full with one
// spare channel less on it (0 for a span without spare).
std::vector<int> cuts_needing_spare(const SpanNetwork& net, const std::vector<long long>& spare,
                                    const std::vector<int>& skipped);

// Adds spare channels until every cut that is not skipped is restored in
// full: a short cut's missing channels go on the cheapest span of a minimum
// cut between its ends, until its flow meets its working. Spare only grows,
// so that a cut once restored stays restored. A cut no spare can restore
// (a bridge) is left short.
void repair_spare(const SpanNetwork& net, std::vector<long long>& spare, const std::vector<int>& skipped);

// Takes spare channels away one at a time, the dearest spans first, as long
// as every cut that is not skipped stays fully restorable and no span drops
// below its kept spare. The spare must restore every such cut to begin with.
// `stop`, when given, is asked before each channel: true ends the trimming
// early, with every cut still restored.
void trim_spare(const SpanNetwork& net, std::vector<long long>& spare, const std::vector<int>& skipped,
                const std::function<bool()>& stop = {});

}  // namespace capplan
