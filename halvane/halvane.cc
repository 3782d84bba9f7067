#include "halvane.h"

#include <cstdio>
#include <string>

#include "netdesc.h"
#include "shell.h"
#include "strings2.h"
#include "wholefile.h"

namespace {

constexpr int kFailure = 1;

struct outputs {
  std::string new_name, top_name, scr_name;
  File desc, top, scr;
};

// Creates the three companions in their order; false (after the message)
// when one cannot be created.
bool create_outputs(const std::string& stem, outputs& out) {
  out.new_name = stem + ".new";
  out.top_name = stem + ".top";
  out.scr_name = stem + ".scr";
  return (out.desc = create_output(out.new_name)) && (out.top = create_output(out.top_name)) &&
         (out.scr = create_output(out.scr_name));
}

// One vetrun run with the span between nodes n and m cut. Every word is
// quoted for the shell when a name needs it; ordinary names stand bare.
void write_run_line(std::FILE* scr, const std::string& net_name, const std::string& n, const std::string& m) {
  std::fprintf(scr, "vetrun %s %s > %s\n", shell_word(net_name).c_str(), shell_word("/b=" + n + "-" + m).c_str(),
               shell_word(n + "-" + m + "cut.l").c_str());
}

// Every span once, from its higher-numbered end n to m: a run line, and a
// path line per working channel. Returns the number of path lines.
long long write_path_pass(outputs& out, const net_description& d, const std::string& net_name) {
  long long i = 0;
  for (std::int32_t n = 1; n <= d.netsize; ++n) {
    const node_entry& node = *recall_list(d.net, n);
    for (std::size_t k = 0; k < node.ports.size(); ++k) {
      const port_entry& port = node.ports.at(k);
      if (n <= port.other_end) continue;
      const std::string other = node_name(d, port.other_end);
      write_run_line(out.scr.get(), net_name, node.name, other);
      for (std::int32_t w = 0; w < port.working; ++w) write_path_line(out.desc.get(), out.top.get(), ++i, node.name, other);
    }
  }
  return i;
}

// Writes the companions of a description that has been read whole.
void write_outputs(outputs& out, const net_description& d, const std::string& net_name) {
  long long working_sum = 0;
  for (std::int32_t n = 1; n <= d.netsize; ++n) {
    const node_entry& node = *recall_list(d.net, n);
    write_node_block(out.desc.get(), out.top.get(), d, node);
    working_sum += totals_of(node).working;
  }
  std::printf("NODES: Phase 1 complete... basic read & write of nodes.\n");
  const long long pathsize = working_sum / 2;
  write_path_count(out.desc.get(), out.top.get(), pathsize);
  std::printf("Number of paths = %lld\n", pathsize);
  const long long i = write_path_pass(out, d, net_name);
  if (i != pathsize) std::printf("error: i=%lld != pathsize=%lld\n", i, pathsize);
}

}  // namespace

int init_nodes(const std::string& infilename) {
  std::printf("NODES initialization started. \n");
  const std::string name = to_lower(infilename);
  const std::optional<std::string> text = read_whole_file(name);
  if (!text) {
    std::printf("can not open %s\n", name.c_str());
    return kFailure;
  }
  // The whole file is read before any companion is created, so a refused
  // file leaves the companions of an earlier run as they were.
  const net_read read = read_net_v1(*text, name);
  if (!read.error.empty()) {
    std::printf("%s\n", read.error.c_str());
    return kFailure;
  }
  outputs out;
  if (!create_outputs(name, out)) return kFailure;
  std::printf("open file %s for writing with #working, #spare, #internal ports \n", out.new_name.c_str());
  write_first_lines(out.desc.get(), out.top.get(), read.description);
  if (!read.over_limit) write_outputs(out, read.description, name);
  const bool written = finish_outputs({{&out.desc, &out.new_name}, {&out.top, &out.top_name}, {&out.scr, &out.scr_name}});
  if (read.over_limit) {
    std::printf(" Number of specified nodes exceeds program limits!\n");
    std::printf("   VTR ABOORTING!!! \n");
    return kFailure;
  }
  return written ? 0 : kFailure;
}

int run_halvane(const std::vector<std::string>& args) {
  const std::optional<std::string> infilename = description_file_name(args, true);
  if (!infilename) return kFailure;
  return init_nodes(*infilename);
}

int halvane_main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return run_with_fatal_stops([&] { return run_halvane(args); });
}
