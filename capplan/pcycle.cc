#include "pcycle.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <utility>

#include "linear_model.h"
#include "restoration.h"
#include "routes.h"
#include "run_clock.h"
#include "study.h"
#include "text_format.h"

namespace capplan {

using lpsolve::LinearModel;

namespace {

struct Adjacent {
  int node = 0;  // 1-based
  int span = 0;  // 0-based
};

std::vector<std::vector<Adjacent>> adjacency(const SpanNetwork& net) {
  std::vector<std::vector<Adjacent>> adj(static_cast<std::size_t>(net.n_node) + 1);
  for (int k = 0; k < static_cast<int>(net.spans.size()); ++k) {
    adj[net.spans[k].from].push_back({net.spans[k].to, k});
    adj[net.spans[k].to].push_back({net.spans[k].from, k});
  }
  return adj;
}

int other_end(const PlanSpan& s, int node) { return s.from == node ? s.to : s.from; }

// A cycle from its first node and its spans in order.
PCycle cycle_of(const SpanNetwork& net, int start, const std::vector<int>& spans) {
  PCycle c;
  c.spans = spans;
  int at = start;
  for (int k : spans) {
    c.nodes.push_back(at);
    at = other_end(net.spans[k], at);
  }
  complete_cycle(net, c);
  return c;
}

// One round of the enumeration: every simple cycle of at most `cap` spans,
// each once (from its lowest node, its first span numbered below its last).
// False when more than `limit` cycles or `max_steps` steps were needed.
bool enumerate_round(const SpanNetwork& net, const std::vector<std::vector<Adjacent>>& adj, int cap, long long limit,
                     long long max_steps, std::vector<std::pair<int, std::vector<int>>>& found) {
  found.clear();
  std::vector<char> on_path(static_cast<std::size_t>(net.n_node) + 1, 0);
  std::vector<int> path;
  long long steps = 0;
  bool over = false;
  std::function<void(int, int)> extend = [&](int start, int at) {
    for (const Adjacent& a : adj[at]) {
      if (over) return;
      if (++steps > max_steps) {
        over = true;
        return;
      }
      if (a.node == start) {
        if (!path.empty() && a.span != path.back() && path.front() < a.span) {
          if (static_cast<long long>(found.size()) >= limit) {
            over = true;
            return;
          }
          path.push_back(a.span);
          found.emplace_back(start, path);
          path.pop_back();
        }
        continue;
      }
      if (a.node < start || on_path[a.node] || static_cast<int>(path.size()) + 1 >= cap) continue;
      on_path[a.node] = 1;
      path.push_back(a.span);
      extend(start, a.node);
      path.pop_back();
      on_path[a.node] = 0;
    }
  };
  for (int s = 1; s <= net.n_node && !over; ++s) {
    on_path[s] = 1;
    extend(s, s);
    on_path[s] = 0;
  }
  return !over;
}

// The spans whose working channels the plan must restore.
std::vector<int> demanding(const SpanNetwork& net, const std::vector<int>& bridges) {
  std::vector<int> out;
  for (int k = 0; k < static_cast<int>(net.spans.size()); ++k)
    if (net.spans[k].working > 0 && std::find(bridges.begin(), bridges.end(), k) == bridges.end()) out.push_back(k);
  return out;
}

// The cheapest cycle through span k: k and the least-cost route between
// its ends that avoids it; empty spans when there is none.
PCycle cheapest_cycle_through(const SpanNetwork& net, const RouteFinder& routes, int k) {
  std::vector<char> without_k(net.spans.size(), 0);
  without_k[static_cast<std::size_t>(k)] = 1;
  const PlanSpan& s = net.spans[static_cast<std::size_t>(k)];
  // from -k-> to, then back from `to` to `from`.
  const std::vector<int> back = routes.cheapest(s.to, s.from, {}, without_k);
  if (back.empty()) return {};
  std::vector<int> spans{k};
  spans.insert(spans.end(), back.begin(), back.end());
  return cycle_of(net, s.from, spans);
}

long long plan_cost(const std::vector<PCycle>& cycles, const std::vector<long long>& copies) {
  long long cost = 0;
  for (std::size_t c = 0; c < cycles.size(); ++c) cost += copies[c] * cycles[c].cost;
  return cost;
}

// True when the copies restore every demanding span in full.
bool covers(const SpanNetwork& net, const std::vector<int>& spans, const std::vector<PCycle>& cycles,
            const std::vector<long long>& copies) {
  std::vector<long long> restored(net.spans.size(), 0);
  for (std::size_t c = 0; c < cycles.size(); ++c) {
    for (int k : cycles[c].spans) restored[k] += copies[c];
    for (int k : cycles[c].straddling) restored[k] += 2 * copies[c];
  }
  return std::all_of(spans.begin(), spans.end(), [&](int k) { return restored[k] >= net.spans[k].working; });
}

// A first plan: one copy at a time of the cycle that restores the most
// channels still unrestored per unit of cost (taken in batches of copies
// that each restore as much).
std::vector<long long> greedy_copies(const SpanNetwork& net, const std::vector<int>& spans,
                                     const std::vector<PCycle>& cycles) {
  std::vector<long long> left(net.spans.size(), 0), copies(cycles.size(), 0);
  for (int k : spans) left[k] = net.spans[k].working;
  while (true) {
    int best = -1;
    double best_worth = 0;
    for (std::size_t c = 0; c < cycles.size(); ++c) {
      long long gain = 0;
      for (int k : cycles[c].spans) gain += std::min<long long>(1, left[k]);
      for (int k : cycles[c].straddling) gain += std::min<long long>(2, left[k]);
      if (gain == 0) continue;
      const double worth = static_cast<double>(gain) / static_cast<double>(std::max<long long>(1, cycles[c].cost));
      if (best < 0 || worth > best_worth) {
        best = static_cast<int>(c);
        best_worth = worth;
      }
    }
    if (best < 0) break;
    // As many copies at once as each restore as much as the first.
    long long batch = -1;
    for (int k : cycles[best].spans)
      if (left[k] > 0) batch = batch < 0 ? left[k] : std::min(batch, left[k]);
    for (int k : cycles[best].straddling)
      if (left[k] > 0) batch = batch < 0 ? left[k] / 2 : std::min(batch, left[k] / 2);
    batch = std::max<long long>(1, batch);
    copies[best] += batch;
    for (int k : cycles[best].spans) left[k] = std::max<long long>(0, left[k] - batch);
    for (int k : cycles[best].straddling) left[k] = std::max<long long>(0, left[k] - 2 * batch);
  }
  return copies;
}

std::vector<long long> rounded_copies(const std::vector<double>& values) {
  std::vector<long long> copies;
  for (double v : values) copies.push_back(std::max(0LL, std::llround(v)));
  return copies;
}

// The working channels a copy could restore per unit of its cost, each span
// weighed by `weight`.
double weighted_efficiency(const PCycle& c, const std::vector<double>& weight) {
  double restored = 0;
  for (int k : c.spans) restored += weight[k];
  for (int k : c.straddling) restored += 2 * weight[k];
  return restored / static_cast<double>(std::max<long long>(1, c.cost));
}

}  // namespace

void complete_cycle(const SpanNetwork& net, PCycle& c) {
  std::vector<char> on_node(static_cast<std::size_t>(net.n_node) + 1, 0), on_span(net.spans.size(), 0);
  for (int n : c.nodes) on_node[n] = 1;
  c.cost = 0;
  for (int k : c.spans) {
    on_span[k] = 1;
    c.cost += net.spans[k].cost;
  }
  c.straddling.clear();
  for (int k = 0; k < static_cast<int>(net.spans.size()); ++k)
    if (!on_span[k] && on_node[net.spans[k].from] && on_node[net.spans[k].to]) c.straddling.push_back(k);
}

int protection(const PCycle& c, int k) {
  if (std::find(c.spans.begin(), c.spans.end(), k) != c.spans.end()) return 1;
  if (std::find(c.straddling.begin(), c.straddling.end(), k) != c.straddling.end()) return 2;
  return 0;
}

std::vector<long long> pcycle_spare(const SpanNetwork& net, const std::vector<PCycle>& cycles,
                                    const std::vector<long long>& copies) {
  std::vector<long long> spare;
  for (const PlanSpan& s : net.spans) spare.push_back(s.spare);
  for (std::size_t c = 0; c < cycles.size(); ++c)
    for (int k : cycles[c].spans) spare[k] += copies[c];
  return spare;
}

PCycleCandidates enumerate_cycles(const SpanNetwork& net, long long max_enumerated) {
  const auto adj = adjacency(net);
  // Enough steps for the rounds that fit, and a bound on those that do not.
  const long long max_steps = 100 * max_enumerated + 1000000;
  PCycleCandidates out;
  std::vector<std::pair<int, std::vector<int>>> kept, found;
  for (int cap = 2; cap <= std::max(2, net.n_node); ++cap) {
    if (!enumerate_round(net, adj, cap, max_enumerated, max_steps, found)) {
      out.length_capped = true;
      break;
    }
    kept.swap(found);
    out.length_cap = kept.empty() ? 0 : cap;
  }
  if (kept.empty()) out.length_cap = 0;
  for (const auto& [start, spans] : kept) out.cycles.push_back(cycle_of(net, start, spans));
  out.enumerated = static_cast<long long>(out.cycles.size());
  return out;
}

PCyclePlan plan_pcycles(const SpanNetwork& net, const PlanOptions& options, int max_candidates) {
  PCyclePlan out;
  Plan& plan = out.plan;
  PlanSearch search(options, plan);
  const RunClock& clock = search.clock();
  plan.bridges = find_bridges(net);
  const std::vector<int> spans = demanding(net, plan.bridges);

  // The candidates: the most efficient enumerated cycles and the cheapest
  // through each span; then, round by round, the enumerated cycles whose
  // cost the linear program's row prices undercut most (column generation).
  out.candidates = enumerate_cycles(net);
  std::vector<PCycle> pool;
  pool.swap(out.candidates.cycles);
  std::vector<PCycle>& cycles = out.candidates.cycles;
  std::vector<double> by_working(net.spans.size(), 0);
  for (int k : spans) by_working[k] = static_cast<double>(net.spans[k].working);
  std::vector<char> taken(pool.size(), 0);
  {
    std::vector<std::pair<double, std::size_t>> order;
    for (std::size_t c = 0; c < pool.size(); ++c) order.emplace_back(-weighted_efficiency(pool[c], by_working), c);
    std::stable_sort(order.begin(), order.end());
    for (std::size_t i = 0; i < order.size() && static_cast<int>(i) < max_candidates; ++i) taken[order[i].second] = 1;
  }
  std::set<std::vector<int>> known;
  auto add = [&](const PCycle& c) {
    if (c.spans.empty()) return;
    std::vector<int> key = c.spans;
    std::sort(key.begin(), key.end());
    if (known.insert(key).second) cycles.push_back(c);
  };
  for (std::size_t c = 0; c < pool.size(); ++c)
    if (taken[c]) add(pool[c]);
  out.candidates.started = static_cast<long long>(cycles.size());
  const RouteFinder routes(net);
  for (int k : spans) add(cheapest_cycle_through(net, routes, k));

  // The integer program: copies per candidate, one row per demanding span.
  LinearModel model;
  long long most = 0;
  for (int k : spans) most = std::max(most, net.spans[k].working);
  std::vector<int> row_of(net.spans.size(), -1);
  for (int k : spans) row_of[k] = model.add_row(static_cast<double>(net.spans[k].working), LinearModel::kInfinity);
  auto add_column = [&](const PCycle& c) {
    const int column = model.add_column(static_cast<double>(c.cost), 0, static_cast<double>(most), true);
    for (int k : c.spans)
      if (row_of[k] >= 0) model.add_entry(row_of[k], column, 1);
    for (int k : c.straddling)
      if (row_of[k] >= 0) model.add_entry(row_of[k], column, 2);
  };
  for (const PCycle& c : cycles) add_column(c);

  out.copies = greedy_copies(net, spans, cycles);
  plan.cost = plan_cost(cycles, out.copies);
  search.progress().plan(plan.cost, 0);
  // Pricing takes at most half the search's time: the integer search needs
  // the rest. Every round ends with the linear program of the model as it
  // stands, so that its bound is this model's: cycles priced in are solved
  // again (within the time left, or there is no bound).
  const double pricing_until = clock.elapsed() + 0.5 * clock.search_left();
  while (!spans.empty()) {
    if (!search.solve_linear(model, false) || search.linear().row_duals.size() != static_cast<std::size_t>(model.rows()) ||
        clock.elapsed() >= pricing_until)
      break;
    const std::vector<double>& duals = search.linear().row_duals;
    std::vector<std::pair<double, std::size_t>> priced;
    for (std::size_t c = 0; c < pool.size(); ++c) {
      if (taken[c]) continue;
      double worth = 0;
      for (int k : pool[c].spans)
        if (row_of[k] >= 0) worth += duals[row_of[k]];
      for (int k : pool[c].straddling)
        if (row_of[k] >= 0) worth += 2 * duals[row_of[k]];
      const double reduced = static_cast<double>(pool[c].cost) - worth;
      if (reduced < -1e-6 * std::max(1.0, static_cast<double>(pool[c].cost))) priced.emplace_back(reduced, c);
    }
    if (priced.empty()) break;
    std::sort(priced.begin(), priced.end());
    const std::size_t before = cycles.size();
    for (std::size_t i = 0; i < priced.size() && i < kPricedPerRound; ++i) {
      taken[priced[i].second] = 1;
      add(pool[priced[i].second]);
    }
    for (std::size_t c = before; c < cycles.size(); ++c) add_column(cycles[c]);
    out.candidates.priced += static_cast<int>(cycles.size() - before);
    out.copies.resize(cycles.size(), 0);
    if (cycles.size() == before) break;
  }

  search.tell_linear();
  std::vector<double> start(out.copies.begin(), out.copies.end());
  search.search(model, start, [&](const std::vector<double>& values) {
    const std::vector<long long> found = rounded_copies(values);
    if (covers(net, spans, cycles, found) && plan_cost(cycles, found) < plan.cost) {
      out.copies = found;
      plan.cost = plan_cost(cycles, found);
    }
  });
  plan.spare = pcycle_spare(net, cycles, out.copies);
  search.finish();
  return out;
}

std::string cycles_text(const PCyclePlan& p, const studyfiles::NodeList& nodes) {
  std::string text = written_by_line();
  const std::vector<PCycle>& cycles = p.candidates.cycles;
  for (std::size_t c = 0; c < cycles.size(); ++c) {
    if (p.copies[c] == 0) continue;
    const PCycle& cy = cycles[c];
    text += text_printf("%lld %s  cycle ", p.copies[c], p.copies[c] == 1 ? "copy" : "copies");
    for (int n : cy.nodes) text += nodes.nodes[n - 1].name + "-";
    text += nodes.nodes[cy.nodes.front() - 1].name + "  spans";
    for (int k : cy.spans) text += text_printf(" %d", k + 1);
    text += "  straddling";
    if (cy.straddling.empty()) text += " -";
    for (int k : cy.straddling) text += text_printf(" %d", k + 1);
    text += "\n";
  }
  return text;
}

std::string pcycle_summary(const PCyclePlan& p) {
  long long used = 0, copies = 0;
  for (long long n : p.copies) {
    used += n > 0;
    copies += n;
  }
  const PCycleCandidates& c = p.candidates;
  const std::string kept = c.priced > 0 || c.started < c.enumerated
                               ? text_printf("the %lld most efficient and %d priced in by the linear program", c.started, c.priced)
                               : std::string("all kept");
  return text_printf("p-cycles: %lld cycles used, %lld copies; %zu candidate cycles (%lld simple cycles of up to %d spans%s,"
                     " %s, and the cheapest through each span); the bounds hold over these candidates\n",
                     used, copies, c.cycles.size(), c.enumerated, c.length_cap,
                     c.length_capped ? ", longer ones not enumerated" : ", all there are", kept.c_str());
}

}  // namespace capplan
