// The backup designs checked by certificate: each plan against a checker
// written here (which scenarios affect a path, which span a backup crosses
// between two nodes, what spare each scenario needs), its cost against a
// brute force over every combination of simple backup routes on small
// networks (span, node and group failures, parallel spans, kept spare), the
// bound against the cost, shared protection against 1+1; paths no route
// protects named; and check_backups against designs broken on purpose.
#include "backup_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

namespace capplan {

namespace {

using pathrestore::FailKinds;
using pathrestore::Network;
using pathrestore::Scenario;
using pathrestore::WorkingPaths;

// A network, its paths and scenarios, its costs and kept spare.
struct Instance {
  Network net;
  WorkingPaths paths;
  std::vector<Scenario> scenarios;
  std::vector<long long> cost, kept;

  BackupStudy study(bool dedicated) const { return {{&net, &paths, &scenarios, cost, kept}, dedicated}; }
};

// Spans as (from, to, cost, kept spare); each span gets as many working
// channels as the paths (lines of node letters) cross it, the first of
// parallel spans first.
Instance instance(int n_node, const std::vector<std::array<int, 4>>& spans, const std::vector<std::string>& lines,
                  const FailKinds& kinds, const std::vector<std::vector<int>>& groups = {}) {
  Instance in;
  studyfiles::NodeList nodes;
  for (int v = 0; v < n_node; ++v) nodes.nodes.push_back({std::string(1, static_cast<char>('A' + v))});
  std::vector<studyfiles::Span> s;
  for (const auto& [a, b, cost, kept] : spans) {
    s.push_back({a, b, cost, kept, 0, 0});
    in.cost.push_back(cost);
    in.kept.push_back(kept);
  }
  // Working channels enough for every path on each of its steps' first span.
  std::string text = "paths\n";
  for (const std::string& line : lines) {
    for (std::size_t j = 0; j + 1 < line.size(); ++j) {
      const int a = line[j] - 'A' + 1, b = line[j + 1] - 'A' + 1;
      for (studyfiles::Span& x : s)
        if ((x.from == a && x.to == b) || (x.from == b && x.to == a)) {
          ++x.working;
          break;
        }
    }
    for (char c : line) {
      text += c;
      text += ' ';
    }
    text += "45\n";
  }
  in.net = pathrestore::network_of(nodes, n_node, s);
  const Error e = pathrestore::read_working_paths(text, "paths", "nodes", in.net, in.paths);
  EXPECT_FALSE(e) << e.text();
  studyfiles::GroupsFile file;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    std::string name = "g";
    name += std::to_string(g + 1);
    file.groups.push_back({name, groups[g], 1});
  }
  in.scenarios = pathrestore::scenarios_of(in.net, kinds, &file);
  return in;
}

// What the test holds a design to, found apart from the library: per path,
// the spans and nodes that a scenario affecting it fails, and per scenario
// the paths it affects.
struct Needs {
  std::vector<std::vector<char>> span_down, node_down;  // per path
  std::vector<std::vector<int>> affected;               // per scenario
  std::vector<char> any;                                // per path: some scenario affects it
};

Needs needs_of(const Instance& in) {
  Needs n;
  const std::size_t n_path = in.paths.paths.size();
  n.span_down.assign(n_path, std::vector<char>(in.net.spans.size(), 0));
  n.node_down.assign(n_path, std::vector<char>(static_cast<std::size_t>(in.net.n_node) + 1, 0));
  n.any.assign(n_path, 0);
  for (const Scenario& s : in.scenarios) {
    std::vector<char> span(in.net.spans.size(), 0), node(static_cast<std::size_t>(in.net.n_node) + 1, 0);
    for (int k : s.failed_spans) span[k] = 1;
    for (int v : s.failed_nodes) {
      node[v] = 1;
      for (std::size_t k = 0; k < in.net.spans.size(); ++k)
        if (in.net.spans[k].from == v || in.net.spans[k].to == v) span[k] = 1;
    }
    n.affected.emplace_back();
    for (std::size_t q = 0; q < n_path; ++q) {
      const auto& p = in.paths.paths[q];
      if (node[p.nodes.front()] || node[p.nodes.back()]) continue;  // ending: nothing asked
      bool hit = false;
      for (int k : p.spans) hit = hit || span[k];
      for (int v : p.nodes) hit = hit || node[v];
      if (!hit) continue;
      n.affected.back().push_back(static_cast<int>(q));
      n.any[q] = 1;
      for (std::size_t k = 0; k < span.size(); ++k) n.span_down[q][k] |= span[k];
      for (std::size_t v = 0; v < node.size(); ++v) n.node_down[q][v] |= node[v];
    }
  }
  return n;
}

// The spans a backup of path q crosses (between two nodes, the cheapest
// span that survives for q, the lowest numbered of equals); empty when it is
// no valid backup (wrong ends, a node twice, a failed node or no span).
std::vector<int> backup_spans(const Instance& in, const Needs& n, std::size_t q, const std::vector<int>& route) {
  const auto& p = in.paths.paths[q];
  if (route.size() < 2 || route.front() != p.nodes.front() || route.back() != p.nodes.back()) return {};
  for (std::size_t j = 0; j < route.size(); ++j) {
    if (std::count(route.begin(), route.end(), route[j]) != 1 || n.node_down[q][route[j]]) return {};
  }
  std::vector<int> spans;
  for (std::size_t j = 0; j + 1 < route.size(); ++j) {
    int best = -1;
    for (int k = 0; k < in.net.span_count(); ++k) {
      const auto& s = in.net.spans[k];
      const bool joins = (s.from == route[j] && s.to == route[j + 1]) || (s.to == route[j] && s.from == route[j + 1]);
      if (joins && !n.span_down[q][k] && (best < 0 || in.cost[k] < in.cost[best])) best = k;
    }
    if (best < 0) return {};
    spans.push_back(best);
  }
  return spans;
}

// The least spare for these backups (per path its spans; paths out of
// `protect` have none): the kept spare, or the most backups one scenario
// (1+1: all at once) brings onto a span.
std::vector<long long> least_spare(const Instance& in, const Needs& n, const std::vector<std::vector<int>>& spans,
                                   bool dedicated) {
  std::vector<long long> spare = in.kept;
  std::vector<std::vector<int>> activations;
  if (dedicated) {
    activations.emplace_back();
    for (std::size_t q = 0; q < spans.size(); ++q)
      if (n.any[q]) activations.back().push_back(static_cast<int>(q));
  } else {
    activations = n.affected;
  }
  for (const std::vector<int>& paths : activations) {
    std::vector<long long> load(spare.size(), 0);
    for (int q : paths)
      for (int k : spans[q]) ++load[k];
    for (std::size_t k = 0; k < spare.size(); ++k) spare[k] = std::max(spare[k], load[k]);
  }
  return spare;
}

long long cost_of(const Instance& in, const std::vector<long long>& spare) {
  long long cost = 0;
  for (std::size_t k = 0; k < spare.size(); ++k) cost += in.cost[k] * (spare[k] - in.kept[k]);
  return cost;
}

// "" when the design holds: each path not named unprotected has a valid
// backup, those named have none and no valid route exists for them, the
// spare is what the backups need at least, and the cost is the spare's.
std::string audit(const Instance& in, const BackupDesign& d, bool dedicated,
                  const std::vector<std::vector<int>>& valid) {
  const Needs n = needs_of(in);
  std::vector<std::vector<int>> spans(in.paths.paths.size());
  for (std::size_t q = 0; q < in.paths.paths.size(); ++q) {
    const bool named =
        std::find(d.unprotected.begin(), d.unprotected.end(), static_cast<int>(q)) != d.unprotected.end();
    if (named != (n.any[q] && valid[q].empty())) return "path " + std::to_string(q + 1) + ": named unprotected wrongly";
    if (named) {
      if (!d.backups[q].empty()) return "path " + std::to_string(q + 1) + ": unprotected with a backup";
      continue;
    }
    spans[q] = backup_spans(in, n, q, d.backups[q]);
    if (spans[q].empty()) return "path " + std::to_string(q + 1) + ": no valid backup";
  }
  const std::vector<long long> need = least_spare(in, n, spans, dedicated);
  for (std::size_t k = 0; k < need.size(); ++k)
    if (d.spare[k] < need[k]) return "span " + std::to_string(k + 1) + ": spare short";
  if (d.cost != cost_of(in, d.spare)) return "cost is not the spare's";
  return "";
}

// Every simple route, by its nodes, between a and b.
void simple_routes(const Network& net, int at, int b, std::vector<int>& route, std::vector<std::vector<int>>& out) {
  if (at == b) {
    out.push_back(route);
    return;
  }
  for (int w = 1; w <= net.n_node; ++w) {
    bool adjacent = false;
    for (const auto& s : net.spans) adjacent = adjacent || (s.from == at && s.to == w) || (s.to == at && s.from == w);
    if (!adjacent || std::find(route.begin(), route.end(), w) != route.end()) continue;
    route.push_back(w);
    simple_routes(net, w, b, route, out);
    route.pop_back();
  }
}

// Per path, its valid backups' spans (none for a path no scenario affects).
std::vector<std::vector<std::vector<int>>> valid_backups(const Instance& in) {
  const Needs n = needs_of(in);
  std::vector<std::vector<std::vector<int>>> out(in.paths.paths.size());
  for (std::size_t q = 0; q < out.size(); ++q) {
    if (!n.any[q]) continue;
    const auto& p = in.paths.paths[q];
    std::vector<std::vector<int>> routes;
    std::vector<int> route{p.nodes.front()};
    simple_routes(in.net, p.nodes.front(), p.nodes.back(), route, routes);
    for (const auto& r : routes) {
      std::vector<int> spans = backup_spans(in, n, q, r);
      if (!spans.empty()) out[q].push_back(spans);
    }
  }
  return out;
}

// The least cost over every combination of valid backups.
long long brute_force(const Instance& in, bool dedicated) {
  const Needs n = needs_of(in);
  const auto valid = valid_backups(in);
  std::vector<std::size_t> pick(valid.size(), 0);
  std::vector<std::vector<int>> spans(valid.size());
  long long best = -1;
  for (;;) {
    for (std::size_t q = 0; q < valid.size(); ++q) spans[q] = valid[q].empty() ? std::vector<int>{} : valid[q][pick[q]];
    const long long cost = cost_of(in, least_spare(in, n, spans, dedicated));
    if (best < 0 || cost < best) best = cost;
    std::size_t q = 0;
    while (q < pick.size() && pick[q] + 1 >= std::max<std::size_t>(1, valid[q].size())) pick[q++] = 0;
    if (q == pick.size()) return best;
    ++pick[q];
  }
}

std::vector<std::vector<int>> valid_count_only(const Instance& in) {
  std::vector<std::vector<int>> out;
  for (const auto& v : valid_backups(in)) out.push_back(v.empty() ? std::vector<int>{} : v.front());
  return out;
}

// A small random network: a ring with chords, now and then a parallel span,
// costs 1 to 4, some kept spare; 2 to 4 paths, each a random simple route.
Instance random_instance(std::mt19937& rng, const FailKinds& kinds) {
  const int n = 5 + static_cast<int>(rng() % 2);
  std::vector<std::array<int, 4>> spans;
  auto span = [&](int a, int b) {
    spans.push_back({a, b, 1 + static_cast<int>(rng() % 9), rng() % 4 == 0 ? 1 + static_cast<int>(rng() % 2) : 0});
  };
  for (int v = 1; v <= n; ++v) span(v, v % n + 1);
  const int chords = 2 + static_cast<int>(rng() % 2);
  for (int c = 0; c < chords; ++c) {
    const int a = 1 + static_cast<int>(rng() % n), b = 1 + static_cast<int>(rng() % n);
    if (a != b) span(a, b);
  }
  if (rng() % 3 == 0) span(spans[0][0], spans[0][1]);  // parallel to the first
  Network plain;
  plain.n_node = n;
  for (const auto& s : spans) plain.spans.push_back({s[0], s[1], 0, 0, 0, 0});
  std::vector<std::string> lines;
  const int n_path = 4 + static_cast<int>(rng() % 2);
  for (int p = 0; p < n_path; ++p) {
    const int a = 1 + static_cast<int>(rng() % n);
    int b = 1 + static_cast<int>(rng() % (n - 1));
    if (b >= a) ++b;
    std::vector<std::vector<int>> routes;
    std::vector<int> route{a};
    simple_routes(plain, a, b, route, routes);
    std::string line;
    for (int v : routes[rng() % std::min<std::size_t>(routes.size(), 3)]) line += static_cast<char>('A' + v - 1);
    lines.push_back(line);
  }
  std::vector<std::vector<int>> groups;
  if (kinds.groups)
    for (int g = 0; g < 3; ++g)
      groups.push_back({1 + static_cast<int>(rng() % spans.size()), 1 + static_cast<int>(rng() % spans.size())});
  return instance(n, spans, lines, kinds, groups);
}

// Instance `seed`: span, node or group failures by turns.
Instance seeded(unsigned seed) {
  std::mt19937 rng(seed);
  return random_instance(rng, {seed % 3 == 0, seed % 3 == 1, seed % 3 == 2});
}

TEST(BackupDesign, LeastCostByBruteForceForSpanNodeAndGroupFailures) {
  std::vector<unsigned> seeds;
  for (unsigned seed = 0; seed < 30; ++seed) seeds.push_back(seed);
  // Shared protection whose linear program is below the least cost.
  for (unsigned seed : {54u, 149u, 336u, 879u, 2783u}) seeds.push_back(seed);
  int unprotected = 0, shared_cheaper = 0, gaps = 0;
  for (unsigned seed : seeds) {
    const Instance in = seeded(seed);
    const auto valid = valid_count_only(in);
    long long costs[2] = {0, 0};
    for (bool dedicated : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (dedicated ? " 1+1" : " shared"));
      const BackupStudy study = in.study(dedicated);
      const BackupDesign d = plan_backups(study, {});
      ASSERT_FALSE(d.fault) << d.fault.text();
      EXPECT_EQ(audit(in, d, dedicated, valid), "");
      const Error proof = check_backups(study, d);
      EXPECT_FALSE(proof) << proof.text();
      EXPECT_EQ(d.cost, brute_force(in, dedicated));
      EXPECT_LE(d.lower_bound, d.cost);
      EXPECT_LE(d.lp_bound, static_cast<double>(d.cost) + 1e-6);
      EXPECT_EQ(d.optimal, d.lower_bound == d.cost);
      EXPECT_EQ(d.note.empty(), d.optimal) << d.note;
      costs[dedicated] = d.cost;
      unprotected += static_cast<int>(d.unprotected.size());
      gaps += d.lower_bound < d.cost;
    }
    EXPECT_LE(costs[0], costs[1]);
    shared_cheaper += costs[0] < costs[1];
  }
  // The instances reach what the tests are for.
  EXPECT_GT(unprotected, 0);
  EXPECT_GT(shared_cheaper, 0);
  EXPECT_GT(gaps, 0);
}

