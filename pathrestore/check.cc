#include "check.h"

#include <algorithm>
#include <map>
#include <utility>

#include "text_format.h"

namespace pathrestore {

Error check_routes(const Network& net, const ScenarioProblem& p, const std::vector<Route>& routes, long long restored,
                   int max_spans) {
  using EndPair = std::pair<int, int>;
  const auto ends_of = [](int a, int b) { return EndPair{std::min(a, b), std::max(a, b)}; };
  // What each pair of nodes offers: the capacity of its surviving spans.
  std::map<EndPair, long long> offered;
  std::map<EndPair, int> failed_between;  // a failed span between the pair, for the message
  for (int k = 0; k < net.span_count(); ++k) {
    const studyfiles::Span& s = net.spans[static_cast<std::size_t>(k)];
    if (p.span_failed[static_cast<std::size_t>(k)])
      failed_between.emplace(ends_of(s.from, s.to), k);
    else
      offered[ends_of(s.from, s.to)] += p.capacity[static_cast<std::size_t>(k)];
  }
  std::map<EndPair, long long> affected;
  for (const RestorationDemand& d : p.demands) affected[ends_of(d.from, d.to)] = d.affected;

  std::map<EndPair, long long> used, carried;
  long long total = 0;
  for (std::size_t r = 0; r < routes.size(); ++r) {
    const Route& route = routes[r];
    std::string shown;
    for (int v : route.nodes)
      shown += (shown.empty() ? "" : " ") + (v >= 1 && v <= net.n_node ? net.name_of(v) : std::to_string(v));
    const auto fault = [&](const std::string& what) {
      return Error::of(text_printf("route %zu (%s) %s", r + 1, shown.c_str(), what.c_str()));
    };
    if (route.nodes.size() < 2) return fault("names fewer than two nodes");
    if (route.channels <= 0) return fault(text_printf("carries %lld channels", route.channels));
    for (int v : route.nodes)
      if (v < 1 || v > net.n_node) return fault(text_printf("names node %d, which is not in the network", v));
    const EndPair ends = ends_of(route.nodes.front(), route.nodes.back());
    if (affected.count(ends) == 0) return fault("joins two nodes with no affected demand between them");
    if (max_spans > 0 && static_cast<int>(route.nodes.size()) - 1 > max_spans)
      return fault(text_printf("has %zu spans, more than %d", route.nodes.size() - 1, max_spans));
    for (std::size_t j = 0; j < route.nodes.size(); ++j) {
      const int v = route.nodes[j];
      if (p.node_failed[static_cast<std::size_t>(v)]) return fault("passes the failed node " + net.name_of(v));
      if (std::find(route.nodes.begin(), route.nodes.begin() + static_cast<std::ptrdiff_t>(j), v) !=
          route.nodes.begin() + static_cast<std::ptrdiff_t>(j))
        return fault("visits " + net.name_of(v) + " twice");
    }
    for (std::size_t j = 0; j + 1 < route.nodes.size(); ++j) {
      const int v = route.nodes[j];
      const EndPair hop = ends_of(v, route.nodes[j + 1]);
      if (offered.count(hop) == 0) {
        const auto failed = failed_between.find(hop);
        if (failed != failed_between.end())
          return fault(text_printf("crosses the failed span %d (%s)", failed->second + 1, net.span_ends(failed->second).c_str()));
        return fault("joins " + net.name_of(v) + " and " + net.name_of(route.nodes[j + 1]) + ", which no span joins");
      }
      used[hop] += route.channels;
    }
    carried[ends] += route.channels;
    total += route.channels;
  }
  for (const auto& [hop, n] : used)
    if (n > offered.at(hop))
      return Error::of(text_printf("the routes put %lld channels between %s and %s, which offer %lld", n,
                                   net.name_of(hop.first).c_str(), net.name_of(hop.second).c_str(), offered.at(hop)));
  for (const auto& [ends, n] : carried)
    if (n > affected.at(ends))
      return Error::of(text_printf("the routes restore %lld paths between %s and %s, which lose %lld", n,
                                   net.name_of(ends.first).c_str(), net.name_of(ends.second).c_str(), affected.at(ends)));
  if (total != restored)
    return Error::of(text_printf("the routes carry %lld channels in all, not the %lld restored", total, restored));
  return {};
}

}  // namespace pathrestore
