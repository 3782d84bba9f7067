// The network statistics report printed before the first cut: extremes and
// totals of capacity and spare, four averages and the node summary.
#pragma once

#include <cstdio>
#include <vector>

#include "network.h"

struct NetStats {
  long long max_capacity = -1000;
  long long min_capacity = 1000000;
  long long max_spare = -1000;
  long long min_spare = 1000000;
  long long total_cap = 0;
  long long total_spares = 0;
  // Node k at index k - 1: what meets at the node (halved in a bidirectional
  // network, where every span is counted in both directions).
  std::vector<long long> total_capacity;
  std::vector<long long> total_spare_lines;
};

NetStats net_stats(const studyfiles::Netdata& net);

// Prints the report of `stats` for `net` to `out`.
void print_net_stats(std::FILE* out, const studyfiles::Netdata& net, const NetStats& stats);
