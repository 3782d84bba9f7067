// Writing a netrestore file, its topology companion and the run scripts, in
// the order both programs share; what goes on each line is the program's.
#pragma once

#include <cstdio>

#include "network.h"
#include "outputs.h"

namespace netrestore {

class NetrestoreFormat {
 public:
  virtual ~NetrestoreFormat() = default;
  virtual const char* type_keyword() const = 0;
  virtual int equals_signs() const = 0;  // in the scripts' ruler lines
  virtual void write_node_line(std::FILE* out, int i) const = 0;
  // companion: the port line of the topology companion
  virtual void write_port_line(std::FILE* out, const SpanEntry& span, int here, bool companion) const = 0;
  virtual void write_run_line(std::FILE* script, const SpanEntry& span) const = 0;
  // The path count and the path lines. Returns an exit status: 0, or the
  // program's status after a message.
  virtual int write_path_section(std::FILE* out, bool companion) const = 0;
  virtual void print_summary() const = 0;
};

// Writes the netrestore file (interleaved with the vetrun script), the other
// scripts, prints the run summary, then writes the topology companion.
// Returns the exit status.
int write_netrestore_outputs(const Network& net, const OutputNames& names, const NetrestoreFormat& format);

// The last two lines of the run summary: the node with the most spans and
// the node with the most working channels.
void print_largest_nodes(const Network& net);

}  // namespace netrestore
