#include "inputs.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "textio.h"

namespace {

constexpr int kStatusNodeListMissing = 2;
constexpr int kStatusNodeSequence = 3;
constexpr int kStatusBadInput = 1;

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The node name of a node line: the word after the leading number, the
// number being read as "%d" reads it.
std::string_view name_after_number(std::string_view line) {
  std::size_t pos = 0;
  while (pos < line.size() && is_space(line[pos])) ++pos;
  if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) ++pos;
  while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') ++pos;
  while (pos < line.size() && is_space(line[pos])) ++pos;
  std::size_t end = pos;
  while (end < line.size() && !is_space(line[end])) ++end;
  return line.substr(pos, end - pos);
}

}  // namespace

void help_msg() {
  std::printf("command syntax: capsweep [-ds] nodefile netdatafile searchstrategy\n");
  std::printf("   -d debugging mode.\n");
  std::printf("   -s silence mode dump relax stdin msgs to /dev/null.\n");
  std::printf("   -j N solve inside capsweep, N cuts at a time (0: one per core); no relax needed.\n");
  std::printf("   nodefile is a node list with .txt file format \n");
  std::printf("   netdatafile is .dat input file format\n");
  std::printf("   searchStrategy 1--EXPONENTIAL\n");
  std::printf("                  2--LINEAR_BISECTION\n");
  std::printf("                  3--BISECTION\n");
}

std::optional<Options> parse_command_line(int argc, char** argv) {
  Options options;
  int c;
  // "+": options stop at the first argument, as POSIX getopt does, so that a
  // negative strategy number is an argument and not an option.
  while ((c = getopt(argc, argv, "+dsj:")) != -1) {
    if (c == 'd') {
      options.debug = 1;
      std::printf("turn on debug mode.\n");
    } else if (c == 's') {
      options.silence = 1;
      std::printf("turn on silence mode.\n");
    } else if (c == 'j') {
      std::optional<int> jobs = jobs_number(optarg);
      if (!jobs) {
        std::printf("ERROR--the number of threads of -j must be a whole number of 0 or more, not \"%s\"!!!\n", optarg);
        return std::nullopt;
      }
      options.jobs = *jobs;
    } else {
      help_msg();
      return std::nullopt;
    }
  }
  if (argc - optind < 3) {
    help_msg();
    return std::nullopt;
  }
  options.node_file = argv[optind];
  options.netdata_file = argv[optind + 1];
  options.strategy = strategy_number(argv[optind + 2]);
  return options;
}

std::optional<int> jobs_number(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  std::optional<int> n = parse_int(text);
  if (!n) return std::nullopt;
  if (*n == 0) return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  return n;
}

int strategy_number(std::string_view text) {
  std::vector<int> n = scan_ints(text, 1);
  return n.empty() ? 0 : n[0];
}

NodeListRead parse_node_list(std::string_view text, const std::string& file_name) {
  NodeListRead read;
  std::size_t pos = 0;
  std::string line;
  if (!read_line(text, pos, line)) return read;  // no title line: no nodes
  for (int expected = 1; read_line(text, pos, line); ++expected) {
    std::vector<int> number = scan_ints(line, 1);
    int found = number.empty() ? 0 : number[0];
    if (number.empty() || found != expected) {
      read.error = text_printf("!!SequenceNo not correct! It is %d instead of %d.\n", found, expected);
      read.status = kStatusNodeSequence;
      return read;
    }
    const int line_no = expected + 1;
    std::string_view name = name_after_number(line);
    if (name.empty()) {
      read.error = text_printf("%s:%d: expected a node name after the number %d\n", file_name.c_str(), line_no, found);
      read.status = kStatusBadInput;
      return read;
    }
    read.names.slots.emplace_back(name);
  }
  return read;
}

NodeNames mapping(const std::string& file_name) {
  std::optional<std::string> text = read_whole_file(file_name);
  if (!text) {
    std::printf("can not open %s\n", file_name.c_str());
    throw Stop{kStatusNodeListMissing};
  }
  NodeListRead read = parse_node_list(*text, file_name);
  if (!read.error.empty()) stop_with(read.status, read.error.c_str());
  return std::move(read.names);
}

namespace {

// The whole numbers of the netdata file, one word at a time, with the line
// each stands on.
class NumberReader {
 public:
  NumberReader(std::string_view text, const std::string& file_name) : text_(text), file_name_(file_name) {}

