// Each scenario's restoration on small made-up networks, against a check
// and an exhaustive search written apart from the library
// (audit_test_util.h): the routes are a restoration of what the row says,
// the restored figure is the largest any integral restoration reaches, the
// bound is never below it, stub release never lowers the bound. And span
// restoration as a special case: with every path one span long, a span's
// scenario restores what a maximum flow between its ends does.
#include "restoration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "audit_test_util.h"
#include "check.h"
#include "scenario.h"
#include "text_format.h"
#include "working_paths.h"

using namespace pathrestore;

namespace {

struct Made {
  Network net;
  WorkingPaths paths;
  audit::Network plain;
};

// A network of 4 to 6 nodes and at most 8 spans (a ring, chords, now and
// then a span in parallel), 2 to 6 demands of 1 to 3 paths each on random
// simple routes, the working channels they need, spare of 0 to 3 a span.
Made make(unsigned seed) {
  std::mt19937 random(seed);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const int n = 4 + pick(3);
  std::vector<std::pair<int, int>> ends;
  for (int v = 1; v <= n; ++v) ends.push_back({v, v % n + 1});
  while (ends.size() < 8 && pick(3) != 0) {
    const int a = 1 + pick(n), b = 1 + pick(n);
    if (a == b) continue;
    const bool known = std::find(ends.begin(), ends.end(), std::make_pair(a, b)) != ends.end() ||
                       std::find(ends.begin(), ends.end(), std::make_pair(b, a)) != ends.end();
    if (known && pick(4) != 0) continue;  // now and then a parallel span
    ends.push_back({a, b});
  }
  std::vector<std::vector<int>> next(static_cast<std::size_t>(n) + 1);
  for (const auto& [a, b] : ends) {
    next[static_cast<std::size_t>(a)].push_back(b);
    next[static_cast<std::size_t>(b)].push_back(a);
  }
  // Paths: a random walk that never comes back, until it meets its end.
  std::string text = "made paths\n";
  std::vector<std::vector<int>> routes;
  const int demands = 2 + pick(5);
  for (int d = 0; d < demands; ++d) {
    const int from = 1 + pick(n);
    int to = 1 + pick(n);
    if (to == from) to = to % n + 1;
    for (int k = 1 + pick(3); k > 0; --k) {
      std::vector<int> route{from};
      while (route.back() != to) {
        std::vector<int> options;
        for (int w : next[static_cast<std::size_t>(route.back())])
          if (std::find(route.begin(), route.end(), w) == route.end()) options.push_back(w);
        if (options.empty()) {
          route.assign(1, from);  // a dead end: start again
          continue;
        }
        route.push_back(options[static_cast<std::size_t>(pick(static_cast<int>(options.size())))]);
      }
      routes.push_back(route);
      for (int v : route) text += text_printf("n%d ", v);
      text += "45\n";
    }
  }
  // Working channels as the paths cross the spans, parallel spans filled in order.
  std::vector<studyfiles::Span> spans;
  for (const auto& [a, b] : ends) spans.push_back({a, b, 1, pick(4), 0, 0});
  for (const std::vector<int>& route : routes)
    for (std::size_t j = 0; j + 1 < route.size(); ++j)
      for (studyfiles::Span& s : spans)
        if ((s.from == route[j] && s.to == route[j + 1]) || (s.to == route[j] && s.from == route[j + 1])) {
          ++s.working;
          break;
        }
  // Now and then a parallel span takes some of its twin's working.
  for (std::size_t k = 0; k < spans.size(); ++k)
    for (std::size_t m = k + 1; m < spans.size(); ++m)
      if (std::min(spans[k].from, spans[k].to) == std::min(spans[m].from, spans[m].to) &&
          std::max(spans[k].from, spans[k].to) == std::max(spans[m].from, spans[m].to) && spans[k].working > 0) {
        const int moved = pick(spans[k].working + 1);
        spans[k].working -= moved;
        spans[m].working += moved;
      }
  studyfiles::NodeList nodes;
  for (int v = 1; v <= n; ++v) nodes.nodes.push_back({text_printf("n%d", v)});
  Made made;
  made.net = network_of(nodes, n, spans);
  const Error e = read_working_paths(text, "paths.txt", "nodes.txt", made.net, made.paths);
  EXPECT_FALSE(e) << e.text();
  made.plain.nodes = n;
  for (const studyfiles::Span& s : spans) made.plain.spans.push_back({s.from, s.to, s.spare, s.working});
  made.plain.paths = routes;
  return made;
}

std::vector<audit::Route> plain_routes(const ScenarioResult& r) {
  std::vector<audit::Route> out;
  for (const Route& route : r.routes) out.push_back({route.nodes, route.channels});
  return out;
}

TEST(Restoration, SmallNetworksAgainstExhaustiveSearch) {
  int scenarios = 0, short_of_brute_force = 0, not_in_full = 0, beyond_greedy = 0;
  std::string shortfalls;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    const Made made = make(seed);
    // Every span, every node, and a group of the first two spans.
    studyfiles::GroupsFile groups;
    groups.groups.push_back({"pair", {1, 2}, 2});
    const std::vector<Scenario> all = scenarios_of(made.net, {true, true, true}, &groups);
    for (const Scenario& s : all) {
      for (int max_spans : {0, 2, 3}) {
        double bound_without = 0.0;
        for (bool stub : {false, true}) {
          const ScenarioProblem p = problem_of(made.net, made.paths, s, stub);
          RestoreOptions options;
          options.max_spans = max_spans;
          options.exact_bound = true;
          const ScenarioResult r = restore(made.net, p, options);
          const std::string where = text_printf("seed %u, %s %s, max spans %d, stub release %d", seed, kind_word(s.kind),
                                                s.name.c_str(), max_spans, stub ? 1 : 0);
          audit::Counts counts;
          const std::string fault =
              audit::check(made.plain, {s.failed_spans, s.failed_nodes}, stub, max_spans, plain_routes(r), r.restored, counts);
          EXPECT_EQ(fault, "") << where;
          EXPECT_EQ(counts.affected, p.affected) << where;
          EXPECT_EQ(counts.ending, p.ending) << where;
          EXPECT_FALSE(check_routes(made.net, p, r.routes, r.restored, max_spans)) << where;
          const long long best = audit::brute_force(made.plain, {s.failed_spans, s.failed_nodes}, stub, max_spans);
          EXPECT_LE(r.restored, best) << where;
          EXPECT_GE(r.bound + 1e-6, static_cast<double>(best)) << where;
          EXPECT_LE(static_cast<double>(r.restored), r.bound + 1e-9) << where;
          if (r.restored < best) {
            ++short_of_brute_force;
            shortfalls += text_printf("%s: %lld short\n", where.c_str(), best - r.restored);
          }
          if (stub)
            EXPECT_GE(r.bound + 1e-6, bound_without) << where << ": stub release lowered the bound";
          else
            bound_without = r.bound;
          ++scenarios;
          not_in_full += best < p.affected ? 1 : 0;
          beyond_greedy += r.step != RestoreStep::greedy ? 1 : 0;
        }
      }
    }
  }
  // Enough of them leave paths unrestored, and some need more than the
  // greedy routes, for the search to be a test of the exact steps.
  EXPECT_GT(scenarios, 2000);
  EXPECT_GT(not_in_full, 500);
  EXPECT_GT(beyond_greedy, 0);
  std::printf("%d scenarios, %d not restorable in full, %d beyond the greedy routes\n", scenarios, not_in_full, beyond_greedy);
  EXPECT_EQ(short_of_brute_force, 0) << shortfalls;
}

