#include "relax_solve.h"

#include <lemon/network_simplex.h>
#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <memory>

#include "text_format.h"

using studyfiles::RelaxArc;
using studyfiles::RelaxProblem;
using studyfiles::cost_weight;
using studyfiles::kCostWeightLimit;

namespace {

using Graph = lemon::SmartDigraph;
using Simplex = lemon::NetworkSimplex<Graph, long long, long long>;
using MaxFlow = lemon::Preflow<Graph, Graph::ArcMap<long long>>;

}  // namespace

// The graph of the network and the two algorithms that run on it, built once.
struct RelaxSolver::Flow {
  Graph graph;
  std::vector<Graph::Node> nodes;  // node number n is nodes[n - 1]
  std::vector<Graph::Arc> arcs;
  Graph::ArcMap<long long> capacity{graph};
  Graph::ArcMap<long long> cost{graph};
  std::unique_ptr<Simplex> simplex;
  std::unique_ptr<MaxFlow> max_flow;

  explicit Flow(const RelaxProblem& p) {
    graph.reserveNode(p.node_count);
    graph.reserveArc(static_cast<int>(p.arcs.size()));
    nodes.reserve(static_cast<std::size_t>(p.node_count));
    for (int n = 0; n < p.node_count; ++n) nodes.push_back(graph.addNode());
    arcs.reserve(p.arcs.size());
    for (const RelaxArc& a : p.arcs) {
      Graph::Arc arc = graph.addArc(node(a.from), node(a.to));
      capacity[arc] = a.capacity;
      cost[arc] = a.cost;
      arcs.push_back(arc);
    }
    // The algorithms copy the graph's structure when they are made: only
    // once it is complete.
    simplex = std::make_unique<Simplex>(graph);
    simplex->costMap(cost);
  }
  Graph::Node node(int number) const { return nodes[static_cast<std::size_t>(number - 1)]; }

  // The most that can flow from the source to the sink.
  long long most_flow(int source, int sink) {
    if (!max_flow) max_flow = std::make_unique<MaxFlow>(graph, capacity, node(source), node(sink));
    max_flow->source(node(source)).target(node(sink));
    max_flow->runMinCut();
    return max_flow->flowValue();
  }
};

RelaxSolver::RelaxSolver(const RelaxProblem& network) : problem_(network), flow_(std::make_unique<Flow>(network)) {
  full_capacity_.reserve(network.arcs.size());
  for (std::size_t k = 0; k < network.arcs.size(); ++k) {
    const RelaxArc& a = network.arcs[k];
    full_capacity_.push_back(a.capacity);
    if (a.capacity < 0) negative_.push_back(k);
    cost_weight_ += cost_weight(a);
  }
}

RelaxSolver::~RelaxSolver() = default;

std::string RelaxSolver::refusal(const std::vector<std::size_t>& closed_arcs, int source, int sink,
                                 long long demand) const {
  auto closed = [&](std::size_t k) {
    return std::find(closed_arcs.begin(), closed_arcs.end(), k) != closed_arcs.end();
  };
  for (std::size_t k : negative_) {
    if (!closed(k)) {
      return text_printf("arc %zu has a negative capacity, %lld", k + 1, full_capacity_[k]);
    }
  }
  if (demand <= 0 || source == sink) return "no sink: no node has a positive value";
  __int128 weight = cost_weight_;
  for (std::size_t k = 0; k < closed_arcs.size(); ++k) {
    const std::size_t arc = closed_arcs[k];
    const bool listed_before = std::find(closed_arcs.begin(), closed_arcs.begin() + static_cast<std::ptrdiff_t>(k),
                                         arc) != closed_arcs.begin() + static_cast<std::ptrdiff_t>(k);
    if (!listed_before) weight -= cost_weight(RelaxArc{0, 0, problem_.arcs[arc].cost, full_capacity_[arc]});
  }
  if (weight > kCostWeightLimit) return "costs times capacities add up to more than the solver can hold";
  return "";
}

void RelaxSolver::close_arcs(const std::vector<std::size_t>& closed_arcs) {
  auto reopen = [&](std::size_t k) {
    problem_.arcs[k].capacity = full_capacity_[k];
    flow_->capacity[flow_->arcs[k]] = full_capacity_[k];
  };
  if (replaced_) {
    for (std::size_t k = 0; k < full_capacity_.size(); ++k) reopen(k);
    replaced_ = false;
  } else {
    for (std::size_t k : closed_) reopen(k);
  }
  closed_ = closed_arcs;
  for (std::size_t k : closed_) {
    problem_.arcs[k].capacity = 0;
    flow_->capacity[flow_->arcs[k]] = 0;
  }
}

RelaxSolution RelaxSolver::solve(const std::vector<std::size_t>& closed_arcs, int source, int sink,
                                 long long demand) {
  if (replaced_ || closed_arcs != closed_) close_arcs(closed_arcs);
  return run(source, sink, demand);
}

RelaxSolution RelaxSolver::solve_with_capacities(const std::vector<long long>& capacity, int source, int sink,
                                                 long long demand) {
  for (std::size_t k = 0; k < full_capacity_.size(); ++k) {
    problem_.arcs[k].capacity = capacity[k];
    flow_->capacity[flow_->arcs[k]] = capacity[k];
  }
  closed_.clear();
  replaced_ = true;
  // The most that can flow first: the least-cost flow of what routes is
  // then found in one run, where a demand beyond it would take two.
  const long long most = flow_->most_flow(source, sink);
  const long long routable = std::min(demand, most);
  RelaxSolution s;
  if (routable > 0) s = run(source, sink, routable);
  s.feasible = most >= demand;
  return s;
}

