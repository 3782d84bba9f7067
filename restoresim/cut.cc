#include "cut.h"

#include <algorithm>

#include "span_word.h"

namespace restoresim {

using studyfiles::NodeNames;
using studyfiles::SpanWord;
using studyfiles::SpanWordFault;
using studyfiles::dash_splits;
using studyfiles::find_span_word;
using studyfiles::node_of_word;

int Cut::sender() const { return std::min(from, to); }
int Cut::chooser() const { return std::max(from, to); }

Error resolve_cut(const Network& net, const std::string& word, Cut& cut) {
  NodeNames names;
  for (int n = 1; n <= net.node_count(); ++n) names.emplace(net.nodes[n].name, n);
  const SpanWord found =
      find_span_word(word, names, net.node_count(), [&](int x, int y) { return span_between(net, x, y); });
  const std::string prefix = "/b=" + word + ": ";
  switch (found.fault) {
    case SpanWordFault::none:
      break;
    case SpanWordFault::no_dash:
      return Error::of(prefix + "expected two end nodes joined by '-'");
    case SpanWordFault::ambiguous:
      return Error::of(prefix + "ambiguous, more than one split at '-' names two nodes");
    case SpanWordFault::no_two_nodes:
      // halvane's scripts cut the ports to node 0 too, which are no spans here.
      for (const auto& [x, y] : dash_splits(word))
        if ((x == "SIM" && node_of_word(names, net.node_count(), y) != 0) ||
            (y == "SIM" && node_of_word(names, net.node_count(), x) != 0))
          return Error::of(prefix + "SIM, node 0, is no node of the simulated network; its ports are no spans");
      return Error::of(prefix + "names no two nodes of " + net.file_name);
    case SpanWordFault::same_node:
      return Error::of(prefix + "names the same node twice");
    case SpanWordFault::no_span:
      return Error::of(prefix + "no span between " + net.nodes[found.from].name + " and " + net.nodes[found.to].name);
  }
  cut.span = found.span;
  cut.from = found.from;
  cut.to = found.to;
  cut.from_word = found.from_word;
  cut.to_word = found.to_word;
  return Error();
}

}  // namespace restoresim
