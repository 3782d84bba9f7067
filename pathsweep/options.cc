#include "options.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "long_options.h"
#include "textio.h"

const char* const kPathsweepUsage =
    "usage: pathsweep [--fail spans,nodes,groups] [--groups FILE] [--stub-release] [--max-spans H] [--bound]\n"
    "                 [--cut-rate R] [--node-rate R] [--repair-hours H] [--length km|miles] [--csv FILE]\n"
    "                 [--routes FILE] [-j N] [--progress] [--exact-seconds S] NODEFILE NETDATA PATHS RESULTS\n";

const char* const kPathsweepHelp =
    "usage: pathsweep [--fail spans,nodes,groups] [--groups FILE] [--stub-release] [--max-spans H] [--bound]\n"
    "                 [--cut-rate R] [--node-rate R] [--repair-hours H] [--length km|miles] [--csv FILE]\n"
    "                 [--routes FILE] [-j N] [--progress] [--exact-seconds S] NODEFILE NETDATA PATHS RESULTS\n"
    "\n"
    "Path restoration under span, node and shared-risk failures: for every failure scenario, how many of\n"
    "the working paths of PATHS (one line per working channel) it hits could be rerouted end to end over\n"
    "the spare of the bidirectional NETDATA file. Writes RESULTS, one row per scenario, and prints the\n"
    "summary.\n"
    "\n"
    "  --fail KINDS        spans (every span with working or spare; the default), nodes (every node),\n"
    "                      groups (every group of --groups), comma-separated: --fail spans,nodes\n"
    "  --groups FILE       the shared-risk groups file, for --fail groups\n"
    "  --stub-release      the working channels the hit paths held on surviving spans restore too\n"
    "  --max-spans H       a restoration route has at most H spans\n"
    "  --bound             the largest fractional restoration (an LP) beside each scenario's figure\n"
    "  --cut-rate R        availability: a span is cut R times a year per 1,000 km of its length (the\n"
    "                      netdata cost field)\n"
    "  --node-rate R       availability: a node fails R times a year\n"
    "  --repair-hours H    a failure lasts H hours (12)\n"
    "  --length km|miles   the unit of the cost field, read as the span's length (km)\n"
    "  --csv FILE          the rows for a spreadsheet\n"
    "  --routes FILE       every restoration route: scenario, channels, nodes\n"
    "  -j N                N threads (0: one per core); the output is the same for every N\n"
    "  --progress          progress lines on standard error, also when it is no terminal\n"
    "  --exact-seconds S   the time a scenario's integer program may take (10)\n"
    "  --help, --version   this text; the version\n";

namespace {

// A number written in plain decimals, finite, at least `least` (above it
// when `strict`).
bool decimal(const std::string& text, double least, bool strict) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(v) && (strict ? v > least : v >= least);
}

bool whole(const std::string& text, int least, int& out) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::atoi(text.c_str());
  return out >= least;
}

}  // namespace

std::string parse_options(int argc, char** argv, Options& o) {
  const LongOptions parsed = parse_long_options(
      argc, argv,
      {{"--fail", true}, {"--groups", true}, {"--stub-release", false}, {"--max-spans", true}, {"--bound", false},
       {"--cut-rate", true}, {"--node-rate", true}, {"--repair-hours", true}, {"--length", true}, {"--csv", true},
       {"--routes", true}, {"-j", true}, {"--progress", false}, {"--exact-seconds", true}});
  if (parsed.error) return parsed.error.text();
  bool repair_given = false, length_given = false;
  for (const auto& [name, value] : parsed.given) {
    if (name == "--fail") {
      if (Error e = pathrestore::parse_fail_kinds(value, o.fail)) return e.text();
      o.fail_text = value;
    } else if (name == "--groups") {
      o.groups = value;
    } else if (name == "--stub-release") {
      o.stub_release = true;
    } else if (name == "--max-spans") {
      if (!whole(value, 1, o.max_spans)) return "--max-spans wants a number of spans above 0, not '" + value + "'";
    } else if (name == "--bound") {
      o.bound = true;
    } else if (name == "--cut-rate") {
      if (!decimal(value, 0.0, false)) return "--cut-rate wants a number of cuts a year per 1,000 km, such as 2.0, not '" + value + "'";
      o.cut_rate = value;
    } else if (name == "--node-rate") {
      if (!decimal(value, 0.0, false)) return "--node-rate wants a number of failures a year per node, such as 0.1, not '" + value + "'";
      o.node_rate = value;
    } else if (name == "--repair-hours") {
      if (!decimal(value, 0.0, true)) return "--repair-hours wants a number of hours above 0, not '" + value + "'";
      o.repair_hours = value;
      repair_given = true;
    } else if (name == "--length") {
      if (value != "km" && value != "miles") return "--length wants km or miles, not '" + value + "'";
      o.length_unit = value;
      length_given = true;
    } else if (name == "--csv") {
      o.csv = value;
    } else if (name == "--routes") {
      o.routes = value;
    } else if (name == "-j") {
      if (!whole(value, 0, o.threads)) return "-j wants a number of threads (0: one per core), not '" + value + "'";
      if (o.threads == 0) o.threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    } else if (name == "--progress") {
      o.progress = true;
    } else if (name == "--exact-seconds") {
      if (!decimal(value, 0.0, false)) return "--exact-seconds wants a number of seconds, not '" + value + "'";
      o.exact_seconds = std::strtod(value.c_str(), nullptr);
    }
  }
  if (o.fail.groups && o.groups.empty()) return "--fail groups wants the groups file: --groups FILE";
  if (!o.fail.groups && !o.groups.empty()) return "--groups goes with --fail groups";
  if (!o.cut_rate.empty() && !o.fail.spans) return "--cut-rate goes with span scenarios: --fail spans";
  if (!o.node_rate.empty() && !o.fail.nodes) return "--node-rate goes with node scenarios: --fail nodes";
  if (o.cut_rate.empty() && o.node_rate.empty() && repair_given) return "--repair-hours goes with --cut-rate or --node-rate";
  if (o.cut_rate.empty() && length_given) return "--length goes with --cut-rate";
  if (parsed.names.size() != 4) return "expected four files: NODEFILE NETDATA PATHS RESULTS";
  o.nodes_file = parsed.names[0];
  o.netdata_file = parsed.names[1];
  o.paths_file = parsed.names[2];
  o.results_file = parsed.names[3];
  return "";
}

std::string check_outputs(const Options& o) {
  std::vector<const std::string*> inputs{&o.nodes_file, &o.netdata_file, &o.paths_file};
  if (!o.groups.empty()) inputs.push_back(&o.groups);
  const std::vector<const std::string*> outputs{&o.results_file, &o.csv, &o.routes};
  for (const std::string* output : outputs) {
    if (output->empty()) continue;
    for (const std::string* input : inputs)
      if (same_file(*output, *input)) return "refusing to write " + *output + ": it is the input file " + *input;
  }
  for (std::size_t a = 0; a < outputs.size(); ++a)
    for (std::size_t b = a + 1; b < outputs.size(); ++b)
      if (!outputs[a]->empty() && !outputs[b]->empty() && same_file(*outputs[a], *outputs[b]))
        return "refusing to write two outputs into " + *outputs[b];
  return "";
}
