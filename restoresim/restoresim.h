// The four restoration methods over the shared engine, the bounds they are
// measured against, and what a run writes: the cut report on standard
// output and one row of the experiment's running result table.
#pragma once

#include <string>
#include <vector>

#include "command_line.h"
#include "cut.h"
#include "method.h"
#include "network.h"

namespace restoresim {

struct RestorationPath {
  int channels = 1;
  std::vector<int> nodes;  // from one end of the restored demand to the other
  std::vector<int> spans;
  double km = 0;
  double completion_ms = 0;
  int working_path = -1;  // dunvar: the affected path it restores
};

// dunvar: a working path that crosses the cut span.
struct AffectedPath {
  long long number = 0;
  int from = 0, to = 0;  // its end nodes
  int hops = 0;          // spans of the working path
  bool restored = false;
  int attempts = 0;
};

struct RunResult {
  Method method = Method::vetrun;
  int lost = 0;        // working channels lost
  int restored = 0;
  int bound = 0;       // maximum flow between the cut's ends over the other spans' spare
  int routes = 0;      // successively shortest routes between the ends
  int route_channels = 0;  // the channels those routes carry
  double first_ms = 0, last_ms = 0;
  long long messages = 0;
  long long channel_spans = 0;  // spare channel-spans seized by the restored paths
  long long events = 0;
  std::vector<RestorationPath> paths;
  std::vector<AffectedPath> affected;
};

// One successively shortest route: its spans from `from` to `to` and the
// channels it takes.
struct Route {
  std::vector<int> nodes;
  std::vector<int> spans;
  int channels = 0;
};

// Successively shortest routes between x and y over the spare channels of
// every span but `cut`, at most `limit` spans long (0: no limit): each a
// route of fewest spans (breadth first from x, the nodes' spans in port
// order, the first route found kept), taking as many channels as its
// narrowest span has left, until no route is left.
std::vector<Route> successive_shortest_routes(const Network& net, int cut, int x, int y, int limit);

// The maximum flow between x and y over the spare channels of every span but
// `cut` (each span's spare serves both directions).
int spare_max_flow(const Network& net, int cut, int x, int y);

// One run: the method on the network (options already applied) with the cut.
RunResult run_method(Method method, const Network& net, const Cut& cut, const Options& options);

// The cut report of a run, as written on standard output.
std::string format_report(Method method, const Network& net, const Cut& cut, const Options& options,
                          const RunResult& result);

// The row of the result table for a run.
std::string format_row(const Cut& cut, const RunResult& result);

}  // namespace restoresim
