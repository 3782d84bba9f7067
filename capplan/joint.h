// Working and spare planned together. The study's path list (one line per
// working channel) gives the demand: the channels between each pair of end
// nodes. Every demand is routed again over one of a few short routes, and
// the spare that restores every span cut of the new working is placed with
// it, at the least cost of working plus spare channels (a joint working and
// spare model: route flows per demand, and per cut an arc flow between the
// cut span's ends that carries the working routed over it).
//
// The search starts from the study's own routing with its least spare (the
// plan of planner.h for today's working, within three tenths of the
// search's time), so the joint plan never costs more than that plan. Its
// bounds hold over the routes tried: the study's own and, per demand, its
// routes_per_demand least-cost simple routes (routes.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "node_list.h"
#include "planner.h"
#include "routes.h"
#include "span_network.h"

namespace capplan {

struct RoutedChannels {
  Route route;
  long long channels = 0;
};

// The channels between two end nodes, `from` being the first node of the
// demand's first line.
struct Demand {
  int from = 0, to = 0;
  std::vector<RoutedChannels> routes;  // each route from `from` to `to`
  long long channels() const;
};

// The channels of all the demands.
long long total_channels(const std::vector<Demand>& demands);

struct DemandList {
  std::string title;            // the path list's title line, line feed included
  std::vector<Demand> demands;  // in the order of their first lines
};

// Reads a path list (netrestore's form) into demands: every line names nodes
// of the node list, ends with the terminator, joins different end nodes,
// visits no node twice, and runs over spans of the network.
Error read_demands(std::string_view text, const std::string& file, const studyfiles::NodeList& nodes,
                   const SpanNetwork& net, DemandList& out);

// PlanBounds: the cost of working plus spare, and its bounds over the
// routes tried.
struct JointPlan : PlanBounds {
  std::vector<long long> working;  // per span
  Plan spare;                      // the spare of every span and the bridges; its cost is that of the spare alone
  std::vector<Demand> demands;     // the new routes, in the order of the input's demands
  long long study_cost = 0;        // the study's routing with its least spare
};

// The progress is shown the cost of the study's plan, then of the joint plan.
struct JointOptions : PlanOptions {
  int routes_per_demand = 4;  // candidate routes besides the study's own
};

JointPlan plan_joint(const SpanNetwork& net, const DemandList& demands, const JointOptions& options);

// The network with the working of the joint plan.
SpanNetwork with_working(const SpanNetwork& net, const std::vector<long long>& working);

// The working channels per span that the routes put there.
std::vector<long long> working_of(const SpanNetwork& net, const std::vector<Demand>& demands);

// Every demand of `given` is carried by `routed`: the same end pairs, and as
// many channels on each; otherwise what is missing.
Error check_carried(const std::vector<Demand>& given, const std::vector<Demand>& routed);

// The routes as a path list: the title, then one line per channel.
std::string routes_text(const std::string& title, const std::vector<Demand>& demands,
                        const studyfiles::NodeList& nodes);

}  // namespace capplan
