#include "pair_bound.h"

#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <memory>
#include <vector>

using studyfiles::EdgeRecord;

namespace dualsweep {

namespace {

using Graph = lemon::SmartDigraph;
using MaxFlow = lemon::Preflow<Graph, Graph::ArcMap<long long>>;

}  // namespace

// The spare as arcs, one per record, and an arc from the source to every
// node and from every node to the sink, closed (capacity 0) but for the
// ends of the pair at hand.
struct PairBound::Flow {
  Graph graph;
  std::vector<Graph::Node> nodes;  // node number n is nodes[n - 1]
  Graph::Node source, sink;
  std::vector<Graph::Arc> records;               // per record
  std::vector<long long> spare;                  // per record
  std::vector<Graph::Arc> from_source, to_sink;  // per node
  Graph::ArcMap<long long> capacity{graph};
  std::unique_ptr<MaxFlow> max_flow;
  long long total_spare = 0;

  explicit Flow(const DualStudy& study) {
    const std::vector<EdgeRecord>& edges = study.net.edges;
    const int n_node = study.net.n_node;
    graph.reserveNode(n_node + 2);
    graph.reserveArc(static_cast<int>(edges.size()) + 2 * n_node);
    for (int n = 0; n < n_node; ++n) nodes.push_back(graph.addNode());
    source = graph.addNode();
    sink = graph.addNode();
    for (const EdgeRecord& r : edges) {
      const Graph::Arc arc = graph.addArc(node(r.from), node(r.to));
      capacity[arc] = r.spare;
      total_spare += r.spare;
      records.push_back(arc);
      spare.push_back(r.spare);
    }
    for (const Graph::Node& v : nodes) {
      capacity[from_source.emplace_back(graph.addArc(source, v))] = 0;
      capacity[to_sink.emplace_back(graph.addArc(v, sink))] = 0;
    }
    // Preflow sizes itself by the graph when it is made: only once the
    // graph is complete.
    max_flow = std::make_unique<MaxFlow>(graph, capacity, source, sink);
  }
  Graph::Node node(int number) const { return nodes[static_cast<std::size_t>(number - 1)]; }
  long long& feed(int node) { return capacity[from_source[static_cast<std::size_t>(node - 1)]]; }
  long long& drain(int node) { return capacity[to_sink[static_cast<std::size_t>(node - 1)]]; }
  // Span k's two records carry their spare, or nothing.
  void open_span(int k, bool open) {
    for (std::size_t r : {static_cast<std::size_t>(2 * k - 2), static_cast<std::size_t>(2 * k - 1)})
      capacity[records[r]] = open ? spare[r] : 0;
  }
  long long most_flow() {
    max_flow->runMinCut();
    return max_flow->flowValue();
  }
};

PairBound::PairBound(const DualStudy& study) : study_(study), flow_(std::make_unique<Flow>(study)) {}

PairBound::~PairBound() = default;

long long PairBound::bound(int i, int j) {
  Flow& f = *flow_;
  const EdgeRecord& a = study_.span(i);
  const EdgeRecord& b = study_.span(j);
  const long long w_i = a.capacity, w_j = b.capacity;
  // More than any cut that crosses none of these arcs: an end joined by one
  // to the source and by another to the sink makes that maximum flow the
  // larger one, as no cut parts it.
  const long long unlimited = f.total_spare + w_i + w_j + 1;
  // The maximum flow from i's first end (at most w_i entering there) to its
  // second, with j's first end (at most w_j) a source too when
  // `j_first_fed`, else a sink, and its second end the other.
  auto most_flow = [&](bool j_first_fed) {
    f.feed(a.from) += w_i;
    f.drain(a.to) += unlimited;
    (j_first_fed ? f.feed(b.from) : f.drain(b.from)) += w_j;
    (j_first_fed ? f.drain(b.to) : f.feed(b.to)) += unlimited;
    const long long value = f.most_flow();
    for (int v : {a.from, a.to, b.from, b.to}) f.feed(v) = f.drain(v) = 0;
    return value;
  };
  // The two cut spans carry nothing.
  f.open_span(i, false);
  f.open_span(j, false);
  // Both first ends to both second ends, and i's first end and j's second
  // to the other two.
  const long long least = std::min(most_flow(true), most_flow(false));
  f.open_span(i, true);
  f.open_span(j, true);
  return least;
}

}  // namespace dualsweep
