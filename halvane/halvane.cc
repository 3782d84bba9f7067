#include "halvane.h"

#include <cstdio>
#include <string>

#include "netdesc.h"
#include "shell.h"
#include "symbols_and_tokens.h"

namespace {

constexpr int kFailure = 1;

// The three companions: the version-2 description, its topology companion
// and the simulator script.
struct companions {
  std::FILE* desc = nullptr;
  std::FILE* top = nullptr;
  std::FILE* scr = nullptr;
};

// Creates the companions in their order; false (after the message) when one
// cannot be created.
bool create_companions(output_files& files, const std::string& stem, companions& out) {
  if (files.any_is_input({stem + ".new", stem + ".top", stem + ".scr"})) return false;
  return (out.desc = files.create(stem + ".new")) && (out.top = files.create(stem + ".top")) &&
         (out.scr = files.create(stem + ".scr"));
}

// One vetrun run with the span between nodes n and m cut. Every word is
// quoted for the shell when a name needs it; ordinary names stand bare.
void write_run_line(std::FILE* scr, const std::string& net_name, const std::string& n, const std::string& m) {
  std::fprintf(scr, "vetrun %s %s > %s\n", path_word(net_name).c_str(), shell_word("/b=" + n + "-" + m).c_str(),
               shell_word(n + "-" + m + "cut.l").c_str());
}

// Every span once, from its higher-numbered end n to m: a run line, and a
// path line per working channel. Returns the number of path lines.
long long write_path_pass(const companions& out, const net_description& d, const std::string& net_name) {
  long long i = 0;
  for_each_span(d, [&](const node_entry& node, const std::string& other, const port_entry& port) {
    write_run_line(out.scr, net_name, node.name, other);
    for (std::int32_t w = 0; w < port.working; ++w) write_path_line(out.desc, out.top, ++i, node.name, other);
  });
  return i;
}

// Writes the companions of a description that has been read whole.
void write_companions(const companions& out, const net_description& d, const std::string& net_name) {
  long long working_sum = 0;
  for (std::int32_t n = 1; n <= d.netsize; ++n) {
    const node_entry& node = *recall_list(d.net, n);
    write_node_block(out.desc, out.top, d, node);
    working_sum += totals_of(node).working;
  }
  std::printf("NODES: Phase 1 complete... basic read & write of nodes.\n");
  const long long pathsize = working_sum / 2;
  write_path_count(out.desc, out.top, pathsize);
  std::printf("Number of paths = %lld\n", pathsize);
  const long long i = write_path_pass(out, d, net_name);
  if (i != pathsize) std::printf("error: i=%lld != pathsize=%lld\n", i, pathsize);
}

}  // namespace

int init_nodes(const std::string& infilename) {
  std::printf("NODES initialization started. \n");
  const std::string name = to_lower(infilename);
  // The whole file is read before any companion is created, so a refused
  // file leaves the companions of an earlier run as they were.
  const std::optional<net_read> read = load_description(name, read_net_v1);
  if (!read) return kFailure;
  output_files files(name);
  companions out;
  if (!create_companions(files, name, out)) return kFailure;
  std::printf("open file %s.new for writing with #working, #spare, #internal ports \n", name.c_str());
  write_first_lines(out.desc, out.top, read->description);
  if (!read->over_limit) write_companions(out, read->description, name);
  const bool written = files.finish();
  if (read->over_limit) {
    std::printf(" Number of specified nodes exceeds program limits!\n");
    std::printf("   VTR ABOORTING!!! \n");
    return kFailure;
  }
  return written ? 0 : kFailure;
}

int halvane_main(int argc, char** argv) { return run_description_program(argc, argv, true, init_nodes); }
