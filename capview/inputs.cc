#include "inputs.h"

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

std::string at_line(const std::string& file_name, int line, const std::string& what) {
  return file_name + ":" + std::to_string(line) + ": " + what;
}

// Reads one node line (the k-th) into node.
std::string read_node_line(std::string_view line, int k, int line_number, const std::string& file_name, Node& node) {
  std::vector<std::string_view> words = words_of(line);
  std::optional<int> number = words.empty() ? std::nullopt : parse_int(words[0]);
  if (!number) return at_line(file_name, line_number, "expected a node number");
  if (*number != k) return at_line(file_name, line_number, text_printf("node number %d, expected %d", *number, k));
  if (words.size() < 2) return at_line(file_name, line_number, "expected a node name after the number");
  node.name = std::string(words[1]);
  if (words.size() == 2) return "";
  std::optional<double> first = parse_double(words[2]);
  std::optional<double> second = words.size() > 3 ? parse_double(words[3]) : std::nullopt;
  if (!first || !second) return at_line(file_name, line_number, "expected two coordinates after the node name");
  node.first = *first;
  node.second = *second;
  node.has_coordinates = true;
  return "";
}

// Walks the whole numbers of a text, keeping the line each one stands on.
class NumberReader {
 public:
  NumberReader(std::string_view text, const std::string& file_name) : text_(text), file_name_(file_name) {}

  // Reads the next number; what names it in the message when there is none.
  std::string next(const std::string& what, int& value) {
    skip_space();
    if (pos_ >= text_.size()) return at_line(file_name_, last_line_, "the file ends before " + what);
    last_line_ = line_;
    std::size_t start = pos_;
    while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
    std::string_view word = text_.substr(start, pos_ - start);
    std::optional<int> number = parse_int(word);
    if (!number)
      return at_line(file_name_, line_, "expected a whole number for " + what + ", found '" + std::string(word) + "'");
    value = *number;
    return "";
  }

  // Line of the next number (after white space).
  int line() {
    skip_space();
    return line_;
  }

 private:
  void skip_space() {
    while (pos_ < text_.size() && is_space(text_[pos_])) {
      if (text_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }

  std::string_view text_;
  const std::string& file_name_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int last_line_ = 1;  // line of the last number read
};

std::string read_edge_record(NumberReader& numbers, int index, int n_node, const std::string& file_name,
                             EdgeRecord& edge) {
  edge.line = numbers.line();
  int* fields[] = {&edge.number, &edge.from, &edge.to, &edge.cost, &edge.spare, &edge.capacity};
  static const char* const names[] = {"the edge number", "the from node", "the to node",
                                      "the cost",        "the spare",     "the capacity"};
  for (int f = 0; f < 6; ++f) {
    std::string error = numbers.next(text_printf("%s of edge record %d", names[f], index), *fields[f]);
    if (!error.empty()) return error;
  }
  for (int node : {edge.from, edge.to}) {
    if (node < 1 || node > n_node)
      return at_line(file_name, edge.line,
                     text_printf("edge record %d: node %d is outside 1..%d", index, node, n_node));
  }
  return "";
}

// A count that may not be negative.
std::string read_count(NumberReader& numbers, const std::string& what, const std::string& file_name, int& value) {
  int line = numbers.line();
  std::string error = numbers.next(what, value);
  if (error.empty() && value < 0)
    error = at_line(file_name, line, text_printf("%s is negative (%d)", what.c_str(), value));
  return error;
}

}  // namespace

std::string read_node_list(std::string_view text, const std::string& file_name, NodeList& out) {
  out.nodes.clear();
  std::size_t pos = 0;
  std::string line;
  read_line(text, pos, line);  // the title line
  int line_number = 1;
  while (read_line(text, pos, line)) {
    ++line_number;
    Node node;
    std::string error = read_node_line(line, static_cast<int>(out.nodes.size()) + 1, line_number, file_name, node);
    if (!error.empty()) return error;
    out.nodes.push_back(std::move(node));
  }
  return "";
}

std::string read_netdata(std::string_view text, const std::string& file_name, Netdata& out) {
  out = Netdata();
  NumberReader numbers(text, file_name);
  int flag = 0, n_edge = 0;
  std::string error = numbers.next("the bidirectional flag", flag);
  if (error.empty()) error = read_count(numbers, "the number of nodes", file_name, out.n_node);
  if (error.empty()) error = read_count(numbers, "the number of edge records", file_name, n_edge);
  if (!error.empty()) return error;
  out.bidirectional = flag != 0;
  for (int i = 1; i <= n_edge; ++i) {
    EdgeRecord edge;
    error = read_edge_record(numbers, i, out.n_node, file_name, edge);
    if (!error.empty()) return error;
    out.edges.push_back(edge);
  }
  return "";
}
