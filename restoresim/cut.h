// The span a run breaks, as the /b=X-Y word names it, and the roles of its
// two ends.
#pragma once

#include <string>

#include "error.h"
#include "network.h"

namespace restoresim {

struct Cut {
  int span = -1;
  int from = 0, to = 0;             // the nodes as the /b= word named them
  std::string from_word, to_word;   // the two words
  int sender() const;               // the lower-numbered end
  int chooser() const;
};

// The span that /b=X-Y names (studyfiles/span_word.h): X and Y are node names, or
// numbers from 1 to the node count; a name holding '-' is split at each '-'
// in turn, and exactly one split must name two nodes. Between two nodes
// joined by several spans, the first (lowest port position at the
// lower-numbered end). Refused with one line naming the word.
Error resolve_cut(const Network& net, const std::string& word, Cut& cut);

}  // namespace restoresim
