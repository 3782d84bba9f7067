#include "morwick.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "netdesc.h"
#include "path_list.h"
#include "symbols_and_tokens.h"

namespace {

constexpr int kFailure = 1;

// The three lists.
struct lists {
  std::FILE* nodes = nullptr;
  std::FILE* paths = nullptr;
  std::FILE* spares = nullptr;
};

// Creates the lists in their order, each with its title line or header;
// false (after the message) when one cannot be created.
bool create_lists(output_files& files, const std::string& prefix, lists& out) {
  const std::string nodes_name = prefix + "nodes.txt";
  const std::string paths_name = prefix + "paths.txt";
  const std::string spares_name = prefix + "spares.txt";
  if (files.any_is_input({nodes_name, paths_name, spares_name})) return false;
  if (!(out.nodes = files.create(nodes_name))) return false;
  std::fprintf(out.nodes, "%s\n", nodes_name.c_str());
  if (!(out.paths = files.create(paths_name))) return false;
  std::fprintf(out.paths, "%s\n", paths_name.c_str());
  if (!(out.spares = files.create(spares_name))) return false;
  std::fputs("        DS3\nN1  N2  LINK#\n", out.spares);
  return true;
}

void write_node_list(std::FILE* f, const net_description& d) {
  for (std::int32_t i = 1; i <= d.netsize; ++i) {
    const node_entry& node = *recall_list(d.net, i);
    std::fprintf(f, "%d %s %f %f\n", i, node.name.c_str(), node.first_coordinate, node.second_coordinate);
  }
}

// A line per spare channel, numbered after the span's working channels.
void write_spare_list(std::FILE* f, const net_description& d) {
  for_each_span(d, [f](const node_entry& node, const std::string& far_end, const port_entry& port) {
    const long long first = static_cast<long long>(port.working) + 1;
    for (long long link = first; link < first + port.spare; ++link) {
      std::fprintf(f, "%-4s%-4s%-4lld\n", node.name.c_str(), far_end.c_str(), link);
    }
  });
}

// A one-hop path per working channel. Returns the path total (the working
// channels of the spans) and the number of lines written; they differ only
// when a working count is negative.
std::pair<long long, long long> write_path_list(std::FILE* f, const net_description& d) {
  long long total = 0;
  long long written = 0;
  for_each_span(d, [&](const node_entry& node, const std::string& far_end, const port_entry& port) {
    total += port.working;
    // A name ends at a NUL byte, as in the node and spare lists.
    const std::string from(node.name.c_str()), to(far_end.c_str());
    const std::string line = netrestore::path_line({&from, &to});
    for (std::int32_t w = 0; w < port.working; ++w, ++written) std::fputs(line.c_str(), f);
  });
  return {total, written};
}

}  // namespace

std::string output_prefix(const std::string& lower_name) {
  return lower_name.substr(0, lower_name.find('.'));
}

int convert_description(const std::string& file_name) {
  const std::string name = to_lower(file_name);
  // The whole file is read before any list is created, so a refused file
  // leaves the lists of an earlier run as they were.
  const std::optional<net_read> read = load_description(name, read_net_v2);
  if (!read) return kFailure;
  const net_description& d = read->description;
  output_files files(name);
  lists out;
  if (!create_lists(files, output_prefix(name), out)) return kFailure;
  write_node_list(out.nodes, d);
  write_spare_list(out.spares, d);
  const auto [total, written] = write_path_list(out.paths, d);
  if (written != total) std::printf("pathsize=%lld not equal to %lld\n", total, written);
  std::printf("pathsize = %lld\n", total);
  return files.finish() ? 0 : kFailure;
}

int morwick_main(int argc, char** argv) { return run_description_program(argc, argv, false, convert_description); }
