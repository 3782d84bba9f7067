// The shared-risk groups file: spans that fail together because they share
// a duct, a bridge, a trench. A title line, then one group per line: its
// name, then its spans, each as its two end nodes' names joined by '-'
// ("Chicago-New_York"; either order). Blank lines are passed over.
//
// A name that itself holds '-' must still leave exactly one split of the
// word that names two nodes (span_word.h). Spans in parallel between the
// same two nodes fail together: the word names all of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "node_list.h"
#include "spans.h"

namespace studyfiles {

struct Group {
  std::string name;
  std::vector<int> spans;  // span numbers (span k is spans[k - 1] of the netdata's spans), in the order named
  int line = 0;            // where the group is, in the file read
};

struct GroupsFile {
  std::string title;  // the first line, without its line end
  std::vector<Group> groups;
};

// Reads a groups file whose spans are those of a netdata file over the
// node list. Refused, with the line: a line that names no span, a word that
// names no span of the network (or is ambiguous), a span named twice in one
// group, a group name used twice.
Error read_groups(std::string_view text, const std::string& file, const NodeList& nodes, const std::vector<Span>& spans,
                  GroupsFile& out);

// The file as read_groups reads it: the title, then per group its name and
// each pair of end nodes once, in the order of the group's spans.
std::string format_groups(const GroupsFile& groups, const NodeList& nodes, const std::vector<Span>& spans);

}  // namespace studyfiles
