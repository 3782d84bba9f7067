#include "netdata.h"

#include <optional>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

namespace {

// Walks the whole numbers of a text, keeping the line each one stands on.
class NumberReader {
 public:
  NumberReader(std::string_view text, const std::string& file_name, Wording wording)
      : scanner_(text), file_name_(file_name), wording_(wording) {}

  // Reads the next number; what names it in the message when there is none.
  Error next(const std::string& what, int& value) {
    std::optional<long long> number = scanner_.next_whole_word(32);
    if (!number && scanner_.last_word().empty()) return at_last("the file ends before " + what);
    last_line_ = scanner_.line();
    if (!number) {
      const std::string& word = scanner_.last_word();
      return at_last(wording_ == Wording::capsweep ? "expected " + what + ", found \"" + word + "\""
                                                   : "expected a whole number for " + what + ", found '" + word + "'");
    }
    value = static_cast<int>(*number);
    return Error();
  }

  // The message at the line of the last number read.
  Error at_last(const std::string& what) const { return Error::at(file_name_, last_line_, what); }

  // Line of the next number (after white space).
  int line() { return scanner_.line_here(); }

 private:
  FieldScanner scanner_;
  const std::string& file_name_;
  const Wording wording_;
  int last_line_ = 1;  // line of the last number read
};

Error read_edge_record(NumberReader& numbers, int index, int n_node, const std::string& file_name, Wording wording,
                       EdgeRecord& edge) {
  edge.line = numbers.line();
  int* fields[] = {&edge.number, &edge.from, &edge.to, &edge.cost, &edge.spare, &edge.capacity};
  static const char* const names[] = {"edge number", "from node", "to node", "cost", "spare", "capacity"};
  const char* const record = wording == Wording::capsweep ? "record" : "edge record";
  const auto is_node = [](int node, int n) { return node >= 1 && node <= n; };
  // capsweep checks a node as soon as it is read, the other readers once the
  // record is read whole.
  for (int f = 0; f < 6; ++f) {
    Error error = numbers.next(text_printf("the %s of %s %d", names[f], record, index), *fields[f]);
    if (error) return error;
    if (wording == Wording::capsweep && (f == 1 || f == 2) && !is_node(*fields[f], n_node))
      return numbers.at_last(text_printf("record %d: %s %d is not a node number (1 to %d)", index, names[f],
                                         *fields[f], n_node));
  }
  for (int node : {edge.from, edge.to}) {
    if (wording == Wording::studies && !is_node(node, n_node))
      return Error::at(file_name, edge.line, text_printf("edge record %d: node %d is outside 1..%d", index, node, n_node));
  }
  return Error();
}

}  // namespace

Error read_netdata(std::string_view text, const std::string& file_name, Netdata& out, Wording wording) {
  out = Netdata();
  NumberReader numbers(text, file_name, wording);
  int flag = 0;
  Error error = numbers.next("the bidirectional flag", flag);
  if (error) return error;
  out.bidirectional = flag != 0;
  out.header_read = 1;
  const std::string count_names[] = {"the number of nodes", wording == Wording::capsweep
                                                                ? "the number of edges"
                                                                : "the number of edge records"};
  int* const counts[] = {&out.n_node, &out.n_record};
  for (int c = 0; c < 2; ++c) {
    const std::string& what = count_names[c];
    int& value = *counts[c];
    if ((error = numbers.next(what, value))) return error;
    ++out.header_read;
    if (value < 0)
      return numbers.at_last(wording == Wording::capsweep
                                 ? text_printf("%s is %d; it cannot be negative", what.c_str(), value)
                                 : text_printf("%s is negative (%d)", what.c_str(), value));
  }
  for (int i = 1; i <= out.n_record; ++i) {
    EdgeRecord edge;
    if ((error = read_edge_record(numbers, i, out.n_node, file_name, wording, edge))) return error;
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

}  // namespace studyfiles
