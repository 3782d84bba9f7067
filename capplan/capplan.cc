#include "capplan.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "cbc_mip.h"
#include "error.h"
#include "joint.h"
#include "long_options.h"
#include "netdata.h"
#include "node_list.h"
#include "path_run.h"
#include "pcycle.h"
#include "planner.h"
#include "results.h"
#include "run_clock.h"
#include "study.h"
#include "text_format.h"
#include "textio.h"
#include "wholefile.h"

namespace capplan {

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::format_netdata;
using studyfiles::read_netdata;
using studyfiles::read_node_list;

namespace {

// Printed after a command-line error; the help begins with it.
const char* const kUsage =
    "usage: capplan [--cost unit|file] [--keep-spare] [--time-limit SECONDS] [--report FILE] [--progress]\n"
    "               [--method span [--model arc|path|cut] | --method pcycle [--cycles FILE] | --joint PATHS [--routes FILE]]\n"
    "               NODEFILE NETDATA PLANNED\n"
    "       capplan [--cost unit|file] [--keep-spare] [--time-limit SECONDS] [--progress] --method path|sbpp|dedicated\n"
    "               --paths PATHS [--fail spans,nodes,groups] [--groups FILE] [--stub-release] [--max-spans H]\n"
    "               [--restoration FILE] [--backups FILE] NODEFILE NETDATA PLANNED\n";

const std::string kHelp = std::string(kUsage) +
    "       capplan --help | --version\n"
    "\n"
    "Plans the least-cost whole spare channels with which the cut of any one span of the bidirectional\n"
    "netdata file NETDATA is restored in full over the spare of the others, proves the plan by a maximum\n"
    "flow per cut, and writes PLANNED: NETDATA record for record with the planned spare. Prints the\n"
    "totals, the cost, the lower bound proved and the gap. Status 0: planned and proved; 2: the same,\n"
    "but some spans are bridges, whose cuts no spare restores; 1: a failure, said on standard error.\n"
    "With --method path, sbpp or dedicated, plans for the failures of --fail over the working paths of\n"
    "PATHS instead, proves the plan by every scenario's restoration or every backup (status 2: some\n"
    "demand has no surviving route in a scenario, or some path no backup).\n"
    "\n"
    "  --cost unit|file      a spare channel costs 1 (unit), or its span's cost field (file, the default)\n"
    "  --keep-spare          keep the spare of NETDATA and plan the least to add to it\n"
    "  --time-limit SECONDS  the whole run takes about this long (60 unless given): the best plan found\n"
    "                        by then is proved and written\n"
    "  --report FILE         also write one line per span: its working and planned spare, and how many\n"
    "                        cuts need all of that spare\n"
    "  --progress            progress lines on standard error even when it is no terminal\n"
    "  --method METHOD       span (cuts restored span by span; the default), pcycle, path, sbpp, dedicated\n"
    "  --cycles FILE         with --method pcycle: also write the cycles of the plan, a line per cycle\n"
    "  --joint PATHS         route the demands of the path list PATHS again, placing working and spare\n"
    "                        together; PLANNED holds the new working too\n"
    "  --routes FILE         with --joint: also write the new routes as a path list\n"
    "  --paths PATHS         with path, sbpp, dedicated: the working paths, a path list line per channel\n"
    "  --fail KINDS          with path, sbpp, dedicated: spans (the default), nodes, groups, comma-separated\n"
    "  --groups FILE         with --fail groups: the shared-risk groups file\n"
    "  --stub-release        with path: the hit paths' surviving working channels restore too\n"
    "  --max-spans H         with path: a restoration route has at most H spans\n"
    "  --restoration FILE    with path: also write every scenario's restoration routes (pathsweep's form)\n"
    "  --backups FILE        with sbpp, dedicated: also write each path's backup route, a path list line each\n"
    "  --model arc|path|cut  the span-restorable plan's linear program: over arc flows (arc), over\n"
    "                        restoration routes grown as needed (path), or over cut rows grown as needed\n"
    "                        (cut); unless given, arc up to 40 spans, cut above\n"
    "  -h, --help            show this help and exit\n"
    "  --version             show the version and exit\n";

struct Options {
  StudyNames inputs;
  std::string planned, report;
  std::string joint, routes;  // --joint PATHS: working and spare planned together; --routes FILE: their routes
  SpanOptions spans;
  PlanOptions plan;
  bool progress = false;  // --progress: show it even when standard error is no terminal
  bool pcycles = false;   // --method pcycle: the plan is made of p-cycle copies
  std::string cycles;     // --cycles: where the p-cycles used are written
  bool over_paths = false;  // --method path, sbpp or dedicated: planned over the path list
  PathRunOptions path;      // their options
  bool model_given = false;  // --model: the span-restorable plan's linear program, chosen
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
  bool fail_given = false;
  const LongOptions parsed = parse_long_options(
      argc, argv,
      {{"--cost", true}, {"--keep-spare", false}, {"--time-limit", true}, {"--report", true}, {"--progress", false},
       {"--joint", true}, {"--routes", true}, {"--method", true}, {"--cycles", true}, {"--paths", true},
       {"--fail", true}, {"--groups", true}, {"--stub-release", false}, {"--max-spans", true},
       {"--restoration", true}, {"--backups", true}, {"--model", true}});
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
      if (value != "span" && value != "pcycle" && value != "path" && value != "sbpp" && value != "dedicated")
        return usage_error("--method takes span, pcycle, path, sbpp or dedicated, not '" + value + "'");
      options.pcycles = value == "pcycle";
      options.over_paths = value == "path" || value == "sbpp" || value == "dedicated";
      options.path.method = value == "path" ? PathMethod::path : value == "sbpp" ? PathMethod::sbpp : PathMethod::dedicated;
    } else if (option == "--model") {
      if (value != "arc" && value != "path" && value != "cut")
        return usage_error("--model takes arc, path or cut, not '" + value + "'");
      options.plan.model = value == "arc" ? LpModel::arc : value == "path" ? LpModel::path : LpModel::cut;
      options.model_given = true;
    } else if (option == "--cycles") {
      options.cycles = value;
    } else if (option == "--paths") {
      options.path.paths = value;
    } else if (option == "--fail") {
      if (Error e = pathrestore::parse_fail_kinds(value, options.path.fail)) return usage_error(e.text());
      options.path.fail_text = value;
      fail_given = true;
    } else if (option == "--groups") {
      options.path.groups = value;
    } else if (option == "--stub-release") {
      options.path.stub_release = true;
    } else if (option == "--max-spans") {
      if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string::npos ||
          std::atoi(value.c_str()) < 1)
        return usage_error("--max-spans takes a number of spans above 0, not '" + value + "'");
      options.path.max_spans = std::atoi(value.c_str());
    } else if (option == "--restoration") {
      options.path.restoration = value;
    } else if (option == "--backups") {
      options.path.backups = value;
    } else {
      options.report = value;
    }
  }
  if (!options.routes.empty() && options.joint.empty()) return usage_error("--routes needs --joint");
  if (!options.joint.empty() && options.spans.keep_spare) return usage_error("--joint plans the spare anew: not with --keep-spare");
  if (!options.cycles.empty() && !options.pcycles) return usage_error("--cycles needs --method pcycle");
  if (!options.joint.empty() && options.pcycles) return usage_error("--joint plans span-restorable spare: not with --method pcycle");
  const PathRunOptions& p = options.path;
  const bool path = options.over_paths && p.method == PathMethod::path;
  const bool backups = options.over_paths && !path;
  if (!options.joint.empty() && options.over_paths)
    return usage_error("--joint plans span-restorable spare: not with --method path, sbpp or dedicated");
  if (options.over_paths && p.paths.empty()) return usage_error("--method path, sbpp and dedicated plan for a path list: --paths PATHS");
  if (!options.over_paths && !p.paths.empty()) return usage_error("--paths goes with --method path, sbpp or dedicated");
  if (!options.over_paths && fail_given) return usage_error("--fail goes with --method path, sbpp or dedicated");
  if (p.fail.groups && p.groups.empty()) return usage_error("--fail groups wants the groups file: --groups FILE");
  if (!p.fail.groups && !p.groups.empty()) return usage_error("--groups goes with --fail groups");
  if (!path && p.stub_release) return usage_error("--stub-release goes with --method path");
  if (!path && p.max_spans > 0) return usage_error("--max-spans goes with --method path");
  if (!path && !p.restoration.empty()) return usage_error("--restoration goes with --method path");
  if (!backups && !p.backups.empty()) return usage_error("--backups goes with --method sbpp or dedicated");
  if (options.over_paths && !options.report.empty())
    return usage_error("--report tells of span cuts: not with --method path, sbpp or dedicated");
  if (options.model_given && (options.pcycles || options.over_paths || !options.joint.empty()))
    return usage_error("--model chooses the span-restorable plan's linear program: not with --method pcycle, path, sbpp, dedicated or --joint");
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

