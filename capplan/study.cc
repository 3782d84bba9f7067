#include "study.h"

#include <algorithm>
#include <climits>

#include "restoration.h"
#include "spans.h"
#include "text_format.h"
#include "version.h"

using studyfiles::Netdata;
using studyfiles::NodeList;

namespace capplan {

Error spans_from_netdata(const Netdata& net, const NodeList& nodes, const StudyNames& names, const SpanOptions& options,
                         SpanNetwork& out) {
  studyfiles::SpanRules rules;
  rules.program_does = "capplan plans spans";
  rules.cost_read = !options.unit_cost;
  rules.spare_read = options.keep_spare;
  std::vector<studyfiles::Span> spans;
  if (Error e = studyfiles::spans_of_netdata(net, names.netdata, nodes, names.nodes, rules, spans)) return e;
  out = SpanNetwork{};
  out.n_node = net.n_node;
  for (const studyfiles::Span& s : spans)
    out.spans.push_back({s.from, s.to, options.unit_cost ? 1 : s.cost, s.working, s.spare});
  return {};
}

Netdata planned_netdata(const Netdata& net, const std::vector<long long>& spare) {
  Netdata planned = net;
  for (std::size_t i = 0; i < planned.edges.size(); ++i) planned.edges[i].spare = static_cast<int>(spare[i / 2]);
  return planned;
}

std::string span_name(const SpanNetwork& net, const NodeList& nodes, int span) {
  const PlanSpan& s = net.spans[span];
  return text_printf("span %d (%s-%s)", span + 1, nodes.nodes[s.from - 1].name.c_str(), nodes.nodes[s.to - 1].name.c_str());
}

Error prove_plan(const SpanNetwork& net, const NodeList& nodes, const Plan& plan) {
  for (long long s : plan.spare)
    if (s > INT_MAX) return Error::of(text_printf("the plan puts %lld spare channels on a span, beyond a netdata field", s));
  const std::vector<ShortCut> shorts = short_cuts(net, plan.spare, plan.bridges);
  if (shorts.empty()) return {};
  const ShortCut& first = shorts.front();
  return Error::of(text_printf("the plan fails its proof: the cut of %s restores %lld of %lld working channels",
                               span_name(net, nodes, first.span).c_str(), first.restorable,
                               net.spans[first.span].working));
}

std::string written_by_line() { return "# " + written_by("capplan") + "\n"; }

std::string report_text(const SpanNetwork& net, const NodeList& nodes, const Plan& plan) {
  const std::vector<int> needing = cuts_needing_spare(net, plan.spare, plan.bridges);
  std::string text = written_by_line() + text_printf("%5s  %-15s %-15s %8s %8s %5s\n", "span", "from", "to", "working", "spare", "cuts");
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const PlanSpan& s = net.spans[k];
    const bool bridge = std::find(plan.bridges.begin(), plan.bridges.end(), static_cast<int>(k)) != plan.bridges.end();
    text += text_printf("%5zu  %-15s %-15s %8lld %8lld %5d%s\n", k + 1, nodes.nodes[s.from - 1].name.c_str(),
                        nodes.nodes[s.to - 1].name.c_str(), s.working, plan.spare[k], needing[k],
                        bridge ? "  bridge" : "");
  }
  return text;
}

}  // namespace capplan
