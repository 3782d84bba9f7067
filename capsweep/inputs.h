// What capsweep does before the first statistic: the command line and its
// help text, the node list, the netdata file (both read by the readers of
// the study files, in capsweep's wording) and the name of the results file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "error.h"
#include "network.h"

struct Options {
  int debug = 0;    // -d: the searches write a row per solver trial
  int silence = 0;  // -s: quiet solver, one line per cut, no zero-demand rows
  std::string node_file;
  std::string netdata_file;  // exactly as typed
  int strategy = 0;          // 1 exponential, 2 linear, 3 bisection, 4 all
  // -j N: the cuts solved inside capsweep, N at a time (0: one per core);
  // kNoJobs without -j, when the command relax solves every trial.
  int jobs = kNoJobs;
  static constexpr int kNoJobs = -1;
};

// The number of threads of "-j N": N, or one per core for 0; empty when the
// text is not a whole number of 0 or more.
std::optional<int> jobs_number(std::string_view text);

// The nine lines of the help text, on standard output.
void help_msg();

// Options and arguments as getopt meets them (options first, -d and -s, which
// may be grouped); each option prints its message when met. Empty after the
// help text has been printed: an unknown option or fewer than three
// arguments; or after the message on a bad number of threads.
std::optional<Options> parse_command_line(int argc, char** argv);

// The search strategy argument as atoi reads it: leading white space, a sign,
// digits; anything else (or a number beyond int) gives 0.
int strategy_number(std::string_view text);

// The node list read from its text, in capsweep's wording; on failure
// `error` holds the message and `status` the exit status.
struct NodeListRead {
  studyfiles::NodeList nodes;
  Error error;
  int status = 0;
};
NodeListRead parse_node_list(std::string_view text, const std::string& file_name);

// The node list file read ("can not open" with status 2 when it cannot be
// read).
NodeListRead read_node_names(const std::string& file_name);

// The netdata file read from its text, in capsweep's wording.
// `data.header_read` says how many of the three leading numbers were read;
// `data.edges` holds the records read whole.
struct NetDataRead {
  studyfiles::Netdata data;
  Error error;
};
NetDataRead parse_netdata(std::string_view text, const std::string& file_name);

// Prints what was read, as it is read: the flag, the counts, the warning on
// too few edges, and every record echoed as in the file.
void print_netdata_echo(const NetDataRead& read);

// The results file keeps the netdata name's length: the last four characters
// become .out; a name of five characters or fewer gives RELAX.OUT.
std::string results_file_name(const std::string& netdata_name);
