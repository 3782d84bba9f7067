// The node table of routeweave and linkweave, from their node list reader: a title line, then
// "number name first-coordinate second-coordinate" per node.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network.h"

namespace netrestore {

struct NodeLine {
  int line_number = 0;  // in the file, the title line being line 1
  int number = 0;
  std::string name;
  float v = 0;
  float h = 0;
};

struct NodeListRules {
  // routeweave: node lines must be numbered 1, 2, 3 ... (exit status 3
  // otherwise), and coordinates are cut to whole numbers, so they must fit
  // in one. linkweave: each line names its own slot; blank lines are passed.
  bool in_sequence = true;
  bool whole_coordinates = true;
};

struct NodeList {
  std::string title;  // the first line as read, line feed included
  std::vector<NodeLine> nodes;
  Error error;  // when set, `nodes` holds the lines before it
  bool out_of_sequence = false;  // the error is a node line numbered out of sequence
};

NodeList parse_node_list(std::string_view text, const std::string& file_name, NodeListRules rules);

// Fills the node records named by the lines; the number on the last line
// is the number of nodes.
void fill_node_table(Network& net, const std::vector<NodeLine>& nodes);

// Reads the node list file into the node table, printing its title with
// "line 0: path file name is %s\n" when `print_title`. Returns an exit
// status: 0; 2 when the file cannot be opened; the reader's status after
// its message.
int read_node_file(Network& net, const std::string& name, NodeListRules rules, bool print_title);

// A coordinate cut toward zero to a whole number (7.9 gives 7, -7.9 gives -7).
int cut_coordinate(float value);

}  // namespace netrestore
