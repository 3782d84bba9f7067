// A span named by its two end nodes in one word, "A-B", as the simulators'
// /b= option and the shared-risk groups file name spans. Node names may
// themselves hold '-', so the word is tried at every '-': exactly one split
// may give two node names, else the word is ambiguous or names no two nodes.
// Whether a span joins the two nodes is the caller's question, and so are
// the words of its messages.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace studyfiles {

enum class SpanWordFault {
  none,
  no_dash,      // the word holds no '-'
  no_two_nodes, // no split gives two node names
  ambiguous,    // more than one split does
  same_node,    // the one split names the same node twice
};

struct SpanWord {
  SpanWordFault fault = SpanWordFault::none;
  int from = 0, to = 0;             // the nodes named, as node_of numbers them
  std::string from_word, to_word;   // the two halves of the word
};

// node_of(name) gives the node a half names, or 0 when it names none.
SpanWord resolve_span_word(std::string_view word, const std::function<int(const std::string&)>& node_of);

}  // namespace studyfiles
