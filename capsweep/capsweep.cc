#include "capsweep.h"

#include <cstdio>

#include "cut_loop.h"
#include "inputs.h"
#include "parallel.h"
#include "path_report.h"
#include "shell.h"
#include "statistics.h"
#include "textio.h"

namespace {

constexpr int kStatusHelp = 1;
constexpr int kStatusFile = 1;

// Opens the results file named after the netdata file, refusing to write
// over an input, and writes the table's header lines.
File open_results(const Options& options, const std::string& results_name) {
  for (const std::string& input : {options.netdata_file, options.node_file}) {
    if (same_file(results_name, input)) {
      std::printf("ERROR--the results file %s would overwrite the input file %s; nothing is written!!!\n",
                  results_name.c_str(), input.c_str());
      throw Stop{kStatusFile};
    }
  }
  File results = open_file(results_name, "w");
  if (!results) {
    std::printf("ERROR--cannot open the file %s for writing!!!\n", results_name.c_str());
    throw Stop{kStatusFile};
  }
  write_results_header(results.get());
  return results;
}

int run(int argc, char** argv) {
  std::optional<Options> options = parse_command_line(argc, argv);
  if (!options) return kStatusHelp;
  const NodeNames names = mapping(options->node_file);
  const bool in_process = options->jobs != Options::kNoJobs;
  if (in_process)
    make_cut_directory(options->netdata_file);
  else
    run_shell_command("mkdir " + cut_directory_word(options->netdata_file));
  std::printf("\n\nThe name of the input file is %s.\n\n", options->netdata_file.c_str());

  std::optional<std::string> text = read_whole_file(options->netdata_file);
  if (!text) {
    std::printf("ERROR--cannot open the file %s for reading!!!\n", options->netdata_file.c_str());
    return kStatusFile;
  }
  const std::string results_name = results_file_name(options->netdata_file);
  File results = open_results(*options, results_name);
  const NetDataRead read = parse_netdata(*text, options->netdata_file);
  print_netdata_echo(read);
  if (!read.error.empty()) stop_with(kStatusFile, read.error.c_str());
  std::printf("\nInput file has been read -- DONE !\n\n");

  print_net_stats(stdout, read.data, net_stats(read.data));
  if (in_process)
    parallel_cut_loop(*options, read.data, names, results.get(), options->jobs);
  else
    cut_loop(*options, read.data, names, results.get());
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
