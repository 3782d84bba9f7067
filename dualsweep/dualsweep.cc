#include "dualsweep.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <unistd.h>

#include "long_options.h"
#include "pair_loop.h"
#include "slices.h"
#include "dual_summary.h"
#include "study.h"
#include "textio.h"
#include "version.h"
#include "wholefile.h"

using studyfiles::dual_csv_text;
using studyfiles::dual_summary_text;
using studyfiles::format_dual_table;

namespace dualsweep {

namespace {

// Printed after a command-line error; the help begins with it.
const char* const kUsage =
    "usage: dualsweep [--bound] [--cut-rate R [--repair-hours H] [--length km|miles]] [--csv FILE] [-j N]\n"
    "                 [--slice K/N] [--progress] NODEFILE NETDATA RESULTS\n"
    "       dualsweep --gather [--csv FILE] RESULTS SLICE...\n";

const std::string kHelp = std::string(kUsage) +
    "       dualsweep --help | --version\n"
    "\n"
    "Cuts every pair of spans of a bidirectional netdata file at once and restores their working\n"
    "channels over the spare of the other spans: one row per pair goes to RESULTS, the dual-failure\n"
    "restorability R2 beside the single-failure R1 to standard output. --gather joins the tables of\n"
    "all the slices of one run into the table the whole run writes.\n"
    "\n"
    "  --bound            also solve each pair's bound: the fractional two-commodity flow, by two max flows\n"
    "  --cut-rate R       availability figures: R cuts a year per 1,000 km, the cost field read as a length\n"
    "  --repair-hours H   hours a repair takes (12 unless given); with --cut-rate\n"
    "  --length km|miles  the unit of the cost field read as a length (km unless given); with --cut-rate\n"
    "  --csv FILE         also write the rows as CSV for a spreadsheet\n"
    "  -j N               solve the pairs on N threads (0: one per core; 1 unless given)\n"
    "  --slice K/N        solve only the K-th of N shares of the pairs (a cluster's array job)\n"
    "  --progress         progress lines on standard error even when it is no terminal\n"
    "  --gather           join the tables of the slices SLICE... of one run into RESULTS\n"
    "  -h, --help         show this help and exit\n"
    "  --version          show the version and exit\n";

struct Options {
  bool bound = false, gather = false;
  bool progress = false;  // progress lines on standard error, also when it is no terminal
  std::string cut_rate, repair_hours = "12", length_unit = "km";
  std::string csv;
  int threads = 1;
  int slice = 0, slices = 0;
  std::vector<std::string> names;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "dualsweep: %s\n", message.c_str());
  return 1;
}

// A number written in plain decimals, finite, at least `least` (above it
// when `strict`).
bool decimal(const std::string& text, double least, bool strict) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(v) && (strict ? v > least : v >= least);
}

// Fills options; an error message, or "" to go on.
std::string parse(int argc, char** argv, Options& o) {
  const LongOptions parsed = parse_long_options(
      argc, argv,
      {{"--bound", false}, {"--cut-rate", true}, {"--repair-hours", true}, {"--length", true}, {"--csv", true},
       {"-j", true}, {"--slice", true}, {"--gather", false}, {"--progress", false}});
  if (parsed.error) return parsed.error.text();
  bool repair_given = false, length_given = false;
  for (const auto& [name, value] : parsed.given) {
    if (name == "--bound") {
      o.bound = true;
    } else if (name == "--progress") {
      o.progress = true;
    } else if (name == "--gather") {
      o.gather = true;
    } else if (name == "--cut-rate") {
      if (!decimal(value, 0.0, false)) return "--cut-rate wants a number of cuts a year per 1,000 km, such as 2.0, not '" + value + "'";
      o.cut_rate = value;
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
    } else if (name == "-j") {
      if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string::npos)
        return "-j wants a number of threads (0: one per core), not '" + value + "'";
      o.threads = std::atoi(value.c_str());
      if (o.threads == 0) o.threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    } else if (name == "--slice") {
      if (!parse_slice(value, o.slice, o.slices)) return "--slice wants K/N with 1 <= K <= N, not '" + value + "'";
    }
  }
  if (o.cut_rate.empty() && (repair_given || length_given)) return "--repair-hours and --length go with --cut-rate";
  o.names = parsed.names;
  if (o.gather) {
    if (o.bound || !o.cut_rate.empty() || o.slices > 0)
      return "--gather takes only --csv: the slices' tables hold the rest";
    if (o.names.size() < 2) return "--gather wants the results table and at least one slice table";
  } else if (o.names.size() != 3) {
    return "expected three files: NODEFILE NETDATA RESULTS";
  }
  return "";
}

