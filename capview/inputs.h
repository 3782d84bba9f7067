// capview's readers of capsweep's two input files: the node list (names and
// coordinates) and the netdata file (the edge records). Each reader works on
// the file's text in memory and returns an error text naming the file and
// the line ("nodes.txt:4: expected a node number"), or an empty string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Node {
  std::string name;
  double first = 0.0;   // first coordinate: vertical, or latitude
  double second = 0.0;  // second coordinate: horizontal, or longitude
  bool has_coordinates = false;
};

// Node k is nodes[k - 1].
struct NodeList {
  std::vector<Node> nodes;
};

struct EdgeRecord {
  int number = 0;  // as written in the file; records are known by position
  int from = 0;
  int to = 0;
  int cost = 0;
  int spare = 0;
  int capacity = 0;  // working capacity, lost when the record is cut
  int line = 0;      // line of the file on which the record starts
};

struct Netdata {
  bool bidirectional = false;
  int n_node = 0;
  std::vector<EdgeRecord> edges;
};

// A title line, then "number name [first second]" per node; the k-th node
// line must carry the number k. Coordinates are optional for the whole file
// but, when a line has them, must be two numbers.
std::string read_node_list(std::string_view text, const std::string& file_name, NodeList& out);

// Whole numbers separated by any white space: bidirectional flag, n_node,
// n_edge, then n_edge groups of six (edge number, from, to, cost, spare,
// capacity). Node numbers must lie in 1..n_node.
std::string read_netdata(std::string_view text, const std::string& file_name, Netdata& out);
