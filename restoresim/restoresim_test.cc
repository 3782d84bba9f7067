// The simulators checked against what any restoration must respect, on
// every cut of the shipped example and of three Topology Zoo networks, with
// the bound and the successively shortest routes worked out again here.
#include "restoresim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <map>
#include <numbers>
#include <set>

#include "engine.h"
#include "wholefile.h"

namespace restoresim {
namespace {

const std::string kSource = TOOLKIT_SOURCE_DIR;

Network load(const std::string& path) {
  Network net;
  const Error e = load_network(path, net);
  EXPECT_FALSE(e) << e.text();
  return net;
}

// The network of a description given as text.
Network network_of(const std::string& text, const std::string& name) {
  const net_read read = read_net_any(text, name);
  EXPECT_FALSE(read.error) << read.error.text();
  Network net;
  const Error e = build_network(read.description, name, net);
  EXPECT_FALSE(e) << e.text();
  return net;
}

Cut cut_of_span(const Network& net, int s) {
  Cut cut;
  cut.span = s;
  cut.from = net.spans[s].a;
  cut.to = net.spans[s].b;
  cut.from_word = net.nodes[cut.from].name;
  cut.to_word = net.nodes[cut.to].name;
  return cut;
}

// Maximum flow by shortest augmenting paths over a capacity matrix, each
// span's spare serving both directions.
int max_flow_again(const Network& net, int cut, int x, int y) {
  const std::size_t n = net.nodes.size();
  std::vector<std::vector<long long>> cap(n, std::vector<long long>(n, 0));
  for (std::size_t s = 0; s < net.spans.size(); ++s) {
    if (static_cast<int>(s) == cut) continue;
    cap[net.spans[s].a][net.spans[s].b] += net.spans[s].spare;
    cap[net.spans[s].b][net.spans[s].a] += net.spans[s].spare;
  }
  int flow = 0;
  for (;;) {
    std::vector<int> from(n, -1);
    from[x] = x;
    std::deque<int> q{x};
    while (!q.empty() && from[y] < 0) {
      const int u = q.front();
      q.pop_front();
      for (std::size_t v = 0; v < n; ++v)
        if (cap[u][v] > 0 && from[v] < 0) {
          from[v] = u;
          q.push_back(static_cast<int>(v));
        }
    }
    if (from[y] < 0) return flow;
    long long push = LLONG_MAX;
    for (int v = y; v != x; v = from[v]) push = std::min(push, cap[from[v]][v]);
    for (int v = y; v != x; v = from[v]) {
      cap[from[v]][v] -= push;
      cap[v][from[v]] += push;
    }
    flow += static_cast<int>(push);
  }
}

// Successively shortest routes again, over a list of (neighbour, span)
// pairs per node: repeated breadth-first layers, each route traced back from
// y through the node that first reached it; the channels they carry.
int route_channels_again(const Network& net, int cut, int x, int y, int limit) {
  std::vector<std::vector<std::pair<int, int>>> adj(net.nodes.size());
  for (std::size_t u = 1; u < net.nodes.size(); ++u)
    for (int s : net.nodes[u].spans) adj[u].push_back({net.spans[s].other(static_cast<int>(u)), s});
  std::vector<int> left;
  for (std::size_t s = 0; s < net.spans.size(); ++s) left.push_back(static_cast<int>(s) == cut ? 0 : net.spans[s].spare);
  int total = 0;
  for (;;) {
    std::vector<int> reached_by(net.nodes.size(), -2), span_in(net.nodes.size(), -1);
    reached_by[x] = -1;
    std::vector<int> layer{x};
    for (int depth = 0; !layer.empty() && reached_by[y] == -2 && (limit == 0 || depth < limit); ++depth) {
      std::vector<int> next;
      for (int u : layer)
        for (auto [v, s] : adj[u])
          if (left[s] > 0 && reached_by[v] == -2) {
            reached_by[v] = u;
            span_in[v] = s;
            next.push_back(v);
          }
      layer = next;
    }
    if (reached_by[y] == -2) return total;
    int width = INT_MAX;
    for (int v = y; v != x; v = reached_by[v]) width = std::min(width, left[span_in[v]]);
    for (int v = y; v != x; v = reached_by[v]) left[span_in[v]] -= width;
    total += width;
  }
}

// What every run must respect.
void check_invariants(const Network& net, const Cut& cut, const RunResult& r, Method m, const std::string& where) {
  SCOPED_TRACE(where + " " + method_name(m));
  std::vector<long long> used(net.spans.size(), 0);
  int channels = 0;
  for (const RestorationPath& p : r.paths) {
    ASSERT_EQ(p.nodes.size(), p.spans.size() + 1);
    ASSERT_FALSE(p.spans.empty());
    std::set<int> seen(p.nodes.begin(), p.nodes.end());
    EXPECT_EQ(seen.size(), p.nodes.size()) << "not a simple route";
    for (std::size_t k = 0; k < p.spans.size(); ++k) {
      const Span& s = net.spans[p.spans[k]];
      EXPECT_NE(p.spans[k], cut.span) << "uses the cut span";
      EXPECT_TRUE((s.a == p.nodes[k] && s.b == p.nodes[k + 1]) || (s.b == p.nodes[k] && s.a == p.nodes[k + 1]));
      used[p.spans[k]] += p.channels;
    }
    std::set<int> ends{p.nodes.front(), p.nodes.back()};
    if (m == Method::dunvar) {
      ASSERT_GE(p.working_path, 0);
      const AffectedPath& a = r.affected[p.working_path];
      EXPECT_EQ(ends, (std::set<int>{a.from, a.to}));
    } else {
      EXPECT_EQ(ends, (std::set<int>{cut.sender(), cut.chooser()}));
    }
    channels += p.channels;
  }
  for (std::size_t s = 0; s < net.spans.size(); ++s) EXPECT_LE(used[s], net.spans[s].spare) << "spare used twice";
  EXPECT_EQ(channels, r.restored);
  EXPECT_EQ(r.bound, max_flow_again(net, cut.span, cut.sender(), cut.chooser()));
  const bool one_span_paths =
      std::all_of(r.affected.begin(), r.affected.end(), [](const AffectedPath& a) { return a.hops == 1; });
  if (m != Method::dunvar || one_span_paths) {
    EXPECT_LE(r.restored, std::min(r.lost, r.bound));
  }
  EXPECT_LE(r.restored, r.lost);
}

struct Sweep {
  int cuts = 0;
  std::vector<std::string> vetrun_short;  // cuts where vetrun restores less than the routes
};

Sweep sweep_file(const std::string& path) {
  Network net = load(path);
  Options options;
  Sweep sweep;
  for (std::size_t s = 0; s < net.spans.size(); ++s) {
    const Cut cut = cut_of_span(net, static_cast<int>(s));
    if (span_between(net, cut.from, cut.to) != static_cast<int>(s)) continue;  // a second span of a pair
    ++sweep.cuts;
    const std::string where = path + " " + cut.from_word + "-" + cut.to_word;
    const int lost = net.spans[s].working;
    const int routes = route_channels_again(net, cut.span, cut.sender(), cut.chooser(), 0);
    for (Method m : {Method::vetrun, Method::kimber, Method::ospel, Method::dunvar}) {
      const RunResult r = run_method(m, net, cut, options);
      check_invariants(net, cut, r, m, where);
      if (m == Method::ospel) {
        EXPECT_EQ(r.restored, std::min(lost, routes)) << where;
      }
      if (m == Method::vetrun && r.restored < std::min(lost, routes))
        sweep.vetrun_short.push_back(where + " (" + std::to_string(r.restored) + " of " +
                                     std::to_string(std::min(lost, routes)) + ")");
      // Times: no path sooner than detection, the route there and back
      // (once for ospel's connect messages, and for kimber, whose halves
      // each go there and back over their part) and each node's processing.
      for (const RestorationPath& p : r.paths) {
        double prop = 0, delays = 0;
        for (int sp : p.spans) prop += net.spans[sp].prop_ms;
        for (int n : p.nodes) delays += net.nodes[n].delay_ms;
        const double trips = m == Method::ospel || m == Method::kimber ? 1 : 2;
        EXPECT_GE(p.completion_ms + 1e-9, options.detection_ms + trips * prop + delays) << where;
      }
    }
  }
  return sweep;
}

TEST(RestoreSimTest, EveryCutOfTheExamplesKeepsTheInvariants) {
  int cuts = 0;
  std::vector<std::string> short_cuts;
  for (const std::string& file : {kSource + "/examples/nsfnet.net", kSource + "/tests/simulators/data/abilene.rst",
                                 kSource + "/tests/simulators/data/geant2012.rst",
                                 kSource + "/tests/simulators/data/bellcanada.rst"}) {
    const Sweep s = sweep_file(file);
    cuts += s.cuts;
    short_cuts.insert(short_cuts.end(), s.vetrun_short.begin(), s.vetrun_short.end());
  }
  EXPECT_EQ(cuts, 21 + 14 + 61 + 64);
  // Flooding finds as many channels as the routes planned in advance on
  // every cut but these (doc/simulators.md says why).
  const std::vector<std::string> known = {
      "bellcanada.rst New_York-Washington (53 of 60)", "bellcanada.rst Calgary-Medicine_Hat (173 of 180)",
      "bellcanada.rst Winnipeg-Saskatoon (124 of 125)", "bellcanada.rst Winnipeg-Regina (170 of 180)"};
  for (const std::string& c : short_cuts) {
    const bool listed = std::any_of(known.begin(), known.end(), [&](const std::string& k) {
      return c.size() >= k.size() && c.compare(c.size() - k.size(), k.size(), k) == 0;
    });
    EXPECT_TRUE(listed) << "vetrun short of the routes: " << c;
  }
}

// Doubling every delay, with no propagation, doubles every completion time.
TEST(RestoreSimTest, DoublingEveryDelayDoublesEveryTime) {
  Network net = load(kSource + "/tests/simulators/data/abilene.rst");
  for (Span& s : net.spans) s.prop_ms = 0;
  Network twice = net;
  for (Node& n : twice.nodes) n.delay_ms *= 2;
  Options options, doubled;
  doubled.detection_ms = 2 * options.detection_ms;
  doubled.crossconnect_ms = 2 * options.crossconnect_ms;
  for (std::size_t s = 0; s < net.spans.size(); ++s) {
    const Cut cut = cut_of_span(net, static_cast<int>(s));
    for (Method m : {Method::vetrun, Method::kimber, Method::ospel, Method::dunvar}) {
      const RunResult a = run_method(m, net, cut, options), b = run_method(m, twice, cut, doubled);
      ASSERT_EQ(a.paths.size(), b.paths.size());
      for (std::size_t k = 0; k < a.paths.size(); ++k) {
        EXPECT_EQ(a.paths[k].nodes, b.paths[k].nodes);
        EXPECT_DOUBLE_EQ(2 * a.paths[k].completion_ms, b.paths[k].completion_ms);
      }
    }
  }
}

// A node handles one message at a time, in arrival order; a message that
// makes a cross-connect takes that time too; a span delays by its length.
TEST(EngineTest, NodesHandleMessagesOneAtATimeInArrivalOrder) {
  const Network net = network_of("2 V_H2wSpanMiles\na 1 2 0 0 0 0 0 0 0 1\n  2 1 1 1 100\n"
                                 "b 1 3 0 0 0 0 0 0 0 2\n  1 1 1 1 100\n0\n", "e.rst");
  Engine engine(net, 5.0);
  std::vector<std::pair<int, double>> handled;
  Message m;
  m.node = 2;
  for (int k = 0; k < 3; ++k) {
    m.index = k;
    m.crossconnect = k == 1;
    engine.post(m, 1.0);
  }
  bool sent = false;
  engine.run([&](const Message& msg, double now) {
    handled.push_back({msg.index, now});
    if (!sent) {
      sent = true;
      Message back;
      back.index = 9;
      engine.send(msg.node, 0, back);  // to node a, 160.9344 km away
    }
  });
  const double prop = 100 * kKmPerMile * kMsPerKm;
  ASSERT_EQ(handled.size(), 4u);
  EXPECT_EQ(handled[0], std::make_pair(0, 4.0));  // 1 + b's 3
  EXPECT_EQ(handled[1].first, 9);                   // at a, after the span and a's own 2
  EXPECT_DOUBLE_EQ(handled[1].second, 4.0 + prop + 2.0);
  EXPECT_EQ(handled[2], std::make_pair(1, 12.0));  // then 3 + 5 for the cross-connect
  EXPECT_EQ(handled[3], std::make_pair(2, 15.0));
  EXPECT_EQ(engine.messages(), 1);
}

// No restoration path crosses more spans than the repeat limit allows, and
// a run repeated gives the same report to the byte.
TEST(RestoreSimTest, TheRepeatLimitBoundsEveryPathAndRunsRepeatExactly) {
  Network net = load(kSource + "/tests/simulators/data/geant2012.rst");
  Options options;
  options.repeat_limit = 3;
  apply_options(options, net);
  for (std::size_t s = 0; s < net.spans.size(); s += 3) {
    const Cut cut = cut_of_span(net, static_cast<int>(s));
    for (Method m : {Method::vetrun, Method::kimber, Method::ospel, Method::dunvar}) {
      const RunResult r = run_method(m, net, cut, options);
      check_invariants(net, cut, r, m, "geant2012 /r=3");
      for (const RestorationPath& p : r.paths) EXPECT_LE(p.spans.size(), 3u) << method_name(m);
      EXPECT_EQ(format_report(m, net, cut, options, r), format_report(m, net, cut, options, run_method(m, net, cut, options)));
    }
  }
}

// s=1 and t=2 with the cut span between them; every other span has one spare
// channel. The shortest route s-a-b-t takes s-a and b-t, after which no route
// is left, while s-a-e-f-t and s-g-h-b-t together carry two.
TEST(RestoreSimTest, ShortestRoutesThatBlockEachOtherRestoreLessThanTheBound) {
  const std::string text =
      "8 V_H2\n"
      "s 3 1 0 0 0 0 0 0 0 1\n  2 1 2 0\n  3 1 0 1\n  7 1 0 1\n"
      "t 3 1 0 0 0 0 0 0 0 2\n  1 1 2 0\n  4 1 0 1\n  6 1 0 1\n"
      "a 3 1 0 0 0 0 0 0 0 3\n  1 1 0 1\n  4 1 0 1\n  5 1 0 1\n"
      "b 3 1 0 0 0 0 0 0 0 4\n  3 1 0 1\n  2 1 0 1\n  8 1 0 1\n"
      "e 2 1 0 0 0 0 0 0 0 5\n  3 1 0 1\n  6 1 0 1\n"
      "f 2 1 0 0 0 0 0 0 0 6\n  5 1 0 1\n  2 1 0 1\n"
      "g 2 1 0 0 0 0 0 0 0 7\n  1 1 0 1\n  8 1 0 1\n"
      "h 2 1 0 0 0 0 0 0 0 8\n  7 1 0 1\n  4 1 0 1\n"
      "0\n";
  const Network net = network_of(text, "trap.rst");
  Cut cut;
  ASSERT_FALSE(resolve_cut(net, "s-t", cut));
  for (Method m : {Method::vetrun, Method::ospel}) {
    const RunResult r = run_method(m, net, cut, Options());
    check_invariants(net, cut, r, m, "trap");
    EXPECT_EQ(r.bound, 2);
    EXPECT_EQ(r.lost, 2);
    EXPECT_EQ(r.restored, 1) << method_name(m);
  }
}

TEST(RestoreSimTest, CutWordsNameNodesByNameOrNumber) {
  const std::string text =
      "3 V_H\n"
      "A-B 2 1 0 0 0\n  2 1 3 1\n  3 1 1 1\n"
      "C 2 1 0 0 0\n  1 1 3 1\n  3 1 1 1\n"
      "B-C 2 1 0 0 0\n  1 1 1 1\n  2 1 1 1\n";
  const Network net = network_of(text, "dash.net");
  Cut cut;
  // A/B-C names no node A; A-B/C names nodes 1 and 2.
  ASSERT_FALSE(resolve_cut(net, "A-B-C", cut));
  EXPECT_EQ(cut.from, 1);
  EXPECT_EQ(cut.to, 2);
  EXPECT_EQ(cut.from_word, "A-B");
  EXPECT_EQ(cut.to_word, "C");
  // Numbers where no name matches.
  ASSERT_FALSE(resolve_cut(net, "2-3", cut));
  EXPECT_EQ(cut.span, span_between(net, 2, 3));
  // B/C-2 names no node B; B-C/2 names nodes 3 and 2.
  ASSERT_FALSE(resolve_cut(net, "B-C-2", cut));
  EXPECT_EQ(cut.from, 3);
  EXPECT_EQ(cut.to, 2);
  // Of A/B-B-C, A-B/B-C and A-B-B/C only the middle one names two nodes.
  const Error e = resolve_cut(net, "A-B-B-C", cut);
  EXPECT_FALSE(e) << e.text();
  EXPECT_EQ(cut.from, 1);
  EXPECT_EQ(cut.to, 3);
  EXPECT_TRUE(resolve_cut(net, "1-1", cut));    // the same node twice
  EXPECT_TRUE(resolve_cut(net, "A-B-D", cut));  // no node D
  EXPECT_TRUE(resolve_cut(net, "4-1", cut));    // no node 4
  EXPECT_TRUE(resolve_cut(net, "AB", cut));     // no '-'
}

TEST(RestoreSimTest, AnAmbiguousCutWordIsRefused) {
  const std::string text =
      "4 V_H\n"
      "x 1 1 0 0 0\n  2 1 1 1\n"
      "x-y 1 1 0 0 0\n  1 1 1 1\n"
      "y-z 1 1 0 0 0\n  4 1 1 1\n"
      "z 1 1 0 0 0\n  3 1 1 1\n";
  const Network net = network_of(text, "amb.net");
  Cut cut;
  const Error e = resolve_cut(net, "x-y-z", cut);  // x/y-z and x-y/z
  ASSERT_TRUE(e);
  EXPECT_NE(e.text().find("ambiguous"), std::string::npos);
}

TEST(RestoreSimTest, OptionsAreCheckedWordByWord) {
  CommandLine line;
  ASSERT_FALSE(parse_command_line({"net.rst", "/b=1-2", "/r=3", "/d=2.5", "/x=0", "/p=1", "/t=0"}, line));
  EXPECT_EQ(line.file_name, "net.rst");
  EXPECT_EQ(line.cut_word, "1-2");
  EXPECT_EQ(line.options.repeat_limit, 3);
  EXPECT_EQ(line.options.detection_ms, 2.5);
  EXPECT_EQ(line.options.crossconnect_ms, 0);
  ASSERT_FALSE(parse_command_line({"/b=1-2", "/home/study/net.rst"}, line));
  EXPECT_EQ(line.file_name, "/home/study/net.rst");
  ASSERT_FALSE(parse_command_line({"/data/a=b/net.rst", "/b=1-2"}, line));
  EXPECT_EQ(line.file_name, "/data/a=b/net.rst");
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"net.rst"}, {"/b=1-2"}, {"net.rst", "/b=1-2", "/q=1"}, {"net.rst", "/b=1-2", "/r=-1"},
           {"net.rst", "/b=1-2", "/d=x"}, {"net.rst", "/b=1-2", "/d=1ms"}, {"a", "b", "/b=1-2"},
           {"net.rst", "/b="}, {"net.rst", "/b=1-2", "/r"}}) {
    CommandLine l;
    EXPECT_TRUE(parse_command_line(bad, l)) << bad.back();
  }
}

