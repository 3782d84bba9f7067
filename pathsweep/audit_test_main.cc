// For the tests only: checks a pathsweep run from its files, apart from the
// program and its library's proof:
//   pathsweep_audit NODEFILE NETDATA PATHS RESULTS ROUTES
// Every row of RESULTS is held to the routes of ROUTES with the check of
// audit_test_util.h (its own count of the paths hit and ending, its own
// capacities), the groups file named in RESULTS read for group rows. Prints
// the number of scenarios and routes checked; status 1 and the first fault
// otherwise.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "audit_test_util.h"
#include "groups.h"
#include "netdata.h"
#include "node_list.h"
#include "path_list.h"
#include "path_table.h"
#include "routes_file.h"
#include "spans.h"
#include "text_format.h"
#include "wholefile.h"

namespace {

int fail(const std::string& what) {
  std::fprintf(stderr, "pathsweep_audit: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) return fail("usage: pathsweep_audit NODEFILE NETDATA PATHS RESULTS ROUTES");
  std::string texts[5];
  for (int i = 0; i < 5; ++i)
    if (Error e = read_file_or_reason(argv[i + 1], texts[i])) return fail(e.text());
  studyfiles::NodeList nodes;
  studyfiles::Netdata netdata;
  studyfiles::PathTable table;
  studyfiles::RoutesFile routes;
  if (Error e = studyfiles::read_node_list(texts[0], argv[1], nodes)) return fail(e.text());
  if (Error e = studyfiles::read_netdata(texts[1], argv[2], netdata)) return fail(e.text());
  if (Error e = studyfiles::read_path_table(texts[3], argv[4], table)) return fail(e.text());
  if (Error e = studyfiles::read_routes_file(texts[4], argv[5], routes)) return fail(e.text());
  if (routes.header.stub_release != table.stub_release || routes.header.max_spans != table.max_spans)
    return fail("the routes file and the table differ in stub release or the most spans of a route");
  std::map<std::string, int> number;
  for (int v = 0; v < nodes.count(); ++v) number[nodes.nodes[static_cast<std::size_t>(v)].name] = v + 1;

  audit::Network net;
  net.nodes = netdata.n_node;
  for (std::size_t r = 0; r + 1 < netdata.edges.size(); r += 2) {
    const studyfiles::EdgeRecord& e = netdata.edges[r];
    net.spans.push_back({e.from, e.to, e.spare, e.capacity});
  }
  for (const netrestore::PathLine& line : netrestore::parse_path_list(texts[2]).lines) {
    std::vector<int> path;
    for (std::size_t j = 0; j + 1 < line.names.size(); ++j) path.push_back(number.at(line.names[j]));
    net.paths.push_back(path);
  }
  studyfiles::GroupsFile groups;
  if (!table.groups_file.empty()) {
    std::string text;
    std::vector<studyfiles::Span> spans;
    for (const audit::Span& s : net.spans) spans.push_back({s.a, s.b, 0, 0, 0, 0});
    if (Error e = read_file_or_reason(table.groups_file, text)) return fail(e.text());
    if (Error e = studyfiles::read_groups(text, table.groups_file, nodes, spans, groups)) return fail(e.text());
  }

  std::map<std::pair<std::string, std::string>, std::vector<audit::Route>> by_scenario;
  for (const studyfiles::RouteLine& r : routes.routes) {
    audit::Route route{{}, r.channels};
    for (const std::string& name : r.nodes) {
      if (!number.count(name)) return fail(text_printf("%s:%d: no node %s", argv[5], r.line, name.c_str()));
      route.nodes.push_back(number.at(name));
    }
    by_scenario[{r.kind, r.name}].push_back(route);
  }
  std::size_t checked = 0, routes_checked = 0;
  for (const studyfiles::PathRow& row : table.rows) {
    audit::Scenario s;
    if (row.kind == "span") {
      s.spans.push_back(std::stoi(row.name) - 1);
    } else if (row.kind == "node") {
      s.nodes.push_back(number.at(row.name));
    } else {
      for (const studyfiles::Group& g : groups.groups)
        if (g.name == row.name)
          for (int k : g.spans) s.spans.push_back(k - 1);
    }
    const std::vector<audit::Route>& mine = by_scenario[{row.kind, row.name}];
    audit::Counts counts;
    const std::string fault = audit::check(net, s, table.stub_release, table.max_spans, mine, row.restored, counts);
    const std::string where = row.kind + " " + row.name + ": ";
    if (!fault.empty()) return fail(where + fault);
    if (counts.affected != row.affected || counts.ending != row.ending)
      return fail(where + text_printf("affected %lld and ending %lld, the table says %d and %d", counts.affected, counts.ending,
                                      row.affected, row.ending));
    ++checked;
    routes_checked += mine.size();
    by_scenario.erase({row.kind, row.name});
  }
  for (const auto& [scenario, r] : by_scenario)
    if (!r.empty()) return fail("routes of " + scenario.first + " " + scenario.second + ", which has no row");
  std::printf("%zu scenarios and %zu routes checked\n", checked, routes_checked);
  return 0;
}
