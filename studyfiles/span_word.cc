#include "span_word.h"

#include <optional>

#include "scanner.h"

namespace studyfiles {

int node_of_word(const NodeNames& names, int node_count, const std::string& word) {
  if (auto it = names.find(word); it != names.end()) return it->second;
  FieldScanner f(word);
  const std::optional<long long> n = f.next_whole_word(32);
  if (n && *n >= 1 && *n <= node_count) return static_cast<int>(*n);
  return 0;
}

std::vector<std::pair<std::string, std::string>> dash_splits(const std::string& word) {
  std::vector<std::pair<std::string, std::string>> splits;
  for (std::size_t dash = word.find('-'); dash != std::string::npos; dash = word.find('-', dash + 1))
    splits.emplace_back(word.substr(0, dash), word.substr(dash + 1));
  return splits;
}

SpanWord find_span_word(const std::string& word, const NodeNames& names, int node_count,
                        const std::function<int(int, int)>& span_between) {
  SpanWord found;
  const std::vector<std::pair<std::string, std::string>> splits = dash_splits(word);
  if (splits.empty()) {
    found.fault = SpanWordFault::no_dash;
    return found;
  }
  int naming = 0;
  for (const auto& [x, y] : splits) {
    const int nx = node_of_word(names, node_count, x), ny = node_of_word(names, node_count, y);
    if (nx == 0 || ny == 0) continue;
    if (++naming > 1) {
      found.fault = SpanWordFault::ambiguous;
      return found;
    }
    found.from = nx;
    found.to = ny;
    found.from_word = x;
    found.to_word = y;
  }
  if (naming == 0) {
    found.fault = SpanWordFault::no_two_nodes;
  } else if (found.from == found.to) {
    found.fault = SpanWordFault::same_node;
  } else {
    found.span = span_between(found.from, found.to);
    if (found.span < 0) found.fault = SpanWordFault::no_span;
  }
  return found;
}

}  // namespace studyfiles
