// A simulator's command line: the network description, the span to break
// (/b=X-Y) and the options that set the timing and the repeat limit; the
// help text; and the whole program that each simulator's main runs.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "method.h"
#include "network.h"
#include "program.h"

namespace restoresim {

struct Options {
  int repeat_limit = -1;        // /r=: every node's repeat limit; -1 keeps the node lines'
  double detection_ms = 10.0;   // /d=: failure detection time
  double crossconnect_ms = 5.0; // /x=: time to make one cross-connect
  double delay_ms = -1;         // /p=: every node's processing delay; -1 keeps the node lines'
  int retries = 3;              // /t=: dunvar's further attempts per working path
};

struct CommandLine {
  std::string file_name;
  std::string cut_word;  // the text after /b=
  Options options;
};

// "vetrun FILE /b=X-Y [/r=N] [/d=MS] [/x=MS] [/p=MS] [/t=N]": the options in
// any order around the file name. An option is a word of '/', a name and
// '='; every other word is the file name (an absolute path among them).
// Refused with one line naming the word.
Error parse_command_line(const std::vector<std::string>& args, CommandLine& line);

// The options applied to the network: the repeat limit and delay of every
// node, when given.
void apply_options(const Options& options, Network& net);

// The simulator's name and its whole help text, for run_program.
ProgramInfo simulator_info(Method method);

// The whole program: parse, load, run, report, append the row to
// netres.TAG.res when that file exists. Returns the exit status.
int simulator_main(Method method, int argc, char** argv);

}  // namespace restoresim
