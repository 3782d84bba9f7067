#include "statistics.h"

#include <algorithm>

using studyfiles::EdgeRecord;
using studyfiles::Netdata;

NetStats net_stats(const Netdata& net) {
  NetStats s;
  s.total_capacity.assign(static_cast<std::size_t>(net.n_node), 0);
  s.total_spare_lines.assign(static_cast<std::size_t>(net.n_node), 0);
  for (const EdgeRecord& e : net.edges) {
    const std::size_t from = static_cast<std::size_t>(e.from - 1);
    const std::size_t to = static_cast<std::size_t>(e.to - 1);
    s.max_spare = std::max<long long>(s.max_spare, e.spare);
    s.min_spare = std::min<long long>(s.min_spare, e.spare);
    s.total_spare_lines[from] += e.spare;
    s.total_spare_lines[to] += e.spare;
    s.max_capacity = std::max<long long>(s.max_capacity, e.capacity);
    s.min_capacity = std::min<long long>(s.min_capacity, e.capacity);
    s.total_capacity[from] += e.capacity;
    s.total_capacity[to] += e.capacity;
    s.total_cap += e.capacity;
    s.total_spares += e.spare;
  }
  if (net.bidirectional) {
    for (long long& t : s.total_capacity) t /= 2;
    for (long long& t : s.total_spare_lines) t /= 2;
  }
  return s;
}

void print_net_stats(std::FILE* out, const Netdata& net, const NetStats& s) {
  const double total_cap = static_cast<double>(s.total_cap);
  const double total_spares = static_cast<double>(s.total_spares);
  const double n_edge = net.n_record;
  std::fprintf(out, "\n*****************NET_STATS***************\n\n");
  std::fprintf(out, "Maximum capacity link -- %lld.\n", s.max_capacity);
  std::fprintf(out, "Minimum capacity link -- %lld.\n", s.min_capacity);
  std::fprintf(out, "Maximum spare link -- %lld.\n", s.max_spare);
  std::fprintf(out, "Minimum spare link -- %lld.\n", s.min_spare);
  std::fprintf(out, "Total network capacity -- %lld.\n", s.total_cap);
  std::fprintf(out, "Total network spares -- %lld.\n", s.total_spares);
  std::fprintf(out, "Ave spare:cap ratio (ie total_spares / total_cap) -- %lf\n", total_spares / total_cap);
  std::fprintf(out, "Ave capacity per link (ie total_cap / n_edge) -- %lf \n", total_cap / n_edge);
  std::fprintf(out, "Ave spares per link (ie total_spares / n_edge) -- %lf \n", total_spares / n_edge);
  // Records over twice the nodes, whatever the label says.
  std::fprintf(out, "Ave links per node (ie n_edge / n_node) -- %lf \n", n_edge / (2.0 * net.n_node));
  std::fprintf(out, "\n------NODE SUMMARY---------\n\n");
  std::fprintf(out, "Node   Total    Total\n");
  std::fprintf(out, " #     Cap in   Sp in\n");
  std::fprintf(out, "----   ------   -----\n");
  for (std::size_t k = 0; k < s.total_capacity.size(); ++k)
    std::fprintf(out, " %2zu \t %3lld     %3lld\n", k + 1, s.total_capacity[k], s.total_spare_lines[k]);
}
