#include "span_word.h"

namespace studyfiles {

SpanWord resolve_span_word(std::string_view word, const std::function<int(const std::string&)>& node_of) {
  SpanWord out;
  int found = 0;
  for (std::size_t dash = word.find('-'); dash != std::string_view::npos; dash = word.find('-', dash + 1)) {
    std::string x(word.substr(0, dash)), y(word.substr(dash + 1));
    const int nx = node_of(x), ny = node_of(y);
    if (nx == 0 || ny == 0) continue;
    if (++found > 1) {
      out.fault = SpanWordFault::ambiguous;
      return out;
    }
    out.from = nx;
    out.to = ny;
    out.from_word = std::move(x);
    out.to_word = std::move(y);
  }
  if (found == 0)
    out.fault = word.find('-') == std::string_view::npos ? SpanWordFault::no_dash : SpanWordFault::no_two_nodes;
  else if (out.from == out.to)
    out.fault = SpanWordFault::same_node;
  return out;
}

}  // namespace studyfiles