// The local search on a thread of its own beside the linear program (as on
// large networks): the plans are the same least cost and proved, with all
// the time or with so little that the thread is stopped early.
TEST(BackupDesign, TheLocalSearchAlongsideKeepsPlansLeastAndProved) {
  for (unsigned seed = 0; seed < 30; ++seed) {
    const Instance in = seeded(seed);
    const auto valid = valid_count_only(in);
    for (bool dedicated : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (dedicated ? " 1+1" : " shared"));
      BackupStudy study = in.study(dedicated);
      study.shake_alongside = 0;
      const long long least = brute_force(in, dedicated);
      for (double seconds : {0.0, 0.002}) {
        PlanOptions options;
        if (seconds > 0) options.seconds = seconds;
        const BackupDesign d = plan_backups(study, options);
        ASSERT_FALSE(d.fault) << d.fault.text();
        EXPECT_EQ(audit(in, d, dedicated, valid), "");
        const Error proof = check_backups(study, d);
        EXPECT_FALSE(proof) << proof.text();
        EXPECT_LE(d.lower_bound, least);
        EXPECT_GE(d.cost, least);
        if (seconds == 0) {
          EXPECT_EQ(d.cost, least);
        }
      }
    }
  }
}

// The volume ascent alone, with no linear program: its bound is a true one
// (never above the brute force's least cost, nor above the linear
// program's optimum that the whole search proves), and the plan its average
// rounds to is proved like any other.
TEST(BackupDesign, TheAscentsBoundIsNeverAboveTheLeastCost) {
  int reached = 0, runs = 0;
  for (unsigned seed = 0; seed < 30; ++seed) {
    const Instance in = seeded(seed);
    const auto valid = valid_count_only(in);
    for (bool dedicated : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (dedicated ? " 1+1" : " shared"));
      const BackupStudy study = in.study(dedicated);
      const BackupDesign whole = plan_backups(study, {});
      const BackupDesign d = ascend_backups(study, {}, 300);
      ASSERT_FALSE(d.fault) << d.fault.text();
      EXPECT_FALSE(check_backups(study, d));
      EXPECT_EQ(audit(in, d, dedicated, valid), "");
      const long long least = brute_force(in, dedicated);
      EXPECT_LE(d.lower_bound, least);
      EXPECT_GE(d.cost, least);
      EXPECT_LE(d.lower_bound, whole.lower_bound);
      reached += d.lower_bound == whole.lower_bound;
      ++runs;
    }
  }
  // The ascent is worth its name: most runs reach the whole bound.
  EXPECT_GT(2 * reached, runs);
}

