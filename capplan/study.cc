#include "study.h"

#include <algorithm>
#include <climits>

#include "restoration.h"
#include "text_format.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::NodeList;

Error spans_from_netdata(const Netdata& net, const NodeList& nodes, const StudyNames& names, const SpanOptions& options,
                         SpanNetwork& out) {
  const std::string& file = names.netdata;
  if (!net.bidirectional) return Error::at(file, 1, "not a bidirectional netdata file: capplan plans spans, records in pairs");
  const int n_listed = static_cast<int>(nodes.nodes.size());
  if (net.n_node > n_listed)
    return Error::at(file, 2, text_printf("%d nodes, but the node list %s has %d", net.n_node, names.nodes.c_str(), n_listed));
  if (net.edges.size() % 2 != 0)
    return Error::at(file, net.edges.back().line,
                     text_printf("%zu records: a bidirectional file holds two per span", net.edges.size()));
  out = SpanNetwork{};
  out.n_node = net.n_node;
  for (std::size_t i = 0; i < net.edges.size(); i += 2) {
    const EdgeRecord& a = net.edges[i];
    const EdgeRecord& b = net.edges[i + 1];
    const int na = static_cast<int>(i) + 1, nb = na + 1;
    if (a.from == a.to) return Error::at(file, a.line, text_printf("record %d joins node %d to itself", na, a.from));
    if (b.from != a.to || b.to != a.from)
      return Error::at(file, b.line,
                       text_printf("record %d runs %d-%d, not back along record %d (%d-%d)", nb, b.from, b.to, na, a.from, a.to));
    auto differ = [&](const char* what, int x, int y) {
      return Error::at(file, b.line,
                       text_printf("record %d has %s %d, record %d %d: the two directions of a span must agree", nb, what, y,
                                   na, x));
    };
    if (a.capacity != b.capacity) return differ("working capacity", a.capacity, b.capacity);
    if (!options.unit_cost && a.cost != b.cost) return differ("cost", a.cost, b.cost);
    if (options.keep_spare && a.spare != b.spare) return differ("spare", a.spare, b.spare);
    out.spans.push_back({a.from, a.to, options.unit_cost ? 1 : a.cost, a.capacity, options.keep_spare ? a.spare : 0});
  }
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

std::string summary_text(const SpanNetwork& net, const Plan& plan, const StudyNames& names, bool kept_spare,
                         double seconds) {
  long long working = 0, spare = 0, kept = 0;
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    working += net.spans[k].working;
    spare += plan.spare[k];
    kept += net.spans[k].spare;
  }
  std::string text = text_printf("plan for %s (nodes %s): %zu spans, %d nodes\n", names.netdata.c_str(),
                                 names.nodes.c_str(), net.spans.size(), net.n_node);
  text += text_printf("  working channels   %12lld\n", working);
  text += text_printf("  spare channels     %12lld\n", spare);
  if (kept_spare) {
    text += text_printf("    kept             %12lld\n", kept);
    text += text_printf("    added            %12lld\n", spare - kept);
  }
  if (working > 0)
    text += text_printf("  redundancy         %11.2f%%\n", 100.0 * static_cast<double>(spare) / static_cast<double>(working));
  else
    text += "  redundancy                    -\n";
  text += text_printf("  cost               %12lld\n", plan.cost);
  text += text_printf("  lower bound        %12lld%s\n", plan.lower_bound, plan.optimal ? "  (optimal)" : "");
  text += text_printf("  LP bound           %15.2f\n", plan.lp_bound);
  const double gap = gap_percent(plan.cost, static_cast<double>(plan.lower_bound));
  text += gap < 0 ? std::string("  gap                           -\n") : text_printf("  gap                %11.2f%%\n", gap);
  if (!plan.note.empty()) text += "  (" + plan.note + ")\n";
  text += text_printf("  time               %13.3f s\n", seconds);
  return text;
}

std::string report_text(const SpanNetwork& net, const NodeList& nodes, const Plan& plan) {
  const std::vector<int> needing = cuts_needing_spare(net, plan.spare, plan.bridges);
  std::string text = text_printf("%5s  %-15s %-15s %8s %8s %5s\n", "span", "from", "to", "working", "spare", "cuts");
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const PlanSpan& s = net.spans[k];
    const bool bridge = std::find(plan.bridges.begin(), plan.bridges.end(), static_cast<int>(k)) != plan.bridges.end();
    text += text_printf("%5zu  %-15s %-15s %8lld %8lld %5d%s\n", k + 1, nodes.nodes[s.from - 1].name.c_str(),
                        nodes.nodes[s.to - 1].name.c_str(), s.working, plan.spare[k], needing[k],
                        bridge ? "  bridge" : "");
  }
  return text;
}
