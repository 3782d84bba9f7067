#include "study.h"

#include <algorithm>

#include "text_format.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::ResultRow;

namespace capview {

std::vector<Cut> cuts_of(const Netdata& net) {
  std::vector<Cut> cuts;
  const std::vector<EdgeRecord>& edges = net.edges;
  std::size_t stride = net.bidirectional ? 2 : 1;
  for (std::size_t e = 0; e < edges.size(); e += stride) {
    std::size_t twin = net.bidirectional ? e + 1 : e;
    long long spare_out = 0, spare_in = 0;
    for (std::size_t r = 0; r < edges.size(); ++r) {
      if (r == e || r == twin) continue;
      if (edges[r].from == edges[e].from) spare_out += edges[r].spare;
      if (edges[r].to == edges[e].to) spare_in += edges[r].spare;
    }
    Cut cut;
    cut.record = static_cast<int>(e) + 1;
    cut.from = edges[e].from;
    cut.to = edges[e].to;
    cut.working = edges[e].capacity;
    cut.demand_bound = std::min<long long>(cut.working, std::min(spare_out, spare_in));
    cuts.push_back(cut);
  }
  return cuts;
}

double percent_restored(const SpanResult& span) {
  return span.working > 0 ? span.restored * 100.0 / span.working : 0.0;
}

namespace {

std::string row_at(const StudyFiles& files, const ResultRow& row, const std::string& what) {
  return files.results + ":" + std::to_string(row.line) + ": " + what;
}

// Why the row cannot answer the span, or an empty string when it does.
std::string mismatch(const ResultRow& row, const SpanResult& span, const StudyFiles& files) {
  if (row.from != span.from || row.to != span.to)
    return row_at(files, row,
                  text_printf("the row names %s-%s, but span %d of %s joins %s-%s", row.from.c_str(), row.to.c_str(),
                              span.span, files.netdata.c_str(), span.from.c_str(), span.to.c_str()));
  if (row.working != span.working)
    return row_at(files, row,
                  text_printf("the row shows working capacity %d, but span %d (%s-%s) of %s has %d", row.working,
                              span.span, span.from.c_str(), span.to.c_str(), files.netdata.c_str(), span.working));
  return "";
}

// The span of a cut, before its row is known; empty name when the node list
// has no line for the node.
std::string span_of(const Cut& cut, int ordinal, const NodeList& nodes, const Netdata& net, const StudyFiles& files,
                    SpanResult& span) {
  for (int node : {cut.from, cut.to}) {
    if (node > static_cast<int>(nodes.nodes.size()))
      return text_printf("%s:%d: node %d has no line in %s", files.netdata.c_str(), net.edges[cut.record - 1].line,
                         node, files.nodes.c_str());
  }
  span = SpanResult();
  span.span = ordinal;
  span.record = cut.record;
  span.from_node = cut.from;
  span.to_node = cut.to;
  span.from = nodes.nodes[cut.from - 1].name;
  span.to = nodes.nodes[cut.to - 1].name;
  span.working = cut.working;
  return "";
}

}  // namespace

std::string match_results(const NodeList& nodes, const Netdata& net, const std::vector<ResultRow>& rows,
                          const StudyFiles& files, std::vector<SpanResult>& spans) {
  spans.clear();
  std::vector<Cut> cuts = cuts_of(net);
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    SpanResult span;
    std::string error = span_of(cuts[i], static_cast<int>(i) + 1, nodes, net, files, span);
    if (!error.empty()) return error;
    spans.push_back(std::move(span));
  }
  std::size_t next_row = 0;
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    SpanResult& span = spans[i];
    std::string why = next_row < rows.size() ? mismatch(rows[next_row], span, files) : "";
    if (next_row < rows.size() && why.empty()) {
      const ResultRow& row = rows[next_row++];
      span.restored = row.restored;
      span.feasible = row.feasible;
      span.has_row = true;
    } else if (cuts[i].demand_bound != 0) {
      if (!why.empty()) return why;
      return text_printf("%s: no row for span %d (%s-%s), which had %lld to restore: the results table ends early",
                         files.results.c_str(), span.span, span.from.c_str(), span.to.c_str(), cuts[i].demand_bound);
    }
  }
  if (next_row < rows.size())
    return row_at(files, rows[next_row],
                  text_printf("a row beyond the %zu spans cut in %s", cuts.size(), files.netdata.c_str()));
  return "";
}

}  // namespace capview