TEST(RestoreSimTest, SpanLengthsComeFromPortLinesOrCoordinates) {
  Network net;
  const net_read miles = read_net_any("2 V_H2wSpanMiles\na 1 1 0 0 0 1 1 1 3 1\n  2 1 1 1 10\n"
                                      "b 1 1 0 0 0 1 1 1 3 2\n  1 1 1 1 10\n1\n1 a b\n", "m.rst");
  ASSERT_FALSE(miles.error) << miles.error.text();
  ASSERT_FALSE(build_network(miles.description, "m.rst", net));
  EXPECT_NEAR(net.spans[0].km, 16.09344, 1e-4);
  EXPECT_NEAR(net.spans[0].prop_ms, 16.09344 * 0.0049, 1e-6);
  ASSERT_EQ(net.paths.size(), 1u);
  // One degree of latitude on the equator's meridian: 6371 * pi / 180 km.
  const net_read ll = read_net_any("2 L_L2\na 1 1 0 0 0 1 1 1 3 1\n  2 1 1 1\n"
                                   "b 1 1 0 1 0 1 1 1 3 2\n  1 1 1 1\n0\n", "l.rst");
  ASSERT_FALSE(ll.error) << ll.error.text();
  ASSERT_FALSE(build_network(ll.description, "l.rst", net));
  EXPECT_NEAR(net.spans[0].km, 6371 * std::numbers::pi / 180, 1e-3);
  const net_read unknown = read_net_any("2 V_H2\na 1 1 0 0 0 1 1 1 3 1\n  2 1 1 1\n"
                                        "b 1 1 0 1 0 1 1 1 3 2\n  1 1 1 1\n1\n1 a q\n", "u.rst");
  ASSERT_FALSE(unknown.error);
  const Error e = build_network(unknown.description, "u.rst", net);
  ASSERT_TRUE(e);
  EXPECT_EQ(e.text(), "u.rst:7: path 1 names no node \"q\"");
}

}  // namespace
}  // namespace restoresim
