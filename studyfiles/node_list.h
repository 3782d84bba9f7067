// The node list: a title line, then one line per node, "number name first
// second", node k on the k-th line after the title. The node lists of the
// toolkit give the coordinates east first (longitude, then latitude).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "wording.h"

namespace studyfiles {

struct Node {
  std::string name;
  double first = 0.0;   // first coordinate as the file gives it: east (longitude)
  double second = 0.0;  // second coordinate: north (latitude)
  bool has_coordinates = false;
};

// Node k is nodes[k - 1].
struct NodeList {
  std::vector<Node> nodes;

  int count() const { return static_cast<int>(nodes.size()); }
  // The name of node k; a number that is no node of the list is shown as
  // itself.
  std::string name_of(int k) const;
};

// What a node list was refused for, for a caller whose exit status depends
// on it.
enum class NodeListFault { none, sequence, name, coordinates };

// The k-th node line must carry the number k (`sequence`), then a name
// (`name`). Coordinates are optional for the whole file but, when a line has
// them, must be two numbers (`coordinates`). A refused list leaves in `out`
// the nodes before the refused line.
//
// In capsweep's wording the number is read as "%d" reads it (a line without
// one carries 0), nothing after the name is read, and a line out of sequence
// is refused without file or line: "!!SequenceNo not correct! It is 4
// instead of 3."
Error read_node_list(std::string_view text, const std::string& file_name, NodeList& out, Wording wording,
                     NodeListFault& fault);
// In the wording of the studies.
Error read_node_list(std::string_view text, const std::string& file_name, NodeList& out);

// The title line, then "%d %s %f %f" per node ("%d %s" for a node without
// coordinates).
std::string format_node_list(const std::string& title, const NodeList& list);

}  // namespace studyfiles
