#include "inputs.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "netdata.h"
#include "node_list.h"
#include "scanner.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::NodeListFault;
using studyfiles::Wording;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

namespace {

constexpr int kStatusNodeListMissing = 2;
constexpr int kStatusNodeSequence = 3;
constexpr int kStatusBadInput = 1;

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
  std::optional<int> n = FieldScanner(text).next_int();
  if (!n) return std::nullopt;
  if (*n == 0) return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  return n;
}

int strategy_number(std::string_view text) { return FieldScanner(text).next_int().value_or(0); }

NodeListRead parse_node_list(std::string_view text, const std::string& file_name) {
  NodeListRead read;
  NodeListFault fault = NodeListFault::none;
  read.error = read_node_list(text, file_name, read.nodes, Wording::capsweep, fault);
  if (read.error) read.status = fault == NodeListFault::sequence ? kStatusNodeSequence : kStatusBadInput;
  return read;
}

NodeListRead read_node_names(const std::string& file_name) {
  std::optional<std::string> text = read_whole_file(file_name);
  if (!text) {
    NodeListRead read;
    read.error = Error::of("can not open " + file_name);
    read.status = kStatusNodeListMissing;
    return read;
  }
  return parse_node_list(*text, file_name);
}

NetDataRead parse_netdata(std::string_view text, const std::string& file_name) {
  NetDataRead read;
  read.error = read_netdata(text, file_name, read.data, Wording::capsweep);
  return read;
}

void print_netdata_echo(const NetDataRead& read) {
  const Netdata& d = read.data;
  if (d.header_read >= 1)
    std::printf(d.bidirectional ? "The graph is bidirectional.\n" : "The graph is not bidirectional.\n");
  if (d.header_read >= 2) std::printf("\n\nThe number of nodes entered is %d.\n\n", d.n_node);
  if (d.header_read >= 3) {
    std::printf("\n\nThe number of edges entered is %d.\n\n", d.n_record);
    // In a bidirectional file the record count counts both directions; it is
    // compared unhalved.
    if (static_cast<long long>(d.n_record) < static_cast<long long>(d.n_node) - 1)
      std::printf("Graph is not totally connected!!\n\n");
  }
  for (const EdgeRecord& e : d.edges)
    std::printf("%d %d %d %d %d %d\n", e.number, e.from, e.to, e.cost, e.spare, e.capacity);
}

std::string results_file_name(const std::string& netdata_name) {
  if (netdata_name.size() <= 5) return "RELAX.OUT";
  return netdata_name.substr(0, netdata_name.size() - 4) + ".out";
}