// No output may be an input, nor the other output.
std::string check_outputs(const Options& o) {
  const std::vector<std::string> inputs(o.gather ? o.names.begin() + 1 : o.names.begin(),
                                        o.gather ? o.names.end() : o.names.end() - 1);
  const std::string& results = o.gather ? o.names.front() : o.names.back();
  for (const std::string* output : {&results, &o.csv}) {
    if (output->empty()) continue;
    for (const std::string& input : inputs)
      if (same_file(*output, input)) return "refusing to write " + *output + ": it is the input file " + input;
  }
  if (!o.csv.empty() && same_file(o.csv, results)) return "refusing to write the table and the CSV both into " + o.csv;
  return "";
}

std::string write_output(const std::string& name, const std::string& text) {
  return write_file_or_reason(name, text).text();
}

// The whole table written, its summary printed, its CSV written.
int finish(const Options& o, studyfiles::DualTable& table, const std::string& results) {
  table.written_by = version_line("dualsweep");
  if (std::string e = write_output(results, format_dual_table(table)); !e.empty()) return fail(e);
  if (table.slices > 0) {
    std::printf("slice %d/%d: %zu pairs written to %s\n", table.slice, table.slices, table.rows.size(), results.c_str());
  } else {
    std::fputs(dual_summary_text(table).c_str(), stdout);
  }
  std::fflush(stdout);
  if (!o.csv.empty())
    if (std::string e = write_output(o.csv, dual_csv_text(table)); !e.empty()) return fail(e);
  return 0;
}

}  // namespace

const ProgramInfo kProgram{"dualsweep", kHelp.c_str()};

int dualsweep_main(int argc, char** argv) {
  Options o;
  std::string error = parse(argc, argv, o);
  if (!error.empty()) {
    std::fprintf(stderr, "dualsweep: %s\n%s", error.c_str(), kUsage);
    return 1;
  }
  if (error = check_outputs(o); !error.empty()) return fail(error);
  studyfiles::DualTable table;
  if (o.gather) {
    if (Error e = gather_slices(std::vector<std::string>(o.names.begin() + 1, o.names.end()), table)) return fail(e.text());
    return finish(o, table, o.names.front());
  }
  DualStudy study;
  if (Error e = read_dual_study(o.names[0], o.names[1], !o.cut_rate.empty(), study)) return fail(e.text());
  table.nodes_file = o.names[0];
  table.netdata_file = o.names[1];
  table.has_bound = o.bound;
  if (!o.cut_rate.empty()) {
    table.cut_rate = o.cut_rate;
    table.repair_hours = o.repair_hours;
    table.length_unit = o.length_unit;
  }
  table.slice = o.slice;
  table.slices = o.slices;
  table.spans = single_cuts(study);
  PairOptions pair_options;
  pair_options.threads = o.threads;
  pair_options.bound = o.bound;
  pair_options.progress = o.progress || isatty(STDERR_FILENO) ? stderr : nullptr;
  solve_pairs(study, pairs_of(table.spans, o.slice, o.slices), pair_options, table.rows);
  return finish(o, table, o.names[2]);
}

}  // namespace dualsweep
