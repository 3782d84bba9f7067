// ospel: the routes are planned before the cut; the sender sends one connect
// message along each, and a route is restored when its message reaches the
// chooser.
#include <algorithm>
#include <numeric>

#include "engine.h"
#include "methods.h"

namespace restoresim {

void run_preplanned(const Network& net, const Cut& cut, const Options& options, const std::vector<Route>& routes,
                    RunResult& r) {
  Engine engine(net, options.crossconnect_ms);
  std::vector<int> channels;  // per route sent: the channels it restores
  for (const Route& route : routes) {
    const int left = r.lost - std::accumulate(channels.begin(), channels.end(), 0);
    if (left <= 0) break;
    channels.push_back(std::min(left, route.channels));
  }
  Message start;
  start.kind = START;
  start.node = cut.sender();
  engine.post(start, options.detection_ms);
  engine.run([&](const Message& m, double now) {
    if (m.kind == START) {
      for (std::size_t k = 0; k < channels.size(); ++k) {
        Message c;
        c.kind = CONNECT;
        c.route = static_cast<int>(k);
        c.count = 1;
        c.crossconnect = true;
        engine.send(m.node, routes[k].spans[0], c);
      }
      return;
    }
    const Route& route = routes[static_cast<std::size_t>(m.route)];
    if (m.count < static_cast<int>(route.spans.size())) {
      Message c = m;
      ++c.count;
      engine.send(m.node, route.spans[static_cast<std::size_t>(m.count)], c);
      return;
    }
    r.paths.push_back(path_over(net, route.nodes, route.spans, now));
    r.paths.back().channels = channels[static_cast<std::size_t>(m.route)];
  });
  r.messages = engine.messages();
  r.events = engine.events();
}

}  // namespace restoresim