// A backup's nodes from its spans, from `from`.
std::vector<int> nodes_of(const Instance& in, int from, const std::vector<int>& spans) {
  std::vector<int> nodes{from};
  for (int k : spans) {
    const auto& s = in.net.spans[static_cast<std::size_t>(k)];
    nodes.push_back(s.from == nodes.back() ? s.to : s.from);
  }
  return nodes;
}

// The local search from random valid backups: it never ends with a plan
// that costs more than the one it started from, nor with one the checkers
// refuse, nor below the least cost; and it does improve some.
TEST(BackupDesign, TheLocalSearchNeverWorsensAPlan) {
  int improved = 0;
  for (unsigned seed = 0; seed < 40; ++seed) {
    const Instance in = seeded(seed);
    const Needs n = needs_of(in);
    const auto valid = valid_backups(in);
    std::mt19937 rng(seed);
    for (bool dedicated : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (dedicated ? " 1+1" : " shared"));
      for (int trial = 0; trial < 3; ++trial) {
        std::vector<std::vector<int>> backups(valid.size()), spans(valid.size());
        for (std::size_t q = 0; q < valid.size(); ++q) {
          if (valid[q].empty()) continue;
          spans[q] = valid[q][rng() % valid[q].size()];
          backups[q] = nodes_of(in, in.paths.paths[q].nodes.front(), spans[q]);
        }
        const long long start = cost_of(in, least_spare(in, n, spans, dedicated));
        const BackupStudy study = in.study(dedicated);
        const BackupDesign d = improve_backups(study, {}, backups);
        ASSERT_FALSE(d.fault) << d.fault.text();
        EXPECT_FALSE(check_backups(study, d));
        EXPECT_EQ(audit(in, d, dedicated, valid_count_only(in)), "");
        EXPECT_LE(d.cost, start);
        EXPECT_GE(d.cost, brute_force(in, dedicated));
        improved += d.cost < start;
      }
    }
  }
  EXPECT_GT(improved, 0);
}

