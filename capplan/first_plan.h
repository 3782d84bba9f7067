// A first plan that needs no linear program, for when the linear program
// could not be solved within the time limit: the cuts are restored one after
// another, the largest first, each over the least-cost flow that uses the spare already planned
// for free and adds spare at each span's cost where it must.
#pragma once

#include <vector>

#include "span_network.h"

// Per span: kept spare plus added spare, with which every cut in `cuts`
// (0-based spans, none a bridge) is restored in full.
std::vector<long long> routed_spare(const SpanNetwork& net, const std::vector<int>& cuts);
