// One run of a method: the yardsticks first (the bound and the
// successively shortest routes), then the method (a file each), then the
// figures of the restoration paths it completed.
#include <algorithm>
#include <utility>

#include "methods.h"

namespace restoresim {

RestorationPath path_over(const Network& net, std::vector<int> nodes, std::vector<int> spans, double now) {
  RestorationPath p;
  p.nodes = std::move(nodes);
  p.spans = std::move(spans);
  for (int s : p.spans) p.km += net.spans[s].km;
  p.completion_ms = now;
  return p;
}

RunResult run_method(Method method, const Network& net, const Cut& cut, const Options& options) {
  RunResult r;
  r.method = method;
  const int s = cut.sender(), t = cut.chooser();
  r.bound = spare_max_flow(net, cut.span, s, t);
  const std::vector<Route> routes = successive_shortest_routes(net, cut.span, s, t, net.nodes[s].repeat_limit);
  r.routes = static_cast<int>(routes.size());
  for (const Route& route : routes) r.route_channels += route.channels;
  r.lost = net.spans[cut.span].working;
  switch (method) {
    case Method::vetrun:
      run_single_ended(net, cut, options, r);
      break;
    case Method::kimber:
      run_double_ended(net, cut, options, r);
      break;
    case Method::ospel:
      run_preplanned(net, cut, options, routes, r);
      break;
    case Method::dunvar:
      run_path_restoration(net, cut, options, r);
      break;
  }
  // In the order of completion; equal times keep the order of the run.
  std::stable_sort(r.paths.begin(), r.paths.end(), [](const RestorationPath& x, const RestorationPath& y) {
    return x.completion_ms < y.completion_ms;
  });
  for (const RestorationPath& p : r.paths) {
    r.restored += p.channels;
    r.channel_spans += static_cast<long long>(p.channels) * static_cast<long long>(p.spans.size());
  }
  if (!r.paths.empty()) {
    r.first_ms = r.paths.front().completion_ms;
    r.last_ms = r.paths.back().completion_ms;
  }
  return r;
}

}  // namespace restoresim
