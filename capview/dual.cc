#include "dual.h"

#include <algorithm>
#include <map>
#include <utility>

#include "text_format.h"

using studyfiles::DualRow;
using studyfiles::DualSpan;
using studyfiles::DualTable;
using studyfiles::NodeList;

namespace capview {

std::string match_dual(const NodeList& nodes, const std::string& nodes_file, const std::string& table_file,
                       DualTable table, DualView& view) {
  view = DualView();
  view.nodes_file = nodes_file;
  view.table_file = table_file;
  if (table.slices > 0)
    return text_printf("%s:6: the table holds slice %d/%d of the pairs only: gather the slices with dualsweep --gather",
                       table_file.c_str(), table.slice, table.slices);
  std::map<std::string, int> number;  // the first node of each name
  for (std::size_t k = 0; k < nodes.nodes.size(); ++k) number.emplace(nodes.nodes[k].name, static_cast<int>(k) + 1);
  for (std::size_t k = 0; k < table.spans.size(); ++k) {
    const DualSpan& s = table.spans[k];
    const int line = studyfiles::dual_span_line(table, static_cast<int>(k) + 1);
    SpanResult span;
    span.span = static_cast<int>(k) + 1;
    for (const auto& [name, node] : {std::pair(&s.from, &span.from_node), std::pair(&s.to, &span.to_node)}) {
      auto found = number.find(*name);
      if (found == number.end())
        return text_printf("%s:%d: span %zu ends at %s, which is not a node of %s: the table is of another network",
                           table_file.c_str(), line, k + 1, name->c_str(), nodes_file.c_str());
      *node = found->second;
    }
    span.from = s.from;
    span.to = s.to;
    span.working = s.working;
    span.restored = s.restored;
    span.feasible = s.restored == s.working;
    span.has_row = true;
    view.spans.push_back(std::move(span));
  }
  view.table = std::move(table);
  return "";
}

std::size_t dual_row_of(const DualTable& table, int i, int j) {
  if (i > j) std::swap(i, j);
  auto found = std::lower_bound(table.rows.begin(), table.rows.end(), std::pair(i, j),
                                [](const DualRow& r, const std::pair<int, int>& key) {
                                  return std::pair(r.i, r.j) < key;
                                });
  if (found == table.rows.end() || found->i != i || found->j != j) return table.rows.size();
  return static_cast<std::size_t>(found - table.rows.begin());
}

}  // namespace capview