  // The next number, named `what` in the message when it is missing or is
  // not a whole number.
  std::optional<int> next(const std::string& what, std::string& error) {
    while (pos_ < text_.size() && is_space(text_[pos_])) {
      if (text_[pos_] == '\n') ++line_;
      ++pos_;
    }
    if (pos_ >= text_.size()) {
      error = at_line("the file ends before " + what);
      return std::nullopt;
    }
    word_line_ = line_;
    std::size_t end = pos_;
    while (end < text_.size() && !is_space(text_[end])) ++end;
    std::string_view word = text_.substr(pos_, end - pos_);
    pos_ = end;
    std::optional<int> value = parse_int(word);
    if (!value) error = at_line("expected " + what + ", found \"" + std::string(word) + "\"");
    return value;
  }

  // The message with the file name and the line of the last word read.
  std::string at_line(const std::string& message) const {
    return file_name_ + ":" + std::to_string(word_line_) + ": " + message + "\n";
  }

 private:
  std::string_view text_;
  const std::string& file_name_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int word_line_ = 1;
};

std::string record_field(const char* field, std::size_t record) {
  return std::string(field) + " of record " + std::to_string(record);
}

// Checks a count of the header; empty when it is acceptable.
std::string check_count(const NumberReader& in, const char* what, int value, int limit) {
  if (value < 0) return in.at_line(text_printf("the %s is %d; it cannot be negative", what, value));
  if (value > limit) return in.at_line(text_printf("the %s is %d; at most %d are handled", what, value, limit));
  return "";
}

std::string check_node(const NumberReader& in, const char* what, std::size_t record, int node, int n_node) {
  if (node >= 1 && node <= n_node) return "";
  return in.at_line(text_printf("record %zu: %s %d is not a node number (1 to %d)", record, what, node, n_node));
}

// Reads the n_edge records; stops at the first fault, recorded in `read`.
void read_records(NumberReader& in, NetDataRead& read) {
  NetData& d = read.data;
  static const char* const fields[6] = {"the edge number", "the from node", "the to node",
                                        "the cost", "the spare", "the capacity"};
  for (std::size_t k = 1; k <= static_cast<std::size_t>(d.n_edge); ++k) {
    int v[6];
    for (int f = 0; f < 6; ++f) {
      std::optional<int> n = in.next(record_field(fields[f], k), read.error);
      if (!n) return;
      v[f] = *n;
      if ((f == 1 || f == 2) && !(read.error = check_node(in, f == 1 ? "from node" : "to node", k, v[f], d.n_node)).empty())
        return;
    }
    d.edge_numbers.push_back(v[0]);
    d.edges.push_back(Edge{v[1], v[2], v[3], v[4], v[5]});
  }
}

}  // namespace

NetDataRead parse_netdata(std::string_view text, const std::string& file_name) {
  NetDataRead read;
  NetData& d = read.data;
  NumberReader in(text, file_name);
  std::optional<int> n = in.next("the bidirectional flag", read.error);
  if (!n) return read;
  d.bidirectional = *n;
  read.header_count = 1;
  if (!(n = in.next("the number of nodes", read.error))) return read;
  d.n_node = *n;
  read.header_count = 2;
  if (!(read.error = check_count(in, "number of nodes", d.n_node, INT_MAX)).empty()) return read;
  if (!(n = in.next("the number of edges", read.error))) return read;
  d.n_edge = *n;
  read.header_count = 3;
  if (!(read.error = check_count(in, "number of edges", d.n_edge, INT_MAX)).empty()) return read;
  read_records(in, read);
  return read;
}

void print_netdata_echo(const NetDataRead& read) {
  const NetData& d = read.data;
  if (read.header_count >= 1)
    std::printf(d.paired() ? "The graph is bidirectional.\n" : "The graph is not bidirectional.\n");
  if (read.header_count >= 2) std::printf("\n\nThe number of nodes entered is %d.\n\n", d.n_node);
  if (read.header_count >= 3) {
    std::printf("\n\nThe number of edges entered is %d.\n\n", d.n_edge);
    // In a bidirectional file n_edge counts both directions; it is compared
    // unhalved.
    if (static_cast<long long>(d.n_edge) < static_cast<long long>(d.n_node) - 1)
      std::printf("Graph is not totally connected!!\n\n");
  }
  for (std::size_t k = 0; k < d.edges.size(); ++k) {
    const Edge& e = d.edges[k];
    std::printf("%d %d %d %d %d %d\n", d.edge_numbers[k], e.from, e.to, e.cost, e.spare, e.capacity);
  }
}

std::string results_file_name(const std::string& netdata_name) {
  if (netdata_name.size() <= 5) return "RELAX.OUT";
  return netdata_name.substr(0, netdata_name.size() - 4) + ".out";
}
