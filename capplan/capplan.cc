#include "capplan.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "error.h"
#include "joint.h"
#include "long_options.h"
#include "netdata.h"
#include "node_list.h"
#include "pcycle.h"
#include "planner.h"
#include "run_clock.h"
#include "study.h"
#include "text_format.h"
#include "textio.h"
#include "wholefile.h"

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::format_netdata;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

namespace {

const char* const kUsage =
    "usage: capplan [--cost unit|file] [--keep-spare] [--time-limit SECONDS] [--report FILE] [--progress]\n"
    "               [--method span|pcycle [--cycles FILE]] [--joint PATHS [--routes FILE]] NODEFILE NETDATA PLANNED\n";

struct Options {
  StudyNames inputs;
  std::string planned, report;
  std::string joint, routes;  // --joint PATHS: working and spare planned together; --routes FILE: their routes
  SpanOptions spans;
  PlanOptions plan;
  bool progress = false;  // --progress: show it even when standard error is no terminal
  bool pcycles = false;   // --method pcycle: the plan is made of p-cycle copies
  std::string cycles;     // --cycles: where the p-cycles used are written
};

int fail(const std::string& message) {
  std::fprintf(stderr, "capplan: %s\n", message.c_str());
  return 1;
}

int usage_error(const std::string& message) {
  std::fprintf(stderr, "capplan: %s\n%s", message.c_str(), kUsage);
  return 1;
}

// Fills options from the command line; returns -1 to go on, else the exit
// status to stop with.
int parse_command_line(int argc, char** argv, Options& options) {
  const LongOptions parsed = parse_long_options(
      argc, argv,
      {{"--cost", true}, {"--keep-spare", false}, {"--time-limit", true}, {"--report", true}, {"--progress", false},
       {"--joint", true}, {"--routes", true}, {"--method", true}, {"--cycles", true}});
  if (parsed.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (parsed.error) return usage_error(parsed.error.text());
  for (const auto& [option, value] : parsed.given) {
    if (option == "--keep-spare") {
      options.spans.keep_spare = true;
    } else if (option == "--progress") {
      options.progress = true;
    } else if (option == "--cost") {
      if (value != "unit" && value != "file") return usage_error("--cost takes unit or file, not '" + value + "'");
      options.spans.unit_cost = value == "unit";
    } else if (option == "--time-limit") {
      char* end = nullptr;
      const double seconds = std::strtod(value.c_str(), &end);
      if (value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0)
        return usage_error("--time-limit takes a number of seconds above 0, not '" + value + "'");
      options.plan.seconds = seconds;
    } else if (option == "--joint") {
      options.joint = value;
    } else if (option == "--routes") {
      options.routes = value;
    } else if (option == "--method") {
      if (value != "span" && value != "pcycle") return usage_error("--method takes span or pcycle, not '" + value + "'");
      options.pcycles = value == "pcycle";
    } else if (option == "--cycles") {
      options.cycles = value;
    } else {
      options.report = value;
    }
  }
  if (!options.routes.empty() && options.joint.empty()) return usage_error("--routes needs --joint");
  if (!options.joint.empty() && options.spans.keep_spare) return usage_error("--joint plans the spare anew: not with --keep-spare");
  if (!options.cycles.empty() && !options.pcycles) return usage_error("--cycles needs --method pcycle");
  if (!options.joint.empty() && options.pcycles) return usage_error("--joint plans span-restorable spare: not with --method pcycle");
  const std::vector<std::string>& names = parsed.names;
  if (names.size() != 3) return usage_error(names.size() < 3 ? "too few file names" : "too many file names");
  options.inputs = {names[0], names[1]};
  options.planned = names[2];
  return -1;
}

// No output may be an input, nor the other output.
Error check_outputs(const Options& o) {
  for (const std::string* output : {&o.planned, &o.report, &o.routes, &o.cycles}) {
    if (output->empty()) continue;
    for (const std::string* input : {&o.inputs.nodes, &o.inputs.netdata, &o.joint})
      if (!input->empty() && same_file(*output, *input))
        return Error::of("refusing to write " + *output + ": it is the input file " + *input);
  }
  if (!o.report.empty() && same_file(o.report, o.planned))
    return Error::of("refusing to write the plan and the report both into " + o.planned);
  if (!o.routes.empty() && (same_file(o.routes, o.planned) || (!o.report.empty() && same_file(o.routes, o.report))))
    return Error::of("refusing to write the routes into " + o.routes + ": it is another output");
  if (!o.cycles.empty() && (same_file(o.cycles, o.planned) || (!o.report.empty() && same_file(o.cycles, o.report))))
    return Error::of("refusing to write the cycles into " + o.cycles + ": another output goes there");
  return {};
}

Error read_input(const std::string& name, std::string& text) {
  std::optional<std::string> read = read_whole_file(name);
  if (!read) return Error::of("can not read " + name);
  text = std::move(*read);
  return {};
}

// --joint: the working routed again and the spare placed with it.
int run_joint(const Options& options, const NodeList& nodes, const Netdata& net, const SpanNetwork& spans,
              const RunClock& clock, Progress& progress, std::chrono::steady_clock::time_point start) {
  std::string path_text;
  DemandList demands;
  Error error = read_input(options.joint, path_text);
  if (!error) error = read_demands(path_text, options.joint, nodes, spans, demands);
  if (error) return fail(error.text());
  JointOptions joint_options;
  joint_options.clock = &clock;
  joint_options.progress = &progress;
  const JointPlan plan = plan_joint(spans, demands, joint_options);
  const SpanNetwork planned = with_working(spans, plan.working);
  if (Error carried = check_carried(demands.demands, plan.demands)) return fail(carried.text() + "; nothing written");
  if (Error proof = prove_plan(planned, nodes, plan.spare)) return fail(proof.text() + "; nothing written");

  Netdata out = planned_netdata(net, plan.spare.spare);
  for (std::size_t i = 0; i < out.edges.size(); ++i) {
    if (plan.working[i / 2] > INT_MAX) return fail("the plan puts more working channels on a span than a netdata field holds");
    out.edges[i].capacity = static_cast<int>(plan.working[i / 2]);
  }
  error = write_text_file(options.planned, format_netdata(out));
  if (!error && !options.routes.empty()) error = write_text_file(options.routes, routes_text(demands.title, plan.demands, nodes));
  if (!error && !options.report.empty()) error = write_text_file(options.report, report_text(planned, nodes, plan.spare));
  if (error) return fail(error.text());

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fputs(joint_summary_text(spans, plan, options.inputs.netdata, options.joint, seconds).c_str(), stdout);
  const std::vector<int>& bridges = plan.spare.bridges;
  std::printf("proved: %zu of %zu span cuts restore their whole working capacity over the planned spare\n",
              spans.spans.size() - bridges.size(), spans.spans.size());
  std::printf("carried: every demand of %s, %zu end pairs, on the new routes\n", options.joint.c_str(), demands.demands.size());
  for (int b : bridges)
    std::printf("bridge: %s: no other route joins its ends, no spare restores its %lld working channels\n",
                span_name(planned, nodes, b).c_str(), planned.spans[b].working);
  std::printf("wrote %s\n", options.planned.c_str());
  if (!options.routes.empty()) std::printf("wrote %s\n", options.routes.c_str());
  if (!options.report.empty()) std::printf("wrote %s\n", options.report.c_str());
  if (bridges.empty()) return 0;
  std::printf("%zu %s: the plan restores every other cut\n", bridges.size(),
              bridges.size() == 1 ? "span is a bridge" : "spans are bridges");
  return 2;
}

}  // namespace

int capplan_main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  Options options;
  const int status = parse_command_line(argc, argv, options);
  if (status >= 0) return status;

