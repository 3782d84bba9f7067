// pathsweep's command line.
#pragma once

#include <string>
#include <vector>

#include "scenario.h"

extern const char* const kPathsweepUsage;  // the usage lines, shown after a mistake
extern const char* const kPathsweepHelp;   // the whole help: usage and every option

struct Options {
  pathrestore::FailKinds fail{true, false, false};
  std::string fail_text = "spans";
  std::string groups;
  bool stub_release = false;
  int max_spans = 0;
  bool bound = false;
  std::string cut_rate, node_rate, repair_hours = "12", length_unit = "km";
  std::string csv, routes;
  int threads = 1;
  bool progress = false;
  double exact_seconds = 10;
  std::string nodes_file, netdata_file, paths_file, results_file;
};

// Fills options; the error message, or "" to go on.
std::string parse_options(int argc, char** argv, Options& o);

// No output may be an input, nor another output; the message, or "".
std::string check_outputs(const Options& o);
