#include "network.h"

namespace pathrestore {

std::string Network::span_ends(int index) const {
  const studyfiles::Span& s = spans[static_cast<std::size_t>(index)];
  return name_of(s.from) + "-" + name_of(s.to);
}

Network network_of(const studyfiles::NodeList& nodes, int n_node, const std::vector<studyfiles::Span>& spans) {
  Network net;
  net.nodes = nodes;
  net.n_node = n_node;
  net.spans = spans;
  net.spans_at.assign(static_cast<std::size_t>(n_node) + 1, {});
  for (std::size_t k = 0; k < spans.size(); ++k) {
    net.spans_at[static_cast<std::size_t>(spans[k].from)].push_back(static_cast<int>(k));
    net.spans_at[static_cast<std::size_t>(spans[k].to)].push_back(static_cast<int>(k));
  }
  return net;
}

}  // namespace pathrestore
