// The span that a word such as "Boston-New_York" or "3-7" names, as the
// simulators' /b= option and the shared-risk groups file (groups.h) take
// it. Each side of a '-' names a node by its
// name first, else by its number from 1 to the node count. A name may hold
// '-', so the word is split at each '-' in turn, and exactly one split may
// name two nodes; those two nodes must be joined by a span.
//
// Nothing here depends on how a program holds its network: the node names,
// the node count (0: names only) and the span lookup are given.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace studyfiles {

// Every node's name with its number (1 to the node count).
using NodeNames = std::map<std::string, int>;

// The node a word names: a name of `names`, else a number from 1 to
// node_count; 0 when it names none.
int node_of_word(const NodeNames& names, int node_count, const std::string& word);

// Every split of the word at one of its '-': the texts before and after
// that '-', the leftmost '-' first.
std::vector<std::pair<std::string, std::string>> dash_splits(const std::string& word);

enum class SpanWordFault {
  none,
  no_dash,       // the word holds no '-'
  no_two_nodes,  // no split names two nodes
  ambiguous,     // more than one split names two nodes
  same_node,     // the one split names the same node twice
  no_span,       // the two nodes are not joined by a span
};

struct SpanWord {
  SpanWordFault fault = SpanWordFault::none;
  int span = -1;                   // what span_between answered
  int from = 0, to = 0;            // the nodes, in the word's order
  std::string from_word, to_word;  // the texts that named them
};

// The span that `word` names; span_between(x, y) gives the span joining
// nodes x and y, or -1. The nodes and words are set from the split that
// named two nodes (the first, when several did).
SpanWord find_span_word(const std::string& word, const NodeNames& names, int node_count,
                        const std::function<int(int, int)>& span_between);

}  // namespace studyfiles
