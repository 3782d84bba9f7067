// The network a restoration simulator runs on, built from a network
// description of either version: its nodes with their delays and repeat
// limits, its spans with their channels and lengths, and the working paths
// of a version-2 description.
#pragma once

#include <string>
#include <vector>

#include "distance.h"
#include "error.h"
#include "netdesc.h"

namespace restoresim {

// Signals cross a span at 4.9 microseconds per km.
inline constexpr double kMsPerKm = 0.0049;

struct Node {
  std::string name;
  double delay_ms = 0;  // message processing delay
  int repeat_limit = 0; // 0: no limit
  double first = 0, second = 0;  // coordinates
  std::vector<int> spans;  // the node's spans, in the order of its port lines
};

struct Span {
  int a = 0, b = 0;  // end nodes, a < b
  int working = 0;
  int spare = 0;
  double km = 0;
  double prop_ms = 0;  // propagation delay
  int other(int n) const { return n == a ? b : a; }
};

// Where the span lengths came from.
enum class LengthSource { port_miles, port_km, great_circle, none };

struct WorkingPath {
  long long number = 0;
  int line = 0;
  std::vector<int> nodes;  // node numbers, first to last
};

struct Network {
  std::string file_name;
  std::string keyword;
  bool version2 = false;
  LengthSource lengths = LengthSource::none;
  std::vector<Node> nodes;  // index 0 unused (SIM); 1 to node count
  std::vector<Span> spans;  // index 0 first
  std::vector<WorkingPath> paths;  // version 2: the path section
  int node_count() const { return static_cast<int>(nodes.size()) - 1; }
};

// The network of a description read by read_net_any. Ports to node 0 and
// ports whose far end is beyond the node count are no spans; a span is taken
// from its lower-numbered end's port lines (ports of its higher end are
// paired with them in order). A path line naming an unknown node refuses the
// file ("file:line: ...").
Error build_network(const net_description& description, const std::string& file_name, Network& net);

// Reads and builds the network of the named file.
Error load_network(const std::string& file_name, Network& net);

// The first span between nodes x and y, or -1.
int span_between(const Network& net, int x, int y);

}  // namespace restoresim
