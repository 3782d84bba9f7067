#include "restoration.h"

#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace capplan {

struct RestorationCheck::Graph {
  lemon::SmartDigraph g;
  std::vector<lemon::SmartDigraph::Node> nodes;
  std::vector<lemon::SmartDigraph::Arc> arcs;  // 2k and 2k + 1: the two directions of span k
  lemon::SmartDigraph::ArcMap<long long> capacity{g};
  lemon::SmartDigraph::ArcMap<double> fraction{g};
};

RestorationCheck::RestorationCheck(const SpanNetwork& net) : graph_(std::make_unique<Graph>()) {
  Graph& gr = *graph_;
  for (int n = 0; n < net.n_node; ++n) gr.nodes.push_back(gr.g.addNode());
  for (const PlanSpan& s : net.spans) {
    gr.arcs.push_back(gr.g.addArc(gr.nodes[s.from - 1], gr.nodes[s.to - 1]));
    gr.arcs.push_back(gr.g.addArc(gr.nodes[s.to - 1], gr.nodes[s.from - 1]));
  }
  spans_ = net.spans;
}

RestorationCheck::~RestorationCheck() = default;

long long RestorationCheck::restorable(const std::vector<long long>& spare, int cut) {
  Graph& gr = *graph_;
  for (std::size_t k = 0; k < spare.size(); ++k) {
    const long long c = static_cast<int>(k) == cut ? 0 : spare[k];
    gr.capacity[gr.arcs[2 * k]] = c;
    gr.capacity[gr.arcs[2 * k + 1]] = c;
  }
  const PlanSpan& s = spans_[static_cast<std::size_t>(cut)];
  lemon::Preflow<lemon::SmartDigraph, lemon::SmartDigraph::ArcMap<long long>> preflow(
      gr.g, gr.capacity, gr.nodes[s.from - 1], gr.nodes[s.to - 1]);
  preflow.runMinCut();
  return preflow.flowValue();
}

double RestorationCheck::min_cut(const std::vector<double>& capacity, int cut, std::vector<int>& cut_spans) {
  Graph& gr = *graph_;
  for (std::size_t k = 0; k < capacity.size(); ++k) {
    const double c = static_cast<int>(k) == cut ? 0 : std::max(0.0, capacity[k]);
    gr.fraction[gr.arcs[2 * k]] = c;
    gr.fraction[gr.arcs[2 * k + 1]] = c;
  }
  const PlanSpan& s = spans_[static_cast<std::size_t>(cut)];
  lemon::Preflow<lemon::SmartDigraph, lemon::SmartDigraph::ArcMap<double>> preflow(
      gr.g, gr.fraction, gr.nodes[s.from - 1], gr.nodes[s.to - 1]);
  preflow.runMinCut();
  cut_spans.clear();
  for (std::size_t k = 0; k < spans_.size(); ++k) {
    if (static_cast<int>(k) == cut) continue;
    if (preflow.minCut(gr.nodes[spans_[k].from - 1]) != preflow.minCut(gr.nodes[spans_[k].to - 1]))
      cut_spans.push_back(static_cast<int>(k));
  }
  return preflow.flowValue();
}

namespace {

// The spans whose cuts must be restored: working channels, not skipped.
std::vector<int> demanding_spans(const SpanNetwork& net, const std::vector<int>& skipped) {
  std::vector<int> cuts;
  for (int f = 0; f < static_cast<int>(net.spans.size()); ++f)
    if (net.spans[f].working > 0 && std::find(skipped.begin(), skipped.end(), f) == skipped.end()) cuts.push_back(f);
  return cuts;
}

}  // namespace

std::vector<int> find_bridges(const SpanNetwork& net) {
  RestorationCheck check(net);
  const std::vector<long long> one(net.spans.size(), 1);
  std::vector<int> bridges;
  for (int f : demanding_spans(net, {}))
    if (check.restorable(one, f) == 0) bridges.push_back(f);
  return bridges;
}

std::vector<ShortCut> short_cuts(const SpanNetwork& net, const std::vector<long long>& spare,
                                 const std::vector<int>& skipped) {
  RestorationCheck check(net);
  std::vector<ShortCut> shorts;
  for (int f : demanding_spans(net, skipped)) {
    const long long r = check.restorable(spare, f);
    if (r < net.spans[f].working) shorts.push_back({f, r});
  }
  return shorts;
}

std::vector<int> cuts_needing_spare(const SpanNetwork& net, const std::vector<long long>& spare,
                                    const std::vector<int>& skipped) {
  RestorationCheck check(net);
  const std::vector<int> cuts = demanding_spans(net, skipped);
  std::vector<int> needing(net.spans.size(), 0);
  std::vector<long long> less = spare;
  for (std::size_t k = 0; k < spare.size(); ++k) {
    if (spare[k] == 0) continue;
    --less[k];
    for (int f : cuts)
      if (f != static_cast<int>(k) && check.restorable(less, f) < net.spans[f].working) ++needing[k];
    ++less[k];
  }
  return needing;
}

void repair_spare(const SpanNetwork& net, std::vector<long long>& spare, const std::vector<int>& skipped) {
  RestorationCheck check(net);
  std::vector<double> capacity(spare.begin(), spare.end());
  std::vector<int> cut_spans;
  for (int f : demanding_spans(net, skipped)) {
    for (;;) {
      const double flow = check.min_cut(capacity, f, cut_spans);
      const long long missing = net.spans[f].working - static_cast<long long>(std::floor(flow + 1e-6));
      if (missing <= 0 || cut_spans.empty()) break;
      const int k = *std::min_element(cut_spans.begin(), cut_spans.end(),
                                      [&](int a, int b) { return net.spans[a].cost < net.spans[b].cost; });
      spare[k] += missing;
      capacity[k] = static_cast<double>(spare[k]);
    }
  }
}

void trim_spare(const SpanNetwork& net, std::vector<long long>& spare, const std::vector<int>& skipped,
                const std::function<bool()>& stop) {
  RestorationCheck check(net);
  std::vector<int> cuts = demanding_spans(net, skipped);
  std::vector<int> order(net.spans.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return net.spans[a].cost > net.spans[b].cost; });
  for (int k : order) {
    while (spare[k] > net.spans[k].spare) {
      if (stop && stop()) return;
      --spare[k];
      // The cut that failed last is the likeliest to fail again: it goes first.
      auto failing = std::find_if(cuts.begin(), cuts.end(), [&](int f) {
        return f != k && check.restorable(spare, f) < net.spans[f].working;
      });
      if (failing == cuts.end()) continue;
      std::rotate(cuts.begin(), failing, failing + 1);
      ++spare[k];
      break;
    }
  }
}

}  // namespace capplan
