#include "morwick.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "netdesc.h"
#include "strings2.h"
#include "wholefile.h"

namespace {

constexpr int kFailure = 1;

struct outputs {
  std::string nodes_name, paths_name, spares_name;
  File nodes, paths, spares;
};

// Creates the three lists in their order, each with its title line or
// header; false (after the message) when one cannot be created.
bool create_outputs(const std::string& prefix, outputs& out) {
  out.nodes_name = prefix + "nodes.txt";
  out.paths_name = prefix + "paths.txt";
  out.spares_name = prefix + "spares.txt";
  if (!(out.nodes = create_output(out.nodes_name))) return false;
  std::fprintf(out.nodes.get(), "%s\n", out.nodes_name.c_str());
  if (!(out.paths = create_output(out.paths_name))) return false;
  std::fprintf(out.paths.get(), "%s\n", out.paths_name.c_str());
  if (!(out.spares = create_output(out.spares_name))) return false;
  std::fputs("        DS3\nN1  N2  LINK#\n", out.spares.get());
  return true;
}

// Calls visit(node, far_end_name, port) for every span, once, from its
// higher-numbered end: the ports whose far end is below the node's number.
void for_each_span(const net_description& d,
                   const std::function<void(const node_entry&, const std::string&, const port_entry&)>& visit) {
  for (std::int32_t i = 1; i <= d.netsize; ++i) {
    const node_entry& node = *recall_list(d.net, i);
    for (std::size_t k = 0; k < node.ports.size(); ++k) {
      const port_entry& port = node.ports.at(k);
      if (port.other_end < i) visit(node, node_name(d, port.other_end), port);
    }
  }
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
    for (std::int32_t w = 0; w < port.working; ++w, ++written) {
      std::fprintf(f, "%s %s 45\n", node.name.c_str(), far_end.c_str());
    }
  });
  return {total, written};
}

}  // namespace

std::string output_prefix(const std::string& lower_name) {
  return lower_name.substr(0, lower_name.find('.'));
}

int convert_description(const std::string& file_name) {
  const std::string name = to_lower(file_name);
  const std::optional<std::string> text = read_whole_file(name);
  if (!text) {
    std::printf("can not open %s\n", name.c_str());
    return kFailure;
  }
  // The whole file is read before any list is created, so a refused file
  // leaves the lists of an earlier run as they were.
  const net_read read = read_net_v2(*text, name);
  const net_description& d = read.description;
  if (!d.keyword.empty() && mode_of_keyword(d.keyword) == type_mode::unrecognized) {
    std::printf("unrecongized file type=%s\n This program recognizes V_H2, L_L2, V_H2wSpanMiles, and L_L2wSpanKms.\n",
                d.keyword.c_str());
  }
  if (!read.error.empty()) {
    std::printf("%s\n", read.error.c_str());
    return kFailure;
  }
  outputs out;
  if (!create_outputs(output_prefix(name), out)) return kFailure;
  write_node_list(out.nodes.get(), d);
  write_spare_list(out.spares.get(), d);
  const auto [total, written] = write_path_list(out.paths.get(), d);
  if (written != total) std::printf("pathsize=%lld not equal to %lld\n", total, written);
  std::printf("pathsize = %lld\n", total);
  const bool ok = finish_outputs({{&out.nodes, &out.nodes_name}, {&out.paths, &out.paths_name},
                                  {&out.spares, &out.spares_name}});
  return ok ? 0 : kFailure;
}

int run_morwick(const std::vector<std::string>& args) {
  const std::optional<std::string> file_name = description_file_name(args, false);
  if (!file_name) return kFailure;
  return convert_description(*file_name);
}

int morwick_main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return run_with_fatal_stops([&] { return run_morwick(args); });
}
