#include "node_list.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "text_format.h"
#include "textio.h"

namespace {

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Splits a line into its blank-separated words.
std::vector<std::string_view> words_of(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && is_space(line[i])) ++i;
    std::size_t start = i;
    while (i < line.size() && !is_space(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<double> parse_double(std::string_view word) {
  double value = 0.0;
  const char* begin = word.data();
  if (!word.empty() && word[0] == '+') ++begin;
  auto [end, error] = std::from_chars(begin, word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || begin == end) return std::nullopt;
  return value;
}

// Reads one node line (the k-th) into node.
Error read_node_line(std::string_view line, int k, int line_number, const std::string& file_name, Node& node) {
  std::vector<std::string_view> words = words_of(line);
  std::optional<int> number = words.empty() ? std::nullopt : parse_int(words[0]);
  if (!number) return Error::at(file_name, line_number, "expected a node number");
  if (*number != k) return Error::at(file_name, line_number, text_printf("node number %d, expected %d", *number, k));
  if (words.size() < 2) return Error::at(file_name, line_number, "expected a node name after the number");
  node.name = std::string(words[1]);
  if (words.size() == 2) return Error();
  std::optional<double> first = parse_double(words[2]);
  std::optional<double> second = words.size() > 3 ? parse_double(words[3]) : std::nullopt;
  if (!first || !second) return Error::at(file_name, line_number, "expected two coordinates after the node name");
  node.first = *first;
  node.second = *second;
  node.has_coordinates = true;
  return Error();
}

}  // namespace

Error read_node_list(std::string_view text, const std::string& file_name, NodeList& out) {
  out.nodes.clear();
  std::size_t pos = 0;
  std::string line;
  read_line(text, pos, line);  // the title line
  int line_number = 1;
  while (read_line(text, pos, line)) {
    ++line_number;
    Node node;
    Error error = read_node_line(line, static_cast<int>(out.nodes.size()) + 1, line_number, file_name, node);
    if (error) return error;
    out.nodes.push_back(std::move(node));
  }
  return Error();
}

std::string format_node_list(const std::string& title, const NodeList& list) {
  std::string text = title + "\n";
  for (std::size_t k = 0; k < list.nodes.size(); ++k) {
    const Node& node = list.nodes[k];
    const int number = static_cast<int>(k) + 1;
    text += node.has_coordinates ? text_printf("%d %s %f %f\n", number, node.name.c_str(), node.first, node.second)
                                 : text_printf("%d %s\n", number, node.name.c_str());
  }
  return text;
}
