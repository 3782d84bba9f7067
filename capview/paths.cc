#include "paths.h"

#include <map>
#include <utility>

#include "groups.h"
#include "text_format.h"
#include "wholefile.h"

namespace capview {

using studyfiles::PathRow;
using studyfiles::PathSpan;
using studyfiles::PathTable;

namespace {

// The line of the table that describes span k (1-based): the header's
// lines up to the spans line, then one per span; and the line of row r
// (0-based), after the span and demand lines and the column line.
int span_line(int k) { return 13 + k; }
int row_line(const PathTable& t, std::size_t r) {
  return 15 + static_cast<int>(t.spans.size() + t.demands.size() + r);
}

// The spans of the groups file the table names, per group row; a note
// when they cannot be had.
std::string group_spans(const PathTable& t, const studyfiles::NodeList& nodes, const std::map<std::string, int>& number,
                        PathView& view) {
  std::vector<std::size_t> rows;
  for (std::size_t r = 0; r < t.rows.size(); ++r)
    if (t.rows[r].kind == "group") rows.push_back(r);
  if (rows.empty()) return "";
  std::string text;
  if (read_file_or_reason(t.groups_file, text))
    return "The groups file " + t.groups_file + " could not be read here: a group's spans are not drawn.";
  std::vector<studyfiles::Span> spans;
  for (const PathSpan& s : t.spans) spans.push_back({number.at(s.from), number.at(s.to), 0, 0, 0, 0});
  studyfiles::GroupsFile groups;
  if (Error e = studyfiles::read_groups(text, t.groups_file, nodes, spans, groups))
    return "The groups file " + t.groups_file + " does not read over this table's spans (" + e.text() +
           "): a group's spans are not drawn.";
  std::map<std::string, const studyfiles::Group*> by_name;
  for (const studyfiles::Group& g : groups.groups) by_name[g.name] = &g;
  for (std::size_t r : rows) {
    const auto found = by_name.find(t.rows[r].name);
    if (found == by_name.end())
      return "The groups file " + t.groups_file + " has no group " + t.rows[r].name + ": a group's spans are not drawn.";
    view.scenarios[r].spans = found->second->spans;
  }
  return "";
}

}  // namespace

std::string match_paths(const studyfiles::NodeList& nodes, const std::string& nodes_file, const std::string& table_file,
                        PathTable table, const std::string& routes_file, const studyfiles::RoutesFile* routes,
                        PathView& view) {
  view = PathView();
  view.nodes_file = nodes_file;
  view.table_file = table_file;
  view.routes_file = routes_file;
  std::map<std::string, int> number;  // the first node of each name
  for (std::size_t k = 0; k < nodes.nodes.size(); ++k) number.emplace(nodes.nodes[k].name, static_cast<int>(k) + 1);
  const auto node_of = [&](const std::string& name, int line, const std::string& file, const std::string& what,
                           int& out) {
    const auto found = number.find(name);
    if (found == number.end())
      return text_printf("%s:%d: %s names %s, which is not a node of %s: the %s is of another network", file.c_str(), line,
                         what.c_str(), name.c_str(), nodes_file.c_str(), file == table_file ? "table" : "file");
    out = found->second;
    return std::string();
  };
  for (std::size_t k = 0; k < table.spans.size(); ++k) {
    const PathSpan& s = table.spans[k];
    SpanResult span;
    span.span = static_cast<int>(k) + 1;
    for (const auto& [name, node] : {std::pair(&s.from, &span.from_node), std::pair(&s.to, &span.to_node)})
      if (std::string e = node_of(*name, span_line(span.span), table_file, text_printf("span %d", span.span), *node);
          !e.empty())
        return e;
    span.from = s.from;
    span.to = s.to;
    view.spans.push_back(std::move(span));
  }
  view.node_row.assign(nodes.nodes.size() + 1, -1);
  view.scenarios.resize(table.rows.size());
  std::map<std::pair<std::string, std::string>, std::size_t> row_of;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const PathRow& row = table.rows[r];
    row_of[{row.kind, row.name}] = r;
    if (row.kind == "span") {
      const int k = std::stoi(row.name);
      SpanResult& span = view.spans[static_cast<std::size_t>(k - 1)];
      span.working = row.affected;
      span.restored = row.restored;
      span.feasible = row.restored == row.affected;
      span.has_row = true;
      view.scenarios[r].spans.push_back(k);
    } else if (row.kind == "node") {
      int v = 0;
      if (std::string e = node_of(row.name, row_line(table, r), table_file, "the row of a node", v); !e.empty()) return e;
      view.scenarios[r].node = v;
      view.node_row[static_cast<std::size_t>(v)] = static_cast<int>(r);
      for (const SpanResult& span : view.spans)
        if (span.from_node == v || span.to_node == v) view.scenarios[r].spans.push_back(span.span);
    }
  }
  view.groups_note = group_spans(table, nodes, number, view);
  if (routes != nullptr) {
    const studyfiles::RoutesHeader& h = routes->header;
    if (h.netdata_file != table.netdata_file || h.paths_file != table.paths_file ||
        h.stub_release != table.stub_release || h.max_spans != table.max_spans)
      return routes_file + ":1: the routes are of another run than the table " + table_file +
             " (files, stub release or the most spans of a route differ)";
    for (const studyfiles::RouteLine& line : routes->routes) {
      const auto found = row_of.find({line.kind, line.name});
      if (found == row_of.end())
        return text_printf("%s:%d: the table %s has no row %s %s", routes_file.c_str(), line.line, table_file.c_str(),
                           line.kind.c_str(), line.name.c_str());
      std::vector<int> route;
      for (const std::string& name : line.nodes) {
        int v = 0;
        if (std::string e = node_of(name, line.line, routes_file, "the route", v); !e.empty()) return e;
        route.push_back(v);
      }
      view.scenarios[found->second].routes.push_back({line.channels, std::move(route)});
    }
  }
  view.table = std::move(table);
  return "";
}

}  // namespace capview
