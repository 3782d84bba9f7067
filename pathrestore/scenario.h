// Failure scenarios and what each one asks of restoration.
//
// A scenario fails spans (a span scenario its span, a node scenario every
// span at its node, a group scenario the group's spans) and, for a node, the
// node itself. A working path is hit when it crosses a failed span or passes
// through a failed node. A hit path with an end at a failed node is ending:
// lost, with no remedy. The others are affected: each is to be rerouted end
// to end between its own two ends, over the spare channels of the surviving
// spans (with stub release, also over the working channels that the hit
// paths held on surviving spans), avoiding the failed nodes.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "groups.h"
#include "network.h"
#include "working_paths.h"

namespace pathrestore {

enum class ScenarioKind { span, node, group };

// "span", "node", "group": as the results table and the routes file name them.
const char* kind_word(ScenarioKind kind);

struct Scenario {
  ScenarioKind kind = ScenarioKind::span;
  std::string name;                // a span by its number, a node or group by its name
  int number = 0;                  // the span's or node's number; the group's place in its file (1-based)
  std::vector<int> failed_spans;   // indexes into the network's spans, ascending
  std::vector<int> failed_nodes;   // node numbers
};

// Which kinds of scenario a run takes: --fail's comma-separated words.
struct FailKinds {
  bool spans = false, nodes = false, groups = false;
};

// "spans", "nodes", "groups", comma-separated, each at most once; an error
// naming what is wrong otherwise.
Error parse_fail_kinds(const std::string& text, FailKinds& out);

// The scenarios of the kinds asked for: every span that carries working or
// spare channels, by number; every node of the network, by number; every
// group of `groups`, in file order.
std::vector<Scenario> scenarios_of(const Network& net, const FailKinds& kinds, const studyfiles::GroupsFile* groups);

// A demand with affected paths: what restoration must reroute.
struct RestorationDemand {
  int demand = 0;  // index into WorkingPaths::demands
  int from = 0, to = 0;
  int affected = 0;
};

struct ScenarioProblem {
  std::vector<int> hit;  // the paths hit, in file order
  int affected = 0;
  int ending = 0;
  std::vector<char> span_failed;     // per span index
  std::vector<char> node_failed;     // per node number (0 unused)
  std::vector<long long> capacity;   // per span index: channels restoration may use (0 on a failed span)
  std::vector<RestorationDemand> demands;  // the demands with affected paths, in demand order
  std::vector<std::pair<int, int>> ending_demands;  // (demand, paths ending) for the demands with ending paths
};

// What the scenario hits and what restoration may use: each surviving
// span's spare, plus, with `stub_release`, the working channels the hit
// paths (affected and ending) hold on it.
ScenarioProblem problem_of(const Network& net, const WorkingPaths& paths, const Scenario& scenario, bool stub_release);

}  // namespace pathrestore
