#include "capsweep.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "cut_loop.h"
#include "exchange.h"
#include "inputs.h"
#include "parallel.h"
#include "path_report.h"
#include "shell.h"
#include "statistics.h"
#include "textio.h"

using studyfiles::NodeList;
using studyfiles::kAnswerFile;
using studyfiles::kPathFile;
using studyfiles::kPathLFile;
using studyfiles::kRelaxInputFile;

namespace {

constexpr int kStatusHelp = 1;
constexpr int kStatusFile = 1;

// The solver exchange files, rewritten or removed by every solver trial.
constexpr const char* kExchangeFiles[] = {kRelaxInputFile, kAnswerFile, kPathFile, kPathLFile};

// Refuses, before anything is created or removed, a run whose node list or
// netdata file is one of the exchange files.
void refuse_exchange_names(const Options& options) {
  const std::pair<const char*, const std::string&> inputs[] = {{"node list", options.node_file},
                                                               {"netdata file", options.netdata_file}};
  for (const auto& [role, name] : inputs) {
    for (const char* exchange : kExchangeFiles) {
      if (!same_file(name, exchange)) continue;
      std::printf("ERROR--the %s %s is the solver exchange file %s, which every solver trial rewrites or removes; "
                  "nothing is done!!!\n",
                  role, name.c_str(), exchange);
      throw Stop{kStatusFile};
    }
  }
}

// Makes the cut directory through the command interpreter. One left by an
// earlier run is no failure (mkdir's own complaint is all the user sees); any
// other failed mkdir stops the run.
void mkdir_cut_directory(const std::string& netdata_name) {
  const std::string command = "mkdir " + cut_directory_word(netdata_name);
  if (command_succeeded(run_shell_command(command))) return;
  struct stat st {};
  if (::stat((netdata_name + ".ls").c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
  stop_on_failed_command(command);
}

// Stops when the results file would overwrite an input.
void refuse_results_over_input(const Options& options, const std::string& results_name) {
  for (const std::string& input : {options.netdata_file, options.node_file}) {
    if (same_file(results_name, input)) {
      std::printf("ERROR--the results file %s would overwrite the input file %s; nothing is written!!!\n",
                  results_name.c_str(), input.c_str());
      throw Stop{kStatusFile};
    }
  }
}

// Whether the results file could be created, found out without creating it
// for good or emptying the results of an earlier run.
bool results_creatable(const std::string& name) {
  int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd >= 0) {
    ::close(fd);
    ::unlink(name.c_str());
    return true;
  }
  if (errno != EEXIST) return false;
  fd = ::open(name.c_str(), O_WRONLY);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

[[noreturn]] void cannot_create_results(const std::string& results_name) {
  std::printf("ERROR--cannot open the file %s for writing!!!\n", results_name.c_str());
  throw Stop{kStatusFile};
}

// Creates the results file with the table's header lines.
File open_results(const std::string& results_name) {
  File results = open_file(results_name, "w");
  if (!results) cannot_create_results(results_name);
  write_results_header(results.get());
  return results;
}

// Prints the message on a refused input; the run ends with the status.
int refuse(const Error& error, int status) {
  std::printf("%s\n", error.text().c_str());
  return status;
}

int run(int argc, char** argv) {
  std::optional<Options> options = parse_command_line(argc, argv);
  if (!options) return kStatusHelp;
  refuse_exchange_names(*options);
  const NodeListRead node_read = read_node_names(options->node_file);
  if (node_read.error) return refuse(node_read.error, node_read.status);
  const NodeList& nodes = node_read.nodes;
  const bool in_process = options->jobs != Options::kNoJobs;
  if (in_process)
    make_cut_directory(options->netdata_file);
  else
    mkdir_cut_directory(options->netdata_file);
  std::printf("\n\nThe name of the input file is %s.\n\n", options->netdata_file.c_str());

  std::optional<std::string> text = read_whole_file(options->netdata_file);
  if (!text) {
    std::printf("ERROR--cannot open the file %s for reading!!!\n", options->netdata_file.c_str());
    return kStatusFile;
  }
  const std::string results_name = results_file_name(options->netdata_file);
  refuse_results_over_input(*options, results_name);
  // The whole netdata file is checked before the results file is created, so
  // a refused file leaves the results of an earlier run as they were; the
  // messages keep the order in which the checks are made.
  const NetDataRead read = parse_netdata(*text, options->netdata_file);
  File results;
  if (!read.error) results = open_results(results_name);
  else if (!results_creatable(results_name)) cannot_create_results(results_name);
  print_netdata_echo(read);
  if (read.error) return refuse(read.error, kStatusFile);
  std::printf("\nInput file has been read -- DONE !\n\n");

  print_net_stats(stdout, read.data, net_stats(read.data));
  if (in_process)
    parallel_cut_loop(*options, read.data, nodes, results.get(), options->jobs);
  else
    cut_loop(*options, read.data, nodes, results.get(), results_name);
  if (!finish_writing(results)) stop_with(kStatusFile, text_printf("can not write %s\n", results_name.c_str()).c_str());
  std::printf("\nFinished!!! You will find the output in file -- %s.\n", results_name.c_str());
  return 0;
}

}  // namespace

int capsweep_main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const Stop& stop) {
    return stop.status;
  }
}