  std::string node_text, net_text;
  NodeList nodes;
  Netdata net;
  SpanNetwork spans;
  Error error = check_outputs(options);
  if (!error) error = read_input(options.inputs.nodes, node_text);
  if (!error) error = read_input(options.inputs.netdata, net_text);
  if (!error) error = read_node_list(node_text, options.inputs.nodes, nodes);
  if (!error) error = read_netdata(net_text, options.inputs.netdata, net);
  if (!error) error = spans_from_netdata(net, nodes, options.inputs, options.spans, spans);
  if (error) return fail(error.text());

  // The time limit holds from the start of the run.
  const RunClock clock(options.plan.seconds, start);
  Progress progress(clock, options.progress || isatty(STDERR_FILENO) == 1);
  if (!options.joint.empty()) return run_joint(options, nodes, net, spans, clock, progress, start);
  options.plan.clock = &clock;
  options.plan.progress = &progress;
  PCyclePlan pcycles;
  if (options.pcycles) pcycles = plan_pcycles(spans, options.plan);
  const Plan plan = options.pcycles ? pcycles.plan : plan_spare(spans, options.plan);
  if (Error proof = prove_plan(spans, nodes, plan)) return fail(proof.text() + "; nothing written");

  error = write_text_file(options.planned, format_netdata(planned_netdata(net, plan.spare)));
  if (!error && !options.report.empty()) error = write_text_file(options.report, report_text(spans, nodes, plan));
  if (!error && !options.cycles.empty()) error = write_text_file(options.cycles, cycles_text(pcycles, nodes));
  if (error) return fail(error.text());

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fputs(summary_text(spans, plan, options.inputs, options.spans.keep_spare, seconds).c_str(), stdout);
  if (options.pcycles) std::fputs(pcycle_summary(pcycles).c_str(), stdout);
  std::printf("proved: %zu of %zu span cuts restore their whole working capacity over the planned spare\n",
              spans.spans.size() - plan.bridges.size(), spans.spans.size());
  for (int b : plan.bridges)
    std::printf("bridge: %s: no other route joins its ends, no spare restores its %lld working channels\n",
                span_name(spans, nodes, b).c_str(), spans.spans[b].working);
  std::printf("wrote %s\n", options.planned.c_str());
  if (!options.report.empty()) std::printf("wrote %s\n", options.report.c_str());
  if (!options.cycles.empty()) std::printf("wrote %s\n", options.cycles.c_str());
  if (plan.bridges.empty()) return 0;
  std::printf("%zu %s: the plan restores every other cut\n", plan.bridges.size(),
              plan.bridges.size() == 1 ? "span is a bridge" : "spans are bridges");
  return 2;
}
