// capplan's plans measured: total spare, redundancy, LP bound over arc
// flows, cost, gap and time, on networks given as files and on made-up
// networks (made_network.h); with --pcycle, each network's p-cycle plan
// (pcycle.h) on the next row, its bounds over its candidate cycles. Run by hand:
//   build/bench/capplan_bench [--seconds S] [--pcycle] [--made NODES[xSEEDS]]... [NODEFILE NETDATA]...
//   build/bench/capplan_bench --write NODES SEED PREFIX   (PREFIX_nodes.txt, PREFIX.dat)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "made_network.h"
#include "netdata.h"
#include "pcycle.h"
#include "plan_bounds.h"
#include "node_list.h"
#include "planner.h"
#include "study.h"
#include "text_format.h"
#include "wholefile.h"

using capplan::PCyclePlan;
using capplan::Plan;
using capplan::PlanSpan;
using capplan::SpanNetwork;
using capplan::gap_percent;
using capplan::plan_pcycles;
using capplan::plan_spare;
using capplan::spans_from_netdata;
using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::format_netdata;
using studyfiles::format_node_list;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

namespace {

void measure(const std::string& name, const SpanNetwork& net, double seconds, bool pcycle = false) {
  const auto start = std::chrono::steady_clock::now();
  PCyclePlan cycles;
  if (pcycle) cycles = plan_pcycles(net, {seconds});
  const Plan plan = pcycle ? cycles.plan : plan_spare(net, {seconds});
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  long long working = 0, spare = 0;
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    working += net.spans[k].working;
    spare += plan.spare[k];
  }
  std::printf("%-22s %5d %5zu %7lld %7lld %7.2f%% %12.2f %10lld %10lld %6.2f%% %6.2f%% %8.2f %s\n", name.c_str(),
              net.n_node, net.spans.size(), working, spare,
              working ? 100.0 * static_cast<double>(spare) / static_cast<double>(working) : 0.0, plan.lp_bound,
              plan.lower_bound, plan.cost, gap_percent(plan.cost, plan.lp_bound),
              gap_percent(plan.cost, static_cast<double>(plan.lower_bound)), took,
              plan.bridges.empty() ? "" : text_printf("%zu bridges", plan.bridges.size()).c_str());
  if (pcycle)
    std::printf("%-22s %zu candidates, simple cycles of up to %d spans%s\n", "", cycles.candidates.cycles.size(),
                cycles.candidates.length_cap, cycles.candidates.length_capped ? " (capped)" : "");
  std::fflush(stdout);
}

// Netdata records of a made network: both directions of every span, no spare.
Netdata netdata_of(const SpanNetwork& net) {
  Netdata data;
  data.bidirectional = true;
  data.n_node = net.n_node;
  int number = 0;
  for (const PlanSpan& s : net.spans) {
    data.edges.push_back({++number, s.from, s.to, static_cast<int>(s.cost), 0, static_cast<int>(s.working)});
    data.edges.push_back({++number, s.to, s.from, static_cast<int>(s.cost), 0, static_cast<int>(s.working)});
  }
  return data;
}

int write_made(int nodes, unsigned seed, const std::string& prefix) {
  const MadeNetwork made = make_network(nodes, seed);
  NodeList list;
  for (int v = 0; v < nodes; ++v)
    list.nodes.push_back({text_printf("N%d", v + 1), made.x[v] / 100.0, made.y[v] / 100.0, true});
  Error error = write_text_file(prefix + "_nodes.txt",
                                format_node_list(text_printf("made network, %d nodes, seed %u", nodes, seed), list));
  if (!error) error = write_text_file(prefix + ".dat", format_netdata(netdata_of(made.net)));
  if (error) std::fprintf(stderr, "%s\n", error.text().c_str());
  return error ? 1 : 0;
}

bool read_files(const std::string& nodes_file, const std::string& net_file, SpanNetwork& net) {
  const std::optional<std::string> node_text = read_whole_file(nodes_file), net_text = read_whole_file(net_file);
  NodeList nodes;
  Netdata data;
  Error error = !node_text || !net_text ? Error::of("can not read " + nodes_file + " or " + net_file) : Error();
  if (!error) error = read_node_list(*node_text, nodes_file, nodes);
  if (!error) error = read_netdata(*net_text, net_file, data);
  if (!error) error = spans_from_netdata(data, nodes, {nodes_file, net_file}, {}, net);
  if (error) std::fprintf(stderr, "%s\n", error.text().c_str());
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--write")
    return write_made(std::atoi(argv[2]), static_cast<unsigned>(std::atoi(argv[3])), argv[4]);
  double seconds = 60;
  bool pcycle = false;
  // Both plans of a network, one row each.
  auto both = [&](const std::string& name, const SpanNetwork& net) {
    measure(name, net, seconds);
    if (pcycle) measure("  p-cycle", net, seconds, true);
  };
  std::vector<std::string> args(argv + 1, argv + argc);
  std::printf("%-22s %5s %5s %7s %7s %8s %12s %10s %10s %7s %7s %8s\n", "network", "nodes", "spans", "working", "spare",
              "redund", "LP bound", "lower", "cost", "vs LP", "gap", "seconds");
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--seconds" && i + 1 < args.size()) {
      seconds = std::atof(args[++i].c_str());
    } else if (args[i] == "--pcycle") {
      pcycle = true;
    } else if (args[i] == "--made" && i + 1 < args.size()) {
      const std::string made = args[++i];
      const int nodes = std::atoi(made.c_str());
      const std::size_t x = made.find('x');
      const int seeds = x == std::string::npos ? 1 : std::atoi(made.c_str() + x + 1);
      for (int seed = 1; seed <= seeds; ++seed)
        both(text_printf("made%d-seed%d", nodes, seed), make_network(nodes, static_cast<unsigned>(seed)).net);
    } else if (i + 1 < args.size()) {
      SpanNetwork net;
      if (read_files(args[i], args[i + 1], net)) both(args[i + 1], net);
      ++i;
    }
  }
  return 0;
}