// The closing of every run: a fault of the solver, or a plan that fails its
// proof, stops it with nothing written; else the outputs are written in
// order and the results printed.
int finish(const SpanNetwork& planned, const NodeList& nodes, const Plan& spare, const PlanBounds& bounds,
           const std::vector<Output>& outputs, ResultLines lines, std::chrono::steady_clock::time_point start) {
  if (bounds.fault) return fail(bounds.fault.text() + "; nothing written");
  if (Error proof = prove_plan(planned, nodes, spare)) return fail(proof.text() + "; nothing written");
  if (Error error = write_outputs(outputs, lines)) return fail(error.text());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fputs(result_text(planned, nodes, spare, bounds, lines, seconds).c_str(), stdout);
  return result_status(spare);
}

// --joint: the working routed again and the spare placed with it.
int run_joint(const Options& options, const NodeList& nodes, const Netdata& net, const SpanNetwork& spans,
              std::chrono::steady_clock::time_point start) {
  std::string path_text;
  DemandList demands;
  Error error = read_input(options.joint, path_text);
  if (!error) error = read_demands(path_text, options.joint, nodes, spans, demands);
  if (error) return fail(error.text());
  JointOptions joint_options;
  static_cast<PlanOptions&>(joint_options) = options.plan;
  const JointPlan plan = plan_joint(spans, demands, joint_options);
  if (!plan.fault)
    if (Error carried = check_carried(demands.demands, plan.demands)) return fail(carried.text() + "; nothing written");
  const SpanNetwork planned = with_working(spans, plan.working);
  Netdata out = planned_netdata(net, plan.spare.spare);
  for (std::size_t i = 0; i < out.edges.size(); ++i) {
    if (plan.working[i / 2] > INT_MAX) return fail("the plan puts more working channels on a span than a netdata field holds");
    out.edges[i].capacity = static_cast<int>(plan.working[i / 2]);
  }

  ResultLines lines;
  lines.heading = text_printf("joint plan for %s (paths %s): %zu spans, %d nodes, %zu demands, %lld channels",
                              options.inputs.netdata.c_str(), options.joint.c_str(), spans.spans.size(), spans.n_node,
                              plan.demands.size(), total_channels(plan.demands));
  lines.cost_is = "working and spare";
  lines.after_cost.push_back(text_printf("  study's routing    %12lld  (its working and its least spare)\n", plan.study_cost));
  lines.lp_bound = false;
  lines.optimal = "optimal over the routes tried";
  lines.after_proof.push_back(text_printf("carried: every demand of %s, %zu end pairs, on the new routes\n",
                                          options.joint.c_str(), demands.demands.size()));
  return finish(planned, nodes, plan.spare, plan,
                {{options.planned, [&] { return format_netdata(out); }},
                 {options.routes, [&] { return routes_text(demands.title, plan.demands, nodes); }},
                 {options.report, [&] { return report_text(planned, nodes, plan.spare); }}},
                std::move(lines), start);
}

