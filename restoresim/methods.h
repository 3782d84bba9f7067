// The four methods, each in a file of its own over the engine: each runs one
// cut and fills the run's messages, events and restoration paths
// (run_method, in run_method.cc, adds the rest). Inside restoresim only.
#pragma once

#include <vector>

#include "restoresim.h"

namespace restoresim {

// The kinds of the methods' messages.
enum Kind { START, FLOOD, CONFIRM, RELEASE, CONNECT, CANCEL };

// A restoration path over the nodes and spans, completed at `now` (one
// channel; its km summed over the spans).
RestorationPath path_over(const Network& net, std::vector<int> nodes, std::vector<int> spans, double now);

// vetrun: single-ended flooding, for r.lost lost channels (single_ended.cc).
void run_single_ended(const Network& net, const Cut& cut, const Options& options, RunResult& r);
// kimber: double-ended flooding, for r.lost lost channels (double_ended.cc).
void run_double_ended(const Network& net, const Cut& cut, const Options& options, RunResult& r);
// ospel: a connect message along each route until r.lost channels are
// covered (preplanned.cc).
void run_preplanned(const Network& net, const Cut& cut, const Options& options, const std::vector<Route>& routes,
                    RunResult& r);
// dunvar: end-to-end path restoration of the working paths across the cut,
// which it sets in r.affected, with their number in r.lost
// (path_restoration.cc).
void run_path_restoration(const Network& net, const Cut& cut, const Options& options, RunResult& r);

}  // namespace restoresim
