// For the tests only: a check of a scenario's restoration written apart
// from the library, on plain data. It finds on its own which paths the
// scenario hits and ends, what each span offers (spare, and with stub
// release the working channels the hit paths held there), and then holds
// the routes to it: right ends, no failed span or node, no node twice,
// within the limit on spans, within capacity (parallel spans summed), no
// demand beyond its affected paths, the channels adding up to restored.
#pragma once

#include <string>
#include <vector>

namespace audit {

struct Span {
  int a = 0, b = 0;  // node numbers, 1-based
  long long spare = 0;
  long long working = 0;
};

struct Network {
  int nodes = 0;
  std::vector<Span> spans;
  std::vector<std::vector<int>> paths;  // node sequences; a path takes the first span between two nodes with a working channel left
};

struct Scenario {
  std::vector<int> spans;  // failed, 0-based
  std::vector<int> nodes;  // failed, 1-based
};

struct Route {
  std::vector<int> nodes;
  long long channels = 0;
};

struct Counts {
  long long affected = 0, ending = 0;
};

// "" when the routes are a restoration of `restored` channels; else what is
// wrong. `counts` gets the scenario's affected and ending paths.
std::string check(const Network& net, const Scenario& s, bool stub_release, int max_spans, const std::vector<Route>& routes,
                  long long restored, Counts& counts);

// The largest number of affected paths any integral restoration restores,
// by exhaustive search over the simple routes of every demand (small
// networks only).
long long brute_force(const Network& net, const Scenario& s, bool stub_release, int max_spans);

}  // namespace audit
