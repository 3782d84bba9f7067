#include "netdata.h"

#include <optional>

#include "scanner.h"
#include "text_format.h"

namespace {

// Walks the whole numbers of a text, keeping the line each one stands on.
class NumberReader {
 public:
  NumberReader(std::string_view text, const std::string& file_name) : scanner_(text), file_name_(file_name) {}

  // Reads the next number; what names it in the message when there is none.
  Error next(const std::string& what, int& value) {
    std::optional<long long> number = scanner_.next_whole_word(32);
    if (!number && scanner_.last_word().empty())
      return Error::at(file_name_, last_line_, "the file ends before " + what);
    last_line_ = scanner_.line();
    if (!number)
      return Error::at(file_name_, last_line_,
                       "expected a whole number for " + what + ", found '" + scanner_.last_word() + "'");
    value = static_cast<int>(*number);
    return Error();
  }

  // Line of the next number (after white space).
  int line() { return scanner_.line_here(); }

 private:
  FieldScanner scanner_;
  const std::string& file_name_;
  int last_line_ = 1;  // line of the last number read
};

Error read_edge_record(NumberReader& numbers, int index, int n_node, const std::string& file_name, EdgeRecord& edge) {
  edge.line = numbers.line();
  int* fields[] = {&edge.number, &edge.from, &edge.to, &edge.cost, &edge.spare, &edge.capacity};
  static const char* const names[] = {"the edge number", "the from node", "the to node",
                                      "the cost",        "the spare",     "the capacity"};
  for (int f = 0; f < 6; ++f) {
    Error error = numbers.next(text_printf("%s of edge record %d", names[f], index), *fields[f]);
    if (error) return error;
  }
  for (int node : {edge.from, edge.to}) {
    if (node < 1 || node > n_node)
      return Error::at(file_name, edge.line, text_printf("edge record %d: node %d is outside 1..%d", index, node, n_node));
  }
  return Error();
}

// A count that may not be negative.
Error read_count(NumberReader& numbers, const std::string& what, const std::string& file_name, int& value) {
  int line = numbers.line();
  Error error = numbers.next(what, value);
  if (!error && value < 0) return Error::at(file_name, line, text_printf("%s is negative (%d)", what.c_str(), value));
  return error;
}

}  // namespace

Error read_netdata(std::string_view text, const std::string& file_name, Netdata& out) {
  out = Netdata();
  NumberReader numbers(text, file_name);
  int flag = 0, n_edge = 0;
  Error error = numbers.next("the bidirectional flag", flag);
  if (!error) error = read_count(numbers, "the number of nodes", file_name, out.n_node);
  if (!error) error = read_count(numbers, "the number of edge records", file_name, n_edge);
  if (error) return error;
  out.bidirectional = flag != 0;
  for (int i = 1; i <= n_edge; ++i) {
    EdgeRecord edge;
    error = read_edge_record(numbers, i, out.n_node, file_name, edge);
    if (error) return error;
    out.edges.push_back(edge);
  }
  return Error();
}

std::string format_netdata(const Netdata& net) {
  std::string text = text_printf("%d\n%d\n%d\n", net.bidirectional ? 1 : 0, net.n_node, static_cast<int>(net.edges.size()));
  for (const EdgeRecord& e : net.edges)
    text += text_printf("%d %d %d %d %d %d\n", e.number, e.from, e.to, e.cost, e.spare, e.capacity);
  return text;
}