// The span-restorable or the p-cycle plan.
int run_plan(const Options& options, const NodeList& nodes, const Netdata& net, const SpanNetwork& spans,
             std::chrono::steady_clock::time_point start) {
  PCyclePlan pcycles;
  if (options.pcycles) pcycles = plan_pcycles(spans, options.plan);
  const Plan plan = options.pcycles ? pcycles.plan : plan_spare(spans, options.plan);
  ResultLines lines;
  lines.heading = text_printf("plan for %s (nodes %s): %zu spans, %d nodes", options.inputs.netdata.c_str(),
                              options.inputs.nodes.c_str(), spans.spans.size(), spans.n_node);
  lines.kept_spare = options.spans.keep_spare;
  if (options.pcycles) lines.after_summary.push_back(pcycle_summary(pcycles));
  if (plan.model == LpModel::path)
    lines.after_lp_bound = text_printf("  LP over            routes grown: %d in %d rounds\n", plan.grown, plan.rounds);
  if (plan.model == LpModel::cut)
    lines.after_lp_bound = text_printf("  LP over          cut rows grown: %d in %d rounds\n", plan.grown, plan.rounds);
  return finish(spans, nodes, plan, plan,
                {{options.planned, [&] { return format_netdata(planned_netdata(net, plan.spare)); }},
                 {options.report, [&] { return report_text(spans, nodes, plan); }},
                 {options.cycles, [&] { return cycles_text(pcycles, nodes); }}},
                std::move(lines), start);
}

}  // namespace

const ProgramInfo kProgram{"capplan", kHelp.c_str()};

int capplan_main(int argc, char** argv) { return capplan_main(argc, argv, lpsolve::solve_with_cbc); }

int capplan_main(int argc, char** argv, const lpsolve::MipSolver& solve) {
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
  options.plan.clock = &clock;
  options.plan.progress = &progress;
  options.plan.solve = solve;
  if (options.over_paths)
    return run_path_method(options.path, options.inputs, options.planned, nodes, net, spans, options.spans.keep_spare,
                           options.plan, start);
  return options.joint.empty() ? run_plan(options, nodes, net, spans, start) : run_joint(options, nodes, net, spans, start);
}

}  // namespace capplan