RelaxSolution RelaxSolver::run(int source, int sink, long long demand) {
  problem_.source = source;
  problem_.sink = sink;
  problem_.demand = demand;
  Flow& g = *flow_;
  Simplex& simplex = *g.simplex;
  simplex.upperMap(g.capacity).stSupply(g.node(source), g.node(sink), demand);
  RelaxSolution s;
  s.feasible = simplex.run() == Simplex::OPTIMAL;
  s.routed = demand;
  if (!s.feasible) {
    // The best partial answer: as much as can flow, at least cost. With
    // finite capacities this problem always has an optimum.
    s.routed = g.most_flow(source, sink);
    simplex.stSupply(g.node(source), g.node(sink), s.routed);
    if (simplex.run() != Simplex::OPTIMAL) s.routed = 0;
  }
  s.cost = simplex.totalCost();
  s.flow.reserve(g.arcs.size());
  for (Graph::Arc arc : g.arcs) s.flow.push_back(simplex.flow(arc));
  s.paths = decompose_paths(problem_, s.flow, s.routed);
  return s;
}

RelaxSolution solve_relax(const RelaxProblem& p) {
  return RelaxSolver(p).solve({}, p.source, p.sink, p.demand);
}

namespace {

// Walks from the source along arcs that carry flow, taking flow off the
// cycles it meets, until it reaches the sink.
class PathSplitter {
 public:
  PathSplitter(const RelaxProblem& p, std::vector<long long> flow) : p_(p), flow_(std::move(flow)) {
    const std::size_t n = static_cast<std::size_t>(p.node_count) + 2;
    first_out_.assign(n, 0);
    for (const RelaxArc& a : p.arcs) ++first_out_[static_cast<std::size_t>(a.from) + 1];
    for (std::size_t v = 1; v < n; ++v) first_out_[v] += first_out_[v - 1];
    out_arcs_.resize(p.arcs.size());
    std::vector<std::size_t> fill(first_out_.begin(), first_out_.end() - 1);
    for (std::size_t k = 0; k < p.arcs.size(); ++k) out_arcs_[fill[static_cast<std::size_t>(p.arcs[k].from)]++] = k;
    next_out_ = first_out_;
    walk_pos_.assign(n, kOffWalk);
  }

  std::vector<RelaxPath> split(long long value) {
    std::vector<RelaxPath> paths;
    while (value > 0) {
      if (!walk_to_sink()) break;  // cannot happen while the flow keeps its balance
      long long bandwidth = value;
      for (std::size_t k : walk_arcs_) bandwidth = std::min(bandwidth, flow_[k]);
      for (std::size_t k : walk_arcs_) flow_[k] -= bandwidth;
      paths.push_back({bandwidth, walk_nodes_});
      value -= bandwidth;
      truncate_walk(0);
    }
    return paths;
  }

 private:
  static constexpr std::size_t kOffWalk = static_cast<std::size_t>(-1);
  static constexpr std::size_t kNoArc = static_cast<std::size_t>(-1);

  std::size_t index(int node) const { return static_cast<std::size_t>(node); }

  // The first arc out of the node that still carries flow. Flow only ever
  // goes down, so arcs passed over never need a second look.
  std::size_t next_flow_arc(int node) {
    std::size_t& next = next_out_[index(node)];
    while (next < first_out_[index(node) + 1] && flow_[out_arcs_[next]] == 0) ++next;
    return next < first_out_[index(node) + 1] ? out_arcs_[next] : kNoArc;
  }

  // Keeps the walk's first `length` nodes.
  void truncate_walk(std::size_t length) {
    for (std::size_t i = length; i < walk_nodes_.size(); ++i) walk_pos_[index(walk_nodes_[i])] = kOffWalk;
    walk_nodes_.resize(length);
    walk_arcs_.resize(length == 0 ? 0 : length - 1);
  }

  // Takes the cycle closed by `arc` off the flow: the walk from position
  // `from` to its end, then `arc` back to the node at `from`.
  void cancel_cycle(std::size_t from, std::size_t arc) {
    long long amount = flow_[arc];
    for (std::size_t i = from; i < walk_arcs_.size(); ++i) amount = std::min(amount, flow_[walk_arcs_[i]]);
    flow_[arc] -= amount;
    for (std::size_t i = from; i < walk_arcs_.size(); ++i) flow_[walk_arcs_[i]] -= amount;
    truncate_walk(from + 1);
  }

  bool walk_to_sink() {
    walk_nodes_.assign(1, p_.source);
    walk_arcs_.clear();
    walk_pos_[index(p_.source)] = 0;
    while (walk_nodes_.back() != p_.sink) {
      const std::size_t arc = next_flow_arc(walk_nodes_.back());
      if (arc == kNoArc) {
        truncate_walk(0);
        return false;
      }
      const int to = p_.arcs[arc].to;
      if (walk_pos_[index(to)] != kOffWalk) {
        cancel_cycle(walk_pos_[index(to)], arc);
        continue;
      }
      walk_pos_[index(to)] = walk_nodes_.size();
      walk_nodes_.push_back(to);
      walk_arcs_.push_back(arc);
    }
    return true;
  }

  const RelaxProblem& p_;
  std::vector<long long> flow_;
  std::vector<std::size_t> first_out_;  // arcs out of node v: out_arcs_[first_out_[v] .. first_out_[v + 1])
  std::vector<std::size_t> out_arcs_;   // arc indices grouped by from node, in file order
  std::vector<std::size_t> next_out_;
  std::vector<std::size_t> walk_pos_;   // position of each node on the walk, or kOffWalk
  std::vector<int> walk_nodes_;
  std::vector<std::size_t> walk_arcs_;
};

}  // namespace

std::vector<RelaxPath> decompose_paths(const RelaxProblem& problem, std::vector<long long> flow, long long value) {
  return PathSplitter(problem, std::move(flow)).split(value);
}
