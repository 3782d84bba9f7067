#include "joint.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "arc_flow.h"
#include "linear_model.h"
#include "path_list.h"
#include "restoration.h"
#include "routes.h"
#include "run_clock.h"
#include "text_format.h"

namespace capplan {

using lpsolve::LinearModel;

namespace {

long long span_cost(const SpanNetwork& net, const std::vector<long long>& per_span) {
  long long cost = 0;
  for (std::size_t k = 0; k < per_span.size(); ++k) cost += net.spans[k].cost * per_span[k];
  return cost;
}

}  // namespace

long long Demand::channels() const {
  long long total = 0;
  for (const RoutedChannels& r : routes) total += r.channels;
  return total;
}

long long total_channels(const std::vector<Demand>& demands) {
  long long total = 0;
  for (const Demand& d : demands) total += d.channels();
  return total;
}

Error read_demands(std::string_view text, const std::string& file, const studyfiles::NodeList& nodes,
                   const SpanNetwork& net, DemandList& out) {
  const netrestore::PathList list = netrestore::parse_path_list(text);
  if (list.title.empty()) return Error::at(file, 1, "empty path list: no title line");
  std::map<std::string, int> number;
  for (int v = 0; v < nodes.count(); ++v) number.emplace(nodes.nodes[v].name, v + 1);
  const SpanFinder finder(net);
  out = DemandList{};
  out.title = list.title;
  std::map<std::pair<int, int>, std::size_t> demand_of;
  for (const netrestore::PathLine& line : list.lines) {
    const std::vector<std::string>& names = line.names;
    const int at = line.line_number;
    if (names.size() < 3) return Error::at(file, at, "a path names at least two nodes and ends with 45");
    if (names.back() != netrestore::kPathTerminator) return Error::at(file, at, "the path does not end with 45");
    Route route;
    for (std::size_t j = 0; j + 1 < names.size(); ++j) {
      const auto it = number.find(names[j]);
      if (it == number.end()) return Error::at(file, at, "node '" + names[j] + "' is not in the node list");
      if (std::find(route.begin(), route.end(), it->second) != route.end())
        return Error::at(file, at, "the path visits node '" + names[j] + "' twice");
      if (!route.empty() && finder.between(route.back(), it->second) < 0)
        return Error::at(file, at, "no span joins '" + names[j - 1] + "' and '" + names[j] + "'");
      route.push_back(it->second);
    }
    const auto key = std::make_pair(std::min(route.front(), route.back()), std::max(route.front(), route.back()));
    auto [it, added] = demand_of.emplace(key, out.demands.size());
    if (added) out.demands.push_back({route.front(), route.back(), {}});
    Demand& demand = out.demands[it->second];
    if (route.front() != demand.from) std::reverse(route.begin(), route.end());
    auto same = std::find_if(demand.routes.begin(), demand.routes.end(), [&](const RoutedChannels& r) { return r.route == route; });
    if (same == demand.routes.end())
      demand.routes.push_back({route, 1});
    else
      ++same->channels;
  }
  return {};
}

SpanNetwork with_working(const SpanNetwork& net, const std::vector<long long>& working) {
  SpanNetwork out = net;
  for (std::size_t k = 0; k < out.spans.size(); ++k) out.spans[k].working = working[k];
  return out;
}

std::vector<long long> working_of(const SpanNetwork& net, const std::vector<Demand>& demands) {
  const SpanFinder finder(net);
  std::vector<long long> working(net.spans.size(), 0);
  for (const Demand& d : demands)
    for (const RoutedChannels& r : d.routes)
      for (int k : finder.spans_of(r.route)) working[k] += r.channels;
  return working;
}

Error check_carried(const std::vector<Demand>& given, const std::vector<Demand>& routed) {
  if (given.size() != routed.size())
    return Error::of(text_printf("the routes carry %zu demands, not %zu", routed.size(), given.size()));
  for (std::size_t i = 0; i < given.size(); ++i) {
    const Demand& g = given[i];
    const Demand& r = routed[i];
    if (g.from != r.from || g.to != r.to || g.channels() != r.channels())
      return Error::of(text_printf("the routes carry %lld channels between nodes %d and %d, the demand is %lld",
                                   r.channels(), r.from, r.to, g.channels()));
    for (const RoutedChannels& c : r.routes)
      if (c.channels < 0 || c.route.size() < 2 || c.route.front() != g.from || c.route.back() != g.to)
        return Error::of(text_printf("a route of the demand between nodes %d and %d does not join them", g.from, g.to));
  }
  return {};
}

std::string routes_text(const std::string& title, const std::vector<Demand>& demands,
                        const studyfiles::NodeList& nodes) {
  std::string text = title;
  for (const Demand& d : demands)
    for (const RoutedChannels& r : d.routes) {
      std::vector<const std::string*> names;
      for (int v : r.route) names.push_back(&nodes.nodes[v - 1].name);
      const std::string line = netrestore::path_line(names);
      for (long long c = 0; c < r.channels; ++c) text += line;
    }
  return text;
}

JointPlan plan_joint(const SpanNetwork& net, const DemandList& input, const JointOptions& options) {
  JointPlan plan;
  PlanSearch search(options, plan);
  const RunClock& clock = search.clock();
  const SpanFinder finder(net);
  const int n_span = static_cast<int>(net.spans.size());

  // The study's own routing with its least spare: where the search starts,
  // planned within three tenths of the search's time, on the run's clock.
  plan.demands = input.demands;
  plan.working = working_of(net, input.demands);
  const SpanNetwork study = with_working(net, plan.working);
  const RunClock study_clock = clock.share(0.3);
  PlanOptions spare_options;
  spare_options.clock = &study_clock;
  spare_options.solve = search.solver();
  plan.spare = plan_spare(study, spare_options);
  if (plan.spare.fault) {
    plan.fault = plan.spare.fault;
    return plan;
  }
  plan.cost = span_cost(net, plan.working) + plan.spare.cost;
  plan.study_cost = plan.cost;
  search.progress().plan(plan.cost, 0);

  // The spans no working channel may be restored around: bridges of the
  // network itself.
  SpanNetwork every = net;
  for (PlanSpan& s : every.spans) s.working = 1;
  const std::vector<int> bridges = find_bridges(every);
  auto is_bridge = [&](int k) { return std::find(bridges.begin(), bridges.end(), k) != bridges.end(); };

  // Candidate routes: the study's own and a few of the least cost.
  const RouteFinder routes(net);
  std::vector<std::vector<Route>> candidates;
  for (const Demand& d : input.demands) {
    std::vector<Route> tried;
    for (const RoutedChannels& r : d.routes) tried.push_back(r.route);
    for (Route& r : routes.shortest_routes(d.from, d.to, options.routes_per_demand))
      if (std::find(tried.begin(), tried.end(), r) == tried.end()) tried.push_back(std::move(r));
    candidates.push_back(std::move(tried));
  }

  // The model: spare columns first, then one column per candidate route.
  LinearModel m;
  const double total = static_cast<double>(total_channels(input.demands));
  for (const PlanSpan& s : net.spans) m.add_column(static_cast<double>(s.cost), 0, total, true);
  std::vector<std::vector<int>> column(candidates.size());
  std::vector<std::vector<int>> crossing(n_span);  // per span: the route columns over it
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const double channels = static_cast<double>(input.demands[i].channels());
    const int row = m.add_row(channels, channels);
    for (const Route& r : candidates[i]) {
      const int c = m.add_column(static_cast<double>(finder.cost_of(r)), 0, channels, true);
      m.add_entry(row, c, 1);
      column[i].push_back(c);
      for (int k : finder.spans_of(r)) crossing[k].push_back(c);
    }
  }
  for (int f = 0; f < n_span; ++f) {
    if (crossing[f].empty() || is_bridge(f)) continue;
    // The working routed over f, taken from one end of f to the other.
    const int first_node_row = add_cut_flow(m, net, f, 0);
    for (int c : crossing[f]) {
      m.add_entry(first_node_row + net.spans[f].from - 1, c, -1);
      m.add_entry(first_node_row + net.spans[f].to - 1, c, 1);
    }
  }