// A square A-B-C-D with a pendant E on D: the path over D-E crosses a
// bridge, and so does every route of D-E; the others are planned.
TEST(BackupDesign, PathsOverABridgeAreNamedAndTheRestPlanned) {
  const Instance in = instance(5, {{1, 2, 1, 0}, {2, 3, 1, 0}, {3, 4, 1, 0}, {4, 1, 1, 0}, {4, 5, 1, 0}},
                               {"AB", "CDE", "BC", "AB"}, {true, false, false});
  for (bool dedicated : {false, true}) {
    const BackupStudy study = in.study(dedicated);
    const BackupDesign d = plan_backups(study, {});
    ASSERT_FALSE(d.fault) << d.fault.text();
    EXPECT_EQ(d.unprotected, std::vector<int>{1});
    EXPECT_TRUE(d.backups[1].empty());
    EXPECT_EQ(d.backups[0], (std::vector<int>{1, 4, 3, 2}));
    EXPECT_FALSE(check_backups(study, d));
    EXPECT_EQ(audit(in, d, dedicated, valid_count_only(in)), "");
    // The two A-B paths share their backup's spare under shared protection
    // (one cut activates both: 2 each), and B-C's backup, activated by
    // another cut, needs no more; 1+1 holds a channel for each of the three.
    EXPECT_EQ(d.spare, (dedicated ? std::vector<long long>{1, 2, 3, 3, 0} : std::vector<long long>{1, 2, 2, 2, 0}));
    EXPECT_TRUE(d.optimal);
  }
}

