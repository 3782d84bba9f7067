#include "node_list.h"

#include <optional>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

namespace {

// Reads one node line (the k-th) into node.
Error read_node_line(std::string_view line, int k, int line_number, const std::string& file_name, Wording wording,
                     Node& node, NodeListFault& fault) {
  const bool capsweep = wording == Wording::capsweep;
  FieldScanner fields(line);
  std::optional<long long> number;
  if (capsweep)
    number = fields.next_int();
  else
    number = fields.next_whole_word(32);
  if (number != k) {
    fault = NodeListFault::sequence;
    if (capsweep)
      return Error::of(text_printf("!!SequenceNo not correct! It is %d instead of %d.", static_cast<int>(number.value_or(0)), k));
    if (!number) return Error::at(file_name, line_number, "expected a node number");
    return Error::at(file_name, line_number, text_printf("node number %d, expected %d", static_cast<int>(*number), k));
  }
  std::optional<std::string> name = fields.next_word();
  if (!name) {
    fault = NodeListFault::name;
    return Error::at(file_name, line_number,
                     capsweep ? text_printf("expected a node name after the number %d", k) : "expected a node name after the number");
  }
  node.name = std::move(*name);
  if (capsweep || fields.at_end()) return Error();
  std::optional<double> first = fields.next_real_word();
  std::optional<double> second = fields.next_real_word();
  if (!first || !second) {
    fault = NodeListFault::coordinates;
    return Error::at(file_name, line_number, "expected two coordinates after the node name");
  }
  node.first = *first;
  node.second = *second;
  node.has_coordinates = true;
  return Error();
}

}  // namespace

std::string NodeList::name_of(int k) const {
  if (k >= 1 && k <= count()) return nodes[static_cast<std::size_t>(k - 1)].name;
  return std::to_string(k);
}

Error read_node_list(std::string_view text, const std::string& file_name, NodeList& out, Wording wording,
                     NodeListFault& fault) {
  out.nodes.clear();
  fault = NodeListFault::none;
  const std::vector<std::string_view> lines = lines_as_read(text);  // the title line first
  for (std::size_t i = 1; i < lines.size(); ++i) {
    Node node;
    const int k = static_cast<int>(i);
    Error error = read_node_line(lines[i], k, k + 1, file_name, wording, node, fault);
    if (error) return error;
    out.nodes.push_back(std::move(node));
  }
  return Error();
}

Error read_node_list(std::string_view text, const std::string& file_name, NodeList& out) {
  NodeListFault fault = NodeListFault::none;
  return read_node_list(text, file_name, out, Wording::studies, fault);
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

}  // namespace studyfiles
