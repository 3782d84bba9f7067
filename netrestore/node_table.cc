#include "node_table.h"

#include <cmath>
#include <cstdio>

#include "scanner.h"
#include "outputs.h"
#include "wholefile.h"

namespace netrestore {

namespace {

constexpr int kStatusSequence = 3;
constexpr int kStatusRefused = 1;
constexpr int kStatusNodeFile = 2;

bool fits_whole_number(float value) {
  return std::isfinite(value) && std::trunc(value) >= -2147483648.0f && std::trunc(value) < 2147483648.0f;
}

// The checks every node line passes once its number is known.
std::optional<std::string> limit_problem(const NodeLine& n, const NodeListRules& rules) {
  if (n.number < 1 || n.number > kLargestNodeNumber)
    return "node " + std::to_string(n.number) + " (" + n.name + "): node numbers run from 1 to 399";
  if (n.name.size() > kMaxNameLength)
    return "node " + std::to_string(n.number) + ": name " + n.name + " is longer than 51 characters";
  if (rules.whole_coordinates && !(fits_whole_number(n.v) && fits_whole_number(n.h)))
    return "node " + std::to_string(n.number) + " (" + n.name + "): coordinates beyond the range of whole numbers";
  return std::nullopt;
}

// The first field of a line when it is written as a whole number but lies
// beyond 32 bits: such a line does carry a number, just none that can be
// one of the nodes.
std::optional<std::string> unreadable_number(std::string_view line) {
  FieldScanner f(line);
  if (f.next_int()) return std::nullopt;
  std::optional<std::string> word = f.next_word();
  if (!word) return std::nullopt;
  std::size_t p = (*word)[0] == '+' || (*word)[0] == '-' ? 1 : 0;
  const std::size_t first_digit = p;
  while (p < word->size() && (*word)[p] >= '0' && (*word)[p] <= '9') ++p;
  if (p == first_digit) return std::nullopt;
  return word->substr(0, p);
}

bool read_rest(FieldScanner& f, NodeLine& n) {
  std::optional<std::string> name = f.next_word();
  if (!name) return false;
  n.name = *name;
  std::optional<float> v = f.next_float();
  std::optional<float> h = v ? f.next_float() : std::nullopt;
  if (!h) return false;
  n.v = *v;
  n.h = *h;
  return true;
}

}  // namespace

NodeList parse_node_list(std::string_view text, const std::string& file_name, NodeListRules rules) {
  NodeList list;
  const std::vector<std::string_view> lines = lines_as_read(text);
  if (!lines.empty()) list.title = lines[0];
  int number = 0;  // a line without a number leaves the last one read
  for (std::size_t k = 1; k < lines.size(); ++k) {
    NodeLine n;
    n.line_number = static_cast<int>(k) + 1;
    FieldScanner f(lines[k]);
    if (!rules.in_sequence && f.at_end()) continue;
    std::optional<int> read = f.next_int();
    if (read) number = *read;
    if (std::optional<std::string> digits = unreadable_number(lines[k])) {
      list.error = Error::at(file_name, n.line_number, "node " + *digits + ": node numbers run from 1 to 399");
      return list;
    }
    if (rules.in_sequence) {
      const int expected = static_cast<int>(list.nodes.size()) + 1;
      if (number != expected) {
        list.error = Error::of(text_printf("!!SequenceNo not correct! It is %d instead of %d.", number, expected));
        list.out_of_sequence = true;
        return list;
      }
    }
    n.number = number;
    if (!read || !read_rest(f, n)) {
      list.error = Error::at(file_name, n.line_number, "expected a node number, a name and two coordinates");
      return list;
    }
    if (std::optional<std::string> problem = limit_problem(n, rules)) {
      list.error = Error::at(file_name, n.line_number, *problem);
      return list;
    }
    list.nodes.push_back(std::move(n));
  }
  return list;
}

void fill_node_table(Network& net, const std::vector<NodeLine>& nodes) {
  for (const NodeLine& n : nodes) {
    Node& record = net.node[n.number];
    record = Node{n.number, n.v, n.h, {}, n.name};
    if (n.number > net.largestNodeID) net.largestNodeID = n.number;
    net.noOfNodes = n.number;
  }
}

int read_node_file(Network& net, const std::string& name, NodeListRules rules, bool print_title) {
  const std::optional<std::string> text = read_whole_file(name);
  if (!text) return cannot_open(name, kStatusNodeFile);
  const NodeList list = parse_node_list(*text, name, rules);
  if (print_title) std::printf("line 0: path file name is %s\n", list.title.c_str());
  if (list.error) {
    std::printf("%s\n", list.error.text().c_str());
    return list.out_of_sequence ? kStatusSequence : kStatusRefused;
  }
  fill_node_table(net, list.nodes);
  return 0;
}

int cut_coordinate(float value) { return static_cast<int>(value); }

}  // namespace netrestore