  // The linear program, then the search from the study's plan: the spare
  // columns and the channels on each candidate route. Its bounds hold over
  // the routes tried.
  search.solve_linear(m);
  std::vector<double> start;
  for (int k = 0; k < n_span; ++k) start.push_back(static_cast<double>(plan.spare.spare[k]));
  for (std::size_t i = 0; i < candidates.size(); ++i)
    for (const Route& r : candidates[i]) {
      long long on = 0;
      for (const RoutedChannels& given : input.demands[i].routes)
        if (given.route == r) on = given.channels;
      start.push_back(static_cast<double>(on));
    }
  search.search(m, start, [&](const std::vector<double>& values) {
    std::vector<Demand> routed = input.demands;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      routed[i].routes.clear();
      for (std::size_t p = 0; p < candidates[i].size(); ++p) {
        const long long on = std::llround(values[column[i][p]]);
        if (on > 0) routed[i].routes.push_back({candidates[i][p], on});
      }
    }
    if (check_carried(input.demands, routed)) return;
    const std::vector<long long> working = working_of(net, routed);
    const SpanNetwork joint = with_working(net, working);
    Plan spare;
    spare.bridges = find_bridges(joint);
    for (int k = 0; k < n_span; ++k) spare.spare.push_back(std::max(0LL, std::llround(values[k])));
    if (!short_cuts(joint, spare.spare, spare.bridges).empty()) return;
    trim_spare(joint, spare.spare, spare.bridges, [&] { return clock.elapsed() >= clock.limit(); });
    spare.cost = span_cost(net, spare.spare);
    const long long cost = span_cost(net, working) + spare.cost;
    if (cost < plan.cost) {
      plan.demands = std::move(routed);
      plan.working = working;
      plan.spare = spare;
      plan.cost = cost;
    }
  });
  search.finish();
  return plan;
}

}  // namespace capplan
