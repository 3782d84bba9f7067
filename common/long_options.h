// A command line of long options and names in any order, as the newer
// programs take it: "--name" or "--name VALUE" for the known options, "--"
// before names that start with '-', and everything else (a lone "-" too) a
// name. "--help" and "--version" never get here: run_program (program.h)
// answers them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "error.h"

struct LongOption {
  std::string name;  // with its dashes: "--report"
  bool takes_value = false;
};

struct LongOptions {
  std::vector<std::pair<std::string, std::string>> given;  // option, value ("" without one), in order
  std::vector<std::string> names;
  Error error;  // "unknown option '--x'", "missing value after --report"
};

LongOptions parse_long_options(int argc, char** argv, const std::vector<LongOption>& known);
