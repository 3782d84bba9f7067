// The files a netrestore run writes, named after the netrestore file, and the
// checks made before any of them is created.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "textio.h"

namespace netrestore {

struct OutputNames {
  std::string netrestore;  // as typed on the command line
  std::string base;        // up to, not including, its first '.'
  std::string companion;   // base.top
  std::string simulator;   // base.vtr.scr, the vetrun script
  std::string kimber;      // base.kmb.scr
  std::string ospel;       // base.osp.scr
  std::string dunvar;      // base.dunv.scr
  std::string master;      // base.scr

  // The five scripts, simulator script first and master script last.
  std::vector<std::string> scripts() const;
};

OutputNames output_names(const std::string& netrestoreFile);

// An input file with what it is, for messages: {"node file", "nodes.txt"}.
struct NamedFile {
  std::string role;
  std::string name;
};

// The message for the first output that would overwrite an input or an
// earlier output (same name or same file), or nothing when all are apart.
std::optional<std::string> output_clash(const OutputNames& names, const std::vector<NamedFile>& inputs);

// Prints the message of output_clash, if any, and returns the exit status:
// 1 then, else 0.
int refuse_clash(const OutputNames& names, const std::vector<NamedFile>& inputs);

// The run's first lines: the node file, the second input as `second.role`
// ("path file is paths.txt"), the netrestore file, the vetrun script and
// the delay.
void announce_run(const std::string& nodeFile, const NamedFile& second, const OutputNames& names,
                  const std::string& msgProcessingDelay);

// Prints "msgProcessingDelay TEXT is not a number" and returns 1 when the
// delay reads as nan; returns 0 otherwise.
int refuse_bad_delay(const std::string& msgProcessingDelay);

// Prints "can not open NAME" and returns `status`.
int cannot_open(const std::string& name, int status);

}  // namespace netrestore
