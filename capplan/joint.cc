#include "joint.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "arc_flow.h"
#include "cbc_mip.h"
#include "linear_model.h"
#include "path_list.h"
#include "restoration.h"
#include "run_clock.h"
#include "text_format.h"

using lpsolve::LinearModel;
using lpsolve::MipOptions;
using lpsolve::MipResult;
using lpsolve::solve_with_cbc;

namespace {

// The cheapest span between two nodes, -1 when none joins them.
class SpanFinder {
 public:
  explicit SpanFinder(const SpanNetwork& net) : net_(net) {
    for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
      const auto key = ends(net.spans[k].from, net.spans[k].to);
      const auto it = span_.find(key);
      if (it == span_.end() || net.spans[it->second].cost > net.spans[k].cost) span_[key] = k;
    }
  }
  int between(int a, int b) const {
    const auto it = span_.find(ends(a, b));
    return it == span_.end() ? -1 : it->second;
  }
  std::vector<int> spans_of(const Route& route) const {
    std::vector<int> spans;
    for (std::size_t j = 0; j + 1 < route.size(); ++j) spans.push_back(between(route[j], route[j + 1]));
    return spans;
  }
  long long cost_of(const Route& route) const {
    long long cost = 0;
    for (int k : spans_of(route)) cost += net_.spans[k].cost;
    return cost;
  }

 private:
  static std::pair<int, int> ends(int a, int b) { return {std::min(a, b), std::max(a, b)}; }
  const SpanNetwork& net_;
  std::map<std::pair<int, int>, int> span_;
};

// The least-cost route from `from` to `to` avoiding the banned nodes and
// spans (Dijkstra; the networks are small); empty when there is none.
Route cheapest_route(const SpanNetwork& net, int from, int to, const std::vector<bool>& banned_node,
                     const std::set<int>& banned_span) {
  const int n = net.n_node;
  std::vector<long long> dist(n + 1, LLONG_MAX);
  std::vector<int> before(n + 1, 0);
  std::vector<bool> done(n + 1, false);
  dist[from] = 0;
  for (;;) {
    int v = 0;
    for (int u = 1; u <= n; ++u)
      if (!done[u] && dist[u] != LLONG_MAX && (v == 0 || dist[u] < dist[v])) v = u;
    if (v == 0 || v == to) break;
    done[v] = true;
    for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
      const PlanSpan& s = net.spans[k];
      if (banned_span.count(k) > 0 || (s.from != v && s.to != v)) continue;
      const int u = s.from == v ? s.to : s.from;
      if (done[u] || banned_node[u] || dist[v] + s.cost >= dist[u]) continue;
      dist[u] = dist[v] + s.cost;
      before[u] = v;
    }
  }
  if (dist[to] == LLONG_MAX) return {};
  Route route{to};
  while (route.back() != from) route.push_back(before[route.back()]);
  std::reverse(route.begin(), route.end());
  return route;
}

// Up to k least-cost simple routes (Yen's algorithm).
std::vector<Route> shortest_routes(const SpanNetwork& net, const SpanFinder& finder, int from, int to, int k) {
  std::vector<Route> found;
  std::set<std::pair<long long, Route>> candidates;
  std::vector<bool> none(net.n_node + 1, false);
  Route first = cheapest_route(net, from, to, none, {});
  if (first.empty()) return found;
  found.push_back(first);
  while (static_cast<int>(found.size()) < k) {
    const Route& last = found.back();
    for (std::size_t j = 0; j + 1 < last.size(); ++j) {
      const Route root(last.begin(), last.begin() + static_cast<long>(j) + 1);
      std::set<int> banned_span;
      for (const Route& r : found)
        if (r.size() > j + 1 && std::equal(root.begin(), root.end(), r.begin()))
          banned_span.insert(finder.between(r[j], r[j + 1]));
      std::vector<bool> banned_node(net.n_node + 1, false);
      for (std::size_t i = 0; i < j; ++i) banned_node[root[i]] = true;
      const Route spur = cheapest_route(net, last[j], to, banned_node, banned_span);
      if (spur.empty()) continue;
      Route whole = root;
      whole.insert(whole.end(), spur.begin() + 1, spur.end());
      // A spur over a parallel span repeats a found route's nodes.
      if (std::find(found.begin(), found.end(), whole) == found.end()) candidates.insert({finder.cost_of(whole), whole});
    }
    if (candidates.empty()) break;
    found.push_back(candidates.begin()->second);
    candidates.erase(candidates.begin());
  }
  return found;
}

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

