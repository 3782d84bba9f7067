// The planning problem over arc flows. Column k (k < number of spans) is the
// spare added to span k: integer, at most the largest working capacity of
// the network (more than that never helps), at cost c_k a channel. For each
// cut f that must be restored, two flow columns per other span k (one per
// direction) carry w_f units from one end of f to the other: flow
// conservation at every node, and the two directions of span k together at
// most its kept spare plus the added spare. With whole spare channels, each
// cut's flow can be whole channels too, so only the spare columns need to be
// integer.
#pragma once

#include <vector>

#include "linear_model.h"
#include "span_network.h"

namespace capplan {

// `cuts`: the spans whose cuts the plan restores (0-based).
lpsolve::LinearModel arc_flow_model(const SpanNetwork& net, const std::vector<int>& cuts);

// The flow of cut f (0-based): one node row per node (rows first..first+n-1,
// node v on row first+v-1), w units from one end of f to the other, and two
// flow columns per other span k, held with a capacity row to its kept spare
// plus column k (the added spare). Returns the first node row.
int add_cut_flow(lpsolve::LinearModel& m, const SpanNetwork& net, int f, double w);

// The most spare one span may get: the largest working capacity.
long long spare_ceiling(const SpanNetwork& net);

}  // namespace capplan