// Between A and B two spans, the cheaper carrying the path: its backup is
// the same two nodes over the other span, and the spare is there.
TEST(BackupDesign, ABackupMayTakeAParallelSpan) {
  const Instance in =
      instance(3, {{1, 2, 1, 0}, {1, 2, 5, 0}, {2, 3, 1, 0}, {3, 1, 1, 0}}, {"AB"}, {true, false, false});
  const BackupStudy study = in.study(false);
  BackupDesign d = plan_backups(study, {});
  ASSERT_FALSE(d.fault) << d.fault.text();
  // A-C-B costs 2 against the parallel span's 5.
  EXPECT_EQ(d.backups[0], (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(d.cost, 2);
  // With the route over C expensive, the parallel span.
  Instance dear = in;
  dear.cost = {1, 5, 4, 4};
  const BackupDesign p = plan_backups(dear.study(false), {});
  EXPECT_EQ(p.backups[0], (std::vector<int>{1, 2}));
  EXPECT_EQ(p.spare, (std::vector<long long>{0, 1, 0, 0}));
  EXPECT_FALSE(check_backups(dear.study(false), p));
}

// Kept spare is free: with it, 1+1 is no longer each path's cheapest route.
TEST(BackupDesign, KeptSpareIsUsedFirst) {
  // Two paths A-B; A-C-B costs 2, A-D-B 6 but holds one kept channel.
  const Instance in = instance(4, {{1, 2, 1, 0}, {1, 3, 1, 0}, {3, 2, 1, 0}, {1, 4, 3, 1}, {4, 2, 3, 1}}, {"AB", "AB"},
                               {true, false, false});
  for (bool dedicated : {false, true}) {
    const BackupStudy study = in.study(dedicated);
    const BackupDesign d = plan_backups(study, {});
    ASSERT_FALSE(d.fault) << d.fault.text();
    EXPECT_EQ(d.cost, 2);  // one backup on the kept spare, the other over C
    EXPECT_EQ(d.spare, (std::vector<long long>{0, 1, 1, 1, 1}));
    EXPECT_TRUE(d.optimal);
    EXPECT_FALSE(check_backups(study, d));
  }
}

// Under node failures alone a one-span path is never affected: it gets a
// route, and no spare.
TEST(BackupDesign, APathNoScenarioAffectsNeedsNoSpare) {
  const Instance in = instance(3, {{1, 2, 1, 0}, {2, 3, 1, 0}, {3, 1, 1, 0}}, {"AB"}, {false, true, false});
  for (bool dedicated : {false, true}) {
    const BackupStudy study = in.study(dedicated);
    const BackupDesign d = plan_backups(study, {});
    ASSERT_FALSE(d.fault) << d.fault.text();
    EXPECT_EQ(d.backups[0], (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(d.cost, 0);
    EXPECT_TRUE(d.unprotected.empty());
    EXPECT_FALSE(check_backups(study, d));
  }
}

// With no time at all, the plan is the first one, proved all the same.
TEST(BackupDesign, NoTimeStillGivesACheckedPlan) {
  const Instance in = seeded(7);
  PlanOptions options;
  options.seconds = 1e-9;
  const BackupDesign d = plan_backups(in.study(false), options);
  ASSERT_FALSE(d.fault) << d.fault.text();
  EXPECT_FALSE(check_backups(in.study(false), d));
  EXPECT_EQ(d.lower_bound, 0);
  EXPECT_FALSE(d.note.empty());
}

TEST(BackupDesign, CheckRefusesBrokenDesigns) {
  // A-B-C-D ring with chord A-C; paths A-B and B-C-D.
  const Instance in = instance(4, {{1, 2, 1, 0}, {2, 3, 1, 0}, {3, 4, 1, 0}, {4, 1, 1, 0}, {1, 3, 1, 0}}, {"AB", "BCD"},
                               {true, true, false});
  const BackupStudy study = in.study(false);
  const BackupDesign good = plan_backups(study, {});
  ASSERT_FALSE(check_backups(study, good));
  EXPECT_EQ(good.backups[1], (std::vector<int>{2, 1, 4}));
  auto refused = [&](BackupDesign d) { return check_backups(study, d).text(); };
  {
    BackupDesign d = good;  // over its own working span
    d.backups[0] = {1, 2};
    EXPECT_EQ(refused(d), "path 1 (line 2, A-B)'s backup crosses span 1 (A-B), which span 1 fails");
  }
  {
    BackupDesign d = good;
    d.spare = std::vector<long long>(5, 9);
    d.cost = 45;
    EXPECT_FALSE(check_backups(study, d));  // more spare than needed is no fault
    d.backups[1] = {2, 3, 4};               // through the node a scenario affecting it fails
    EXPECT_EQ(refused(d), "path 2 (line 3, B-D)'s backup passes C, which node C fails");
    d.backups[1] = {2, 4};
    EXPECT_EQ(refused(d), "path 2 (line 3, B-D)'s backup steps from B to D, which no span joins");
    d.backups[1] = {2, 1, 2, 4};
    EXPECT_EQ(refused(d), "path 2 (line 3, B-D)'s backup visits B twice");
    d.backups[1] = {4, 1, 2};
    EXPECT_EQ(refused(d), "path 2 (line 3, B-D)'s backup does not join its ends");
  }
  {
    // One spare channel short on a span some scenario needs in full.
    for (std::size_t k = 0; k < good.spare.size(); ++k) {
      if (good.spare[k] == 0) continue;
      BackupDesign d = good;
      --d.spare[k];
      d.cost -= in.cost[k];
      EXPECT_NE(refused(d).find("need"), std::string::npos) << refused(d);
    }
  }
  {
    BackupDesign d = good;
    d.cost += 1;
    EXPECT_NE(refused(d).find("cost"), std::string::npos);
    d = good;
    d.unprotected = {0};
    d.backups[0].clear();
    EXPECT_EQ(refused(d),
              "path 1 (line 2, A-B) is named unprotected, but a route survives every scenario that affects it");
  }
}

}  // namespace

}  // namespace capplan