namespace {

// The bound within 0 and the cost; optimal when they meet.
JointPlan finished(JointPlan& plan, Progress& progress) {
  plan.lower_bound = std::max(0LL, std::min(plan.lower_bound, plan.cost));
  plan.optimal = plan.cost == plan.lower_bound;
  if (plan.optimal) plan.note.clear();
  progress.plan(plan.cost, plan.lower_bound);
  plan.spare.lower_bound = plan.lower_bound;
  plan.spare.optimal = plan.optimal;
  return std::move(plan);
}

}  // namespace

JointPlan plan_joint(const SpanNetwork& net, const DemandList& input, const JointOptions& options) {
  const RunClock own_clock(60);
  const RunClock& clock = options.clock ? *options.clock : own_clock;
  const SpanFinder finder(net);
  const int n_span = static_cast<int>(net.spans.size());

  // The study's own routing with its least spare: where the search starts.
  JointPlan plan;
  plan.demands = input.demands;
  plan.working = working_of(net, input.demands);
  const SpanNetwork study = with_working(net, plan.working);
  PlanOptions spare_options;
  spare_options.seconds = std::max(0.5, 0.3 * clock.search_left());
  plan.spare = plan_spare(study, spare_options);
  plan.cost = span_cost(net, plan.working) + plan.spare.cost;
  plan.study_cost = plan.cost;
  Progress quiet(clock, false);
  Progress& progress = options.progress ? *options.progress : quiet;
  progress.plan(plan.cost, 0);

  // The spans no working channel may be restored around: bridges of the
  // network itself.
  SpanNetwork every = net;
  for (PlanSpan& s : every.spans) s.working = 1;
  const std::vector<int> bridges = find_bridges(every);
  auto is_bridge = [&](int k) { return std::find(bridges.begin(), bridges.end(), k) != bridges.end(); };

  // Candidate routes: the study's own and a few of the least cost.
  std::vector<std::vector<Route>> candidates;
  for (const Demand& d : input.demands) {
    std::vector<Route> routes;
    for (const RoutedChannels& r : d.routes) routes.push_back(r.route);
    for (Route& r : shortest_routes(net, finder, d.from, d.to, options.routes_per_demand))
      if (std::find(routes.begin(), routes.end(), r) == routes.end()) routes.push_back(std::move(r));
    candidates.push_back(std::move(routes));
  }

  // The model: spare columns first, then one column per candidate route.
  LinearModel m;
  long long total = 0;
  for (const Demand& d : input.demands) total += d.channels();
  for (const PlanSpan& s : net.spans) m.add_column(static_cast<double>(s.cost), 0, static_cast<double>(total), true);
  std::vector<std::vector<int>> column(candidates.size());
  std::vector<std::vector<int>> crossing(n_span);  // per span: the route columns over it
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const int row = m.add_row(static_cast<double>(input.demands[i].channels()), static_cast<double>(input.demands[i].channels()));
    for (const Route& r : candidates[i]) {
      const int c = m.add_column(static_cast<double>(finder.cost_of(r)), 0, static_cast<double>(input.demands[i].channels()), true);
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

  // The linear program first, within the time left (the search's own time
  // limit does not bound it): its bound holds over the routes tried. The
  // search solves it again at its root, so it starts only while twice that
  // time is left.
  MipOptions lp_options;
  lp_options.seconds = clock.search_left();
  lp_options.relaxation_only = true;
  lp_options.tick = [&] { progress.tick(); };
  const double lp_start = clock.elapsed();
  MipResult lp;
  if (lp_options.seconds > 0) lp = solve_with_cbc(m, lp_options);
  const double lp_seconds = clock.elapsed() - lp_start;
  if (lp.optimal) {
    progress.lp_bound(std::max(0.0, lp.objective));
    plan.lower_bound = static_cast<long long>(std::ceil(lp.objective - 1e-6));
  }
  if (!lp.optimal || clock.search_left() <= 0 || clock.search_left() < 2 * lp_seconds) {
    plan.note = text_printf("the search stopped at the time limit of %g s", clock.limit());
    return finished(plan, progress);
  }
  MipOptions mip_options;
  mip_options.seconds = clock.search_left();
  progress.follow(mip_options);
  for (int k = 0; k < n_span; ++k) {
    mip_options.start_columns.push_back(k);
    mip_options.start_values.push_back(static_cast<double>(plan.spare.spare[k]));
  }
  for (std::size_t i = 0; i < candidates.size(); ++i)
    for (std::size_t p = 0; p < candidates[i].size(); ++p) {
      long long on = 0;
      for (const RoutedChannels& r : input.demands[i].routes)
        if (r.route == candidates[i][p]) on = r.channels;
      mip_options.start_columns.push_back(column[i][p]);
      mip_options.start_values.push_back(static_cast<double>(on));
    }
  const MipResult mip = solve_with_cbc(m, mip_options);
  if (mip.has_solution) {
    std::vector<Demand> routed = input.demands;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      routed[i].routes.clear();
      for (std::size_t p = 0; p < candidates[i].size(); ++p) {
        const long long on = std::llround(mip.values[column[i][p]]);
        if (on > 0) routed[i].routes.push_back({candidates[i][p], on});
      }
    }
    if (!check_carried(input.demands, routed)) {
      const std::vector<long long> working = working_of(net, routed);
      const SpanNetwork joint = with_working(net, working);
      Plan spare;
      spare.bridges = find_bridges(joint);
      for (int k = 0; k < n_span; ++k) spare.spare.push_back(std::max(0LL, std::llround(mip.values[k])));
      if (short_cuts(joint, spare.spare, spare.bridges).empty()) {
        trim_spare(joint, spare.spare, spare.bridges, [&] { return clock.elapsed() >= clock.limit(); });
        spare.cost = span_cost(net, spare.spare);
        const long long cost = span_cost(net, working) + spare.cost;
        if (cost < plan.cost) {
          plan.demands = std::move(routed);
          plan.working = working;
          plan.spare = spare;
          plan.cost = cost;
        }
      }
    }
  }
  if (mip.has_solution || mip.optimal)
    plan.lower_bound = std::max(plan.lower_bound, static_cast<long long>(std::ceil(mip.bound - 1e-6)));
  if (mip.optimal) plan.lower_bound = std::max(plan.lower_bound, std::llround(mip.objective));
  if (!mip.optimal) plan.note = text_printf("the search stopped at the time limit of %g s", clock.limit());
  return finished(plan, progress);
}

