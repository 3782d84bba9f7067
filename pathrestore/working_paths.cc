#include "working_paths.h"

#include <algorithm>
#include <map>
#include <utility>

#include "path_list.h"
#include "text_format.h"

namespace pathrestore {

namespace {

using EndPair = std::pair<int, int>;

EndPair ends_of(int a, int b) { return {std::min(a, b), std::max(a, b)}; }

// The path of one line, its nodes and the parallel spans between each two.
Error resolve_line(const netrestore::PathLine& line, const std::string& file, const std::string& nodes_file,
                   const std::map<std::string, int>& number, const std::map<EndPair, std::vector<int>>& between,
                   WorkingPath& path) {
  const std::vector<std::string>& names = line.names;
  const int at = line.line_number;
  if (names.empty()) return Error::at(file, at, "an empty line: a path names its nodes, then 45");
  if (names.back() != netrestore::kPathTerminator) return Error::at(file, at, "the path does not end with 45");
  if (names.size() == 1) return Error::at(file, at, "the path names no node before 45");
  if (names.size() == 2) return Error::at(file, at, "a path of one node, '" + names[0] + "': a path joins two nodes");
  path.line = at;
  for (std::size_t j = 0; j + 1 < names.size(); ++j) {
    const auto it = number.find(names[j]);
    if (it == number.end()) return Error::at(file, at, "node '" + names[j] + "' is not in the node list " + nodes_file);
    if (std::find(path.nodes.begin(), path.nodes.end(), it->second) != path.nodes.end())
      return Error::at(file, at, "the path visits node '" + names[j] + "' twice");
    if (!path.nodes.empty() && between.count(ends_of(path.nodes.back(), it->second)) == 0)
      return Error::at(file, at, "no span joins '" + names[j - 1] + "' and '" + names[j] + "'");
    path.nodes.push_back(it->second);
  }
  return {};
}

}  // namespace

Error read_working_paths(std::string_view text, const std::string& file, const std::string& nodes_file,
                         const Network& net, WorkingPaths& out) {
  out = WorkingPaths{};
  const netrestore::PathList list = netrestore::parse_path_list(text);
  if (list.title.empty()) return Error::at(file, 1, "empty path list: no title line");
  std::map<std::string, int> number;
  for (int v = 1; v <= net.nodes.count(); ++v) number.emplace(net.name_of(v), v);
  std::map<EndPair, std::vector<int>> between;
  for (int k = 0; k < net.span_count(); ++k) between[ends_of(net.spans[k].from, net.spans[k].to)].push_back(k);

  std::map<EndPair, int> demand_of;
  for (const netrestore::PathLine& line : list.lines) {
    WorkingPath path;
    if (Error e = resolve_line(line, file, nodes_file, number, between, path)) return e;
    const auto [it, added] = demand_of.emplace(ends_of(path.nodes.front(), path.nodes.back()), static_cast<int>(out.demands.size()));
    if (added) out.demands.push_back({path.nodes.front(), path.nodes.back(), {}});
    path.demand = it->second;
    out.demands[static_cast<std::size_t>(path.demand)].paths.push_back(static_cast<int>(out.paths.size()));
    out.paths.push_back(std::move(path));
  }

  // Each crossing takes a working channel of the first span between its two
  // nodes, in file order, that has one left.
  std::vector<int> used(net.spans.size(), 0);
  std::map<EndPair, int> crossings;
  struct Overflow {
    int line = 0;
    EndPair ends;
  } overflow;
  for (WorkingPath& path : out.paths) {
    for (std::size_t j = 0; j + 1 < path.nodes.size(); ++j) {
      const EndPair ends = ends_of(path.nodes[j], path.nodes[j + 1]);
      const std::vector<int>& spans = between.at(ends);
      int span = spans.back();
      for (int k : spans)
        if (used[static_cast<std::size_t>(k)] < net.spans[static_cast<std::size_t>(k)].working) {
          span = k;
          break;
        }
      if (used[static_cast<std::size_t>(span)]++ >= net.spans[static_cast<std::size_t>(span)].working && overflow.line == 0)
        overflow = {path.line, ends};
      ++crossings[ends];
      path.spans.push_back(span);
    }
  }
  if (overflow.line != 0) {
    const std::vector<int>& spans = between.at(overflow.ends);
    long long working = 0;
    for (int k : spans) working += net.spans[static_cast<std::size_t>(k)].working;
    const int times = crossings.at(overflow.ends);
    if (spans.size() == 1)
      return Error::at(file, overflow.line,
                       text_printf("the paths cross span %d (%s) %d times, but it carries %lld working channel%s",
                                   spans[0] + 1, net.span_ends(spans[0]).c_str(), times, working, working == 1 ? "" : "s"));
    std::string numbers;
    for (std::size_t i = 0; i < spans.size(); ++i)
      numbers += (i == 0 ? "" : i + 1 == spans.size() ? " and " : ", ") + std::to_string(spans[i] + 1);
    return Error::at(file, overflow.line,
                     text_printf("the paths cross the parallel spans %s (%s) %d times, but they carry %lld working channel%s",
                                 numbers.c_str(), net.span_ends(spans[0]).c_str(), times, working, working == 1 ? "" : "s"));
  }

  out.paths_on_span.assign(net.spans.size(), {});
  out.paths_at_node.assign(static_cast<std::size_t>(net.n_node) + 1, {});
  for (std::size_t p = 0; p < out.paths.size(); ++p) {
    for (int k : out.paths[p].spans) out.paths_on_span[static_cast<std::size_t>(k)].push_back(static_cast<int>(p));
    for (int v : out.paths[p].nodes) out.paths_at_node[static_cast<std::size_t>(v)].push_back(static_cast<int>(p));
  }
  out.unused_working.assign(net.spans.size(), 0);
  for (std::size_t k = 0; k < net.spans.size(); ++k)
    out.unused_working[k] = net.spans[k].working - used[k];
  return {};
}

std::string unused_working_text(const Network& net, const WorkingPaths& paths) {
  std::string list;
  for (std::size_t k = 0; k < paths.unused_working.size(); ++k) {
    if (paths.unused_working[k] <= 0) continue;
    list += text_printf("%sspan %zu (%s) %d of %d", list.empty() ? "" : ", ", k + 1, net.span_ends(static_cast<int>(k)).c_str(),
                        paths.unused_working[k], net.spans[k].working);
  }
  return list.empty() ? "" : "working channels no path crosses take no part: " + list;
}

}  // namespace pathrestore