// A maximum flow between two nodes over capacities per pair (augmenting
// paths found breadth first), for span restoration.
long long max_flow(int n, std::vector<std::vector<long long>> cap, int s, int t) {
  long long flow = 0;
  for (;;) {
    std::vector<int> before(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int> queue{s};
    before[static_cast<std::size_t>(s)] = s;
    for (std::size_t i = 0; i < queue.size(); ++i)
      for (int w = 1; w <= n; ++w)
        if (before[static_cast<std::size_t>(w)] == 0 && cap[static_cast<std::size_t>(queue[i])][static_cast<std::size_t>(w)] > 0) {
          before[static_cast<std::size_t>(w)] = queue[i];
          queue.push_back(w);
        }
    if (before[static_cast<std::size_t>(t)] == 0) return flow;
    long long push = -1;
    for (int v = t; v != s; v = before[static_cast<std::size_t>(v)]) {
      const long long c = cap[static_cast<std::size_t>(before[static_cast<std::size_t>(v)])][static_cast<std::size_t>(v)];
      push = push < 0 ? c : std::min(push, c);
    }
    for (int v = t; v != s; v = before[static_cast<std::size_t>(v)]) {
      cap[static_cast<std::size_t>(before[static_cast<std::size_t>(v)])][static_cast<std::size_t>(v)] -= push;
      cap[static_cast<std::size_t>(v)][static_cast<std::size_t>(before[static_cast<std::size_t>(v)])] += push;
    }
    flow += push;
  }
}

// A route that carries several channels is one route of several channels:
// the routes found are kept each once, however often a demand takes one.
TEST(Restoration, EachRouteOnceWithAllItsChannels) {
  int several = 0;
  for (unsigned seed = 1; seed <= 60; ++seed) {
    const Made made = make(seed);
    for (const Scenario& s : scenarios_of(made.net, {true, true, false}, nullptr)) {
      const ScenarioResult r = restore(made.net, problem_of(made.net, made.paths, s, seed % 2 == 0), {});
      std::set<std::pair<int, std::vector<int>>> seen;
      for (std::size_t i = 0; i < r.routes.size(); ++i) {
        EXPECT_TRUE(seen.insert({r.route_demand[i], r.routes[i].nodes}).second) << "seed " << seed << ", " << s.name;
        several += r.routes[i].channels > 1;
      }
    }
  }
  EXPECT_GT(several, 0);
}

TEST(Restoration, OneSpanPathsRestoreAsSpanRestorationDoes) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    const int n = 5 + static_cast<int>(random() % 4);
    std::vector<studyfiles::Span> spans;
    for (int v = 1; v <= n; ++v) spans.push_back({v, v % n + 1, 1, static_cast<int>(random() % 5), 1 + static_cast<int>(random() % 6), 0});
    for (int k = 0; k < n; ++k) {
      const int a = 1 + static_cast<int>(random() % static_cast<unsigned>(n)), b = 1 + static_cast<int>(random() % static_cast<unsigned>(n));
      if (a != b) spans.push_back({a, b, 1, static_cast<int>(random() % 5), static_cast<int>(random() % 6), 0});
    }
    studyfiles::NodeList nodes;
    for (int v = 1; v <= n; ++v) nodes.nodes.push_back({text_printf("n%d", v)});
    const Network net = network_of(nodes, n, spans);
    std::string text = "one span each\n";
    for (const studyfiles::Span& s : spans)
      for (int c = 0; c < s.working; ++c) text += text_printf("n%d n%d 45\n", s.from, s.to);
    WorkingPaths paths;
    ASSERT_FALSE(read_working_paths(text, "p", "n", net, paths));
    for (const Scenario& s : scenarios_of(net, {true, false, false}, nullptr)) {
      const int k = s.failed_spans.front();
      std::vector<std::vector<long long>> cap(static_cast<std::size_t>(n) + 1, std::vector<long long>(static_cast<std::size_t>(n) + 1, 0));
      for (int m = 0; m < static_cast<int>(spans.size()); ++m)
        if (m != k) {
          cap[static_cast<std::size_t>(spans[static_cast<std::size_t>(m)].from)][static_cast<std::size_t>(spans[static_cast<std::size_t>(m)].to)] += spans[static_cast<std::size_t>(m)].spare;
          cap[static_cast<std::size_t>(spans[static_cast<std::size_t>(m)].to)][static_cast<std::size_t>(spans[static_cast<std::size_t>(m)].from)] += spans[static_cast<std::size_t>(m)].spare;
        }
      const studyfiles::Span& cut = spans[static_cast<std::size_t>(k)];
      // The span's own working channels, and those of a parallel span
      // between the same nodes the paths filled first, are what it loses.
      const ScenarioProblem p = problem_of(net, paths, s, false);
      const long long flow = max_flow(n, cap, cut.from, cut.to);
      const ScenarioResult r = restore(net, p, {});
      EXPECT_EQ(r.restored, std::min<long long>(p.affected, flow)) << "seed " << seed << ", span " << k + 1;
      EXPECT_EQ(p.affected, paths.paths_on_span[static_cast<std::size_t>(k)].size());
    }
  }
}

}  // namespace