std::string joint_summary_text(const SpanNetwork& net, const JointPlan& plan, const std::string& netdata,
                               const std::string& paths, double seconds) {
  long long working = 0, spare = 0, channels = 0;
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    working += plan.working[k];
    spare += plan.spare.spare[k];
  }
  for (const Demand& d : plan.demands) channels += d.channels();
  std::string text = text_printf("joint plan for %s (paths %s): %zu spans, %d nodes, %zu demands, %lld channels\n",
                                 netdata.c_str(), paths.c_str(), net.spans.size(), net.n_node, plan.demands.size(),
                                 channels);
  text += text_printf("  working channels   %12lld\n", working);
  text += text_printf("  spare channels     %12lld\n", spare);
  if (working > 0)
    text += text_printf("  redundancy         %11.2f%%\n", 100.0 * static_cast<double>(spare) / static_cast<double>(working));
  else
    text += "  redundancy                    -\n";
  text += text_printf("  cost               %12lld  (working and spare)\n", plan.cost);
  text += text_printf("  study's routing    %12lld  (its working and its least spare)\n", plan.study_cost);
  text += text_printf("  lower bound        %12lld%s\n", plan.lower_bound, plan.optimal ? "  (optimal)" : "");
  const double gap = gap_percent(plan.cost, static_cast<double>(plan.lower_bound));
  text += gap < 0 ? std::string("  gap                           -\n") : text_printf("  gap                %11.2f%%\n", gap);
  if (!plan.note.empty()) text += "  (" + plan.note + ")\n";
  text += text_printf("  time               %13.3f s\n", seconds);
  return text;
}
