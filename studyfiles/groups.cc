#include "groups.h"

#include <algorithm>
#include <map>
#include <utility>

#include "scanner.h"
#include "span_word.h"

namespace studyfiles {

namespace {

using EndPair = std::pair<int, int>;

EndPair ends_of(int a, int b) { return {std::min(a, b), std::max(a, b)}; }

// The words of a line, split at blanks and tabs.
std::vector<std::string> words_of(std::string_view line) {
  std::vector<std::string> words;
  FieldScanner f(line);
  while (std::optional<std::string> w = f.next_word()) words.push_back(std::move(*w));
  return words;
}

}  // namespace

Error read_groups(std::string_view text, const std::string& file, const NodeList& nodes, const std::vector<Span>& spans,
                  GroupsFile& out) {
  out = GroupsFile{};
  const std::vector<std::string_view> lines = lines_as_read(text);
  if (lines.empty()) return Error::at(file, 1, "empty groups file: no title line");
  out.title = std::string(without_line_end(lines[0]));
  NodeNames names;
  for (int v = 0; v < nodes.count(); ++v) names.emplace(nodes.nodes[static_cast<std::size_t>(v)].name, v + 1);
  std::map<EndPair, std::vector<int>> spans_between;
  for (std::size_t k = 0; k < spans.size(); ++k)
    spans_between[ends_of(spans[k].from, spans[k].to)].push_back(static_cast<int>(k) + 1);
  const auto span_between = [&](int x, int y) {
    const auto found = spans_between.find(ends_of(x, y));
    return found == spans_between.end() ? -1 : found->second.front();
  };
  std::map<std::string, int> group_line;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int at = static_cast<int>(i) + 1;
    const std::vector<std::string> words = words_of(lines[i]);
    if (words.empty()) continue;
    Group group{words[0], {}, at};
    const auto [first, added] = group_line.emplace(group.name, at);
    if (!added) return Error::at(file, at, text_printf("group %s is named twice, first on line %d", group.name.c_str(), first->second));
    if (words.size() == 1) return Error::at(file, at, "group " + group.name + " names no span");
    std::vector<EndPair> named;
    for (std::size_t w = 1; w < words.size(); ++w) {
      const std::string& word = words[w];
      // Nodes by name only: the file names its spans by their ends' names.
      const SpanWord s = find_span_word(word, names, 0, span_between);
      switch (s.fault) {
        case SpanWordFault::none:
          break;
        case SpanWordFault::no_dash:
          return Error::at(file, at, "'" + word + "' is no span: expected its two end nodes joined by '-'");
        case SpanWordFault::no_two_nodes:
          return Error::at(file, at, "'" + word + "' names no two nodes of the node list");
        case SpanWordFault::ambiguous:
          return Error::at(file, at, "'" + word + "' is ambiguous: more than one split at '-' names two nodes");
        case SpanWordFault::same_node:
          return Error::at(file, at, "'" + word + "' names the same node twice");
        case SpanWordFault::no_span:
          return Error::at(file, at, "'" + word + "': no span joins " + s.from_word + " and " + s.to_word);
      }
      const EndPair ends = ends_of(s.from, s.to);
      const auto between = spans_between.find(ends);
      if (std::find(named.begin(), named.end(), ends) != named.end())
        return Error::at(file, at, "group " + group.name + " names the span " + s.from_word + "-" + s.to_word + " twice");
      named.push_back(ends);
      group.spans.insert(group.spans.end(), between->second.begin(), between->second.end());
    }
    out.groups.push_back(std::move(group));
  }
  return {};
}

std::string format_groups(const GroupsFile& groups, const NodeList& nodes, const std::vector<Span>& spans) {
  std::string text = groups.title + "\n";
  for (const Group& g : groups.groups) {
    text += g.name;
    std::vector<EndPair> written;
    for (int k : g.spans) {
      const Span& s = spans[static_cast<std::size_t>(k - 1)];
      const EndPair ends = ends_of(s.from, s.to);
      if (std::find(written.begin(), written.end(), ends) != written.end()) continue;
      written.push_back(ends);
      text += " " + nodes.name_of(s.from) + "-" + nodes.name_of(s.to);
    }
    text += "\n";
  }
  return text;
}

}  // namespace studyfiles
