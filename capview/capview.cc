#include "capview.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "csv.h"
#include "dual.h"
#include "dual_summary.h"
#include "experiment.h"
#include "experiment_table.h"
#include "netdata.h"
#include "node_list.h"
#include "page.h"
#include "path_summary.h"
#include "paths.h"
#include "results.h"
#include "study.h"
#include "summary.h"
#include "textio.h"
#include "wholefile.h"

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::ResultRow;
using studyfiles::read_netdata;
using studyfiles::read_node_list;
using studyfiles::read_results;

namespace capview {

namespace {

const char* const kUsage = "usage: capview [--csv FILE] [--lat-first] nodefile netdatafile resultsfile [htmlfile]\n";
const char* const kExperimentUsage =
    "usage: capview --experiment [--csv FILE] [--results resultsfile] nodefile table... [htmlfile]\n";
const char* const kDualUsage = "usage: capview --dual [--csv FILE] [--lat-first] nodefile dualtable [htmlfile]\n";
const char* const kPathsUsage =
    "usage: capview --paths [--csv FILE] [--lat-first] [--routes FILE] nodefile pathtable [htmlfile]\n";
// What --help prints after the three usage lines.
const char* const kHelpBody =
    "\n"
    "Shows a study at a glance. The first form reads what one capsweep run read\n"
    "and wrote (node list, netdata file, results table) and prints how\n"
    "restorable the network is. The second compares the result tables of a\n"
    "restoration experiment (one to four, each named by its simulator's tag:\n"
    "BASE.vtr.res, BASE.kmb.res, BASE.osp.res, BASE.dunv.res) span by span. The\n"
    "third shows a dualsweep table: every pair of spans cut at once. The fourth\n"
    "shows a pathsweep table: path restoration of every span, node and group\n"
    "failure, with the restoration routes of its run. Each form\n"
    "can also write its figures as CSV and as one self-contained HTML page\n"
    "(htmlfile; with --experiment, the last name when it ends in .html or .htm).\n"
    "No input is ever written over.\n"
    "\n"
    "options:\n"
    "  --csv FILE      write one CSV line per span (with --dual, per pair of\n"
    "                  spans; with --paths, per scenario) into FILE, under a\n"
    "                  line naming the version\n"
    "  --lat-first     the node list gives the latitude (or the vertical\n"
    "                  coordinate) first; by default the first runs east\n"
    "  --experiment    compare an experiment's result tables (the second form)\n"
    "  --results FILE  with --experiment: capsweep's results table of the same\n"
    "                  network, shown beside the methods\n"
    "  --dual          show a dualsweep table (the third form)\n"
    "  --paths         show a pathsweep table (the fourth form)\n"
    "  --routes FILE   with --paths: pathsweep's routes file of the same run, whose\n"
    "                  routes the page draws for a picked scenario\n"
    "  -h, --help      print this help and exit\n"
    "  --version       print the version and exit\n";
constexpr std::size_t kMostTables = 4;

struct Options {
  std::string csv, html;
  Axes axes = Axes::automatic;
  StudyFiles files;
  bool experiment = false;
  bool dual = false;                // a dualsweep table: files.results names it
  bool paths = false;               // a pathsweep table: files.results names it
  std::string routes;               // pathsweep's routes, beside its table
  std::vector<std::string> tables;  // the experiment's result tables
  std::string results;              // capsweep's, beside an experiment
};

// Whether the option stands among the options.
bool option_given(int argc, char** argv, const std::string& option) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--") return false;
    if (arg == option) return true;
  }
  return false;
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The experiment's names: the node list, the tables, and the page when the
// last name ends in .html or .htm. Returns false when they do not fit.
bool experiment_names(const std::vector<std::string>& names, Options& options) {
  std::size_t tables_end = names.size();
  if (!names.empty() && (ends_with(names.back(), ".html") || ends_with(names.back(), ".htm"))) {
    options.html = names.back();
    --tables_end;
  }
  if (tables_end < 2 || tables_end - 1 > kMostTables) return false;
  options.files.nodes = names[0];
  options.tables.assign(names.begin() + 1, names.begin() + static_cast<std::ptrdiff_t>(tables_end));
  return true;
}

// The file's whole text, or a message naming the file and the reason.
std::string read_input(const std::string& name, std::string& text) { return read_file_or_reason(name, text).text(); }

// Writes the text into the file, or returns a message naming the file.
std::string write_output(const std::string& name, const std::string& text) {
  return write_file_or_reason(name, text).text();
}

int fail(const std::string& message) {
  std::fprintf(stderr, "capview: %s\n", message.c_str());
  return 1;
}

// Fills options from the command line; returns -1 to go on, else the exit
// status to stop with.
int parse_command_line(int argc, char** argv, Options& options) {
  std::vector<std::string> names;
  bool options_done = false;
  options.experiment = option_given(argc, argv, "--experiment");
  options.dual = option_given(argc, argv, "--dual");
  options.paths = option_given(argc, argv, "--paths");
  if (options.experiment + options.dual + options.paths > 1) {
    // The forms given, named and their usages shown.
    std::vector<std::pair<const char*, const char*>> given;
    if (options.experiment) given.emplace_back("--experiment", kExperimentUsage);
    if (options.dual) given.emplace_back("--dual", kDualUsage);
    if (options.paths) given.emplace_back("--paths", kPathsUsage);
    std::string names, usages;
    for (std::size_t k = 0; k < given.size(); ++k) {
      names += std::string(k == 0 ? "" : k + 1 == given.size() ? " and " : ", ") + given[k].first;
      usages += given[k].second;
    }
    std::fprintf(stderr, "capview: %s do not go together\n%s", names.c_str(), usages.c_str());
    return 1;
  }
  const char* usage = options.experiment ? kExperimentUsage
                      : options.dual     ? kDualUsage
                      : options.paths    ? kPathsUsage
                                         : kUsage;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_done || arg.size() < 2 || arg[0] != '-') {
      names.push_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (options.experiment && arg == "--experiment") {
    } else if (options.dual && arg == "--dual") {
    } else if (options.paths && arg == "--paths") {
    } else if (options.paths && arg == "--routes" && i + 1 < argc) {
      options.routes = argv[++i];
    } else if (options.experiment && arg == "--results" && i + 1 < argc) {
      options.results = argv[++i];
    } else if (options.experiment && arg.rfind("--results=", 0) == 0 && arg.size() > 10) {
      options.results = arg.substr(10);
    } else if (!options.experiment && arg == "--lat-first") {
      options.axes = Axes::north_first;
    } else if (arg == "--csv" && i + 1 < argc) {
      options.csv = argv[++i];
    } else if (arg.rfind("--csv=", 0) == 0 && arg.size() > 6) {
      options.csv = arg.substr(6);
    } else {
      bool value_missing =
          arg == "--csv" || (options.experiment && arg == "--results") || (options.paths && arg == "--routes");
      std::fprintf(stderr, "capview: %s '%s'\n%s", value_missing ? "missing file name after" : "unknown option",
                   arg.c_str(), usage);
      return 1;
    }
  }
  if (options.experiment) {
    if (experiment_names(names, options)) return -1;
    std::fputs(kExperimentUsage, stderr);
    return 1;
  }
  if (options.dual || options.paths) {
    if (names.size() < 2 || names.size() > 3) {
      std::fputs(usage, stderr);
      return 1;
    }
    options.files.nodes = names[0];
    options.files.results = names[1];
    if (names.size() == 3) options.html = names[2];
    return -1;
  }
  if (names.size() < 3 || names.size() > 4) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  options.files = {names[0], names[1], names[2]};
  if (names.size() == 4) options.html = names[3];
  return -1;
}

// An output must not be one of the inputs, nor the other output.
std::string check_outputs(const Options& o) {
  std::vector<const std::string*> inputs;
  if (o.experiment) {
    inputs = {&o.files.nodes, &o.results};
    for (const std::string& table : o.tables) inputs.push_back(&table);
  } else {
    inputs = {&o.files.nodes, &o.files.netdata, &o.files.results, &o.routes};
  }
  for (const std::string* output : {&o.csv, &o.html}) {
    if (output->empty()) continue;
    for (const std::string* input : inputs)
      if (!input->empty() && same_file(*output, *input))
        return "refusing to write " + *output + ": it is the input file " + *input;
  }
  if (!o.csv.empty() && !o.html.empty() && same_file(o.csv, o.html))
    return "refusing to write the table and the page both into " + o.csv;
  return "";
}

struct Study {
  NodeList nodes;
  Netdata net;
  std::vector<SpanResult> spans;
};

std::string read_study(const StudyFiles& files, Study& study) {
  std::string node_text, net_text, results_text;
  std::string error = read_input(files.nodes, node_text);
  if (error.empty()) error = read_input(files.netdata, net_text);
  if (error.empty()) error = read_input(files.results, results_text);
  if (error.empty()) error = read_node_list(node_text, files.nodes, study.nodes).text();
  if (error.empty()) error = read_netdata(net_text, files.netdata, study.net).text();
  std::vector<ResultRow> rows;
  if (error.empty()) error = read_results(results_text, files.results, rows).text();
  if (error.empty()) error = match_results(study.nodes, study.net, rows, files, study.spans);
  return error;
}

// Reads the node list, the tables and capsweep's results (when named) and
// matches them span by span.
std::string read_experiment(const Options& o, Experiment& experiment) {
  std::string node_text;
  std::string error = read_input(o.files.nodes, node_text);
  std::vector<ExperimentInput> tables(o.tables.size());
  std::vector<std::string> texts(o.tables.size());
  for (std::size_t t = 0; t < o.tables.size() && error.empty(); ++t) error = read_input(o.tables[t], texts[t]);
  std::string results_text;
  if (error.empty() && !o.results.empty()) error = read_input(o.results, results_text);
  NodeList nodes;
  if (error.empty()) error = read_node_list(node_text, o.files.nodes, nodes).text();
  for (std::size_t t = 0; t < o.tables.size() && error.empty(); ++t) {
    tables[t].file = o.tables[t];
    error = studyfiles::read_experiment_table(texts[t], o.tables[t], tables[t].table).text();
  }
  std::vector<ResultRow> rows;
  if (error.empty() && !o.results.empty()) error = read_results(results_text, o.results, rows).text();
  if (error.empty()) error = match_experiment(nodes, o.files.nodes, tables, experiment);
  if (error.empty() && !o.results.empty()) error = add_capsweep_results(nodes, rows, o.results, experiment);
  return error;
}

// Reads the node list and the dualsweep table and places the table's spans
// on the node list.
std::string read_dual(const Options& o, NodeList& nodes, DualView& view) {
  std::string node_text, table_text;
  std::string error = read_input(o.files.nodes, node_text);
  if (error.empty()) error = read_input(o.files.results, table_text);
  if (error.empty()) error = read_node_list(node_text, o.files.nodes, nodes).text();
  studyfiles::DualTable table;
  if (error.empty()) error = studyfiles::read_dual_table(table_text, o.files.results, table).text();
  if (error.empty()) error = match_dual(nodes, o.files.nodes, o.files.results, std::move(table), view);
  return error;
}

int dual_main(const Options& options) {
  std::string error = check_outputs(options);
  NodeList nodes;
  DualView view;
  if (error.empty()) error = read_dual(options, nodes, view);
  if (!error.empty()) return fail(error);
  std::fputs(studyfiles::dual_summary_text(view.table).c_str(), stdout);
  std::fflush(stdout);
  if (!options.csv.empty()) error = write_output(options.csv, csv_file(studyfiles::dual_csv_text(view.table)));
  if (error.empty() && !options.html.empty()) error = write_output(options.html, dual_page(nodes, view, options.axes));
  return error.empty() ? 0 : fail(error);
}

// Reads the node list, the pathsweep table and its routes (when named) and
// places them on the node list.
std::string read_paths(const Options& o, NodeList& nodes, PathView& view) {
  std::string node_text, table_text, routes_text;
  std::string error = read_input(o.files.nodes, node_text);
  if (error.empty()) error = read_input(o.files.results, table_text);
  if (error.empty() && !o.routes.empty()) error = read_input(o.routes, routes_text);
  if (error.empty()) error = read_node_list(node_text, o.files.nodes, nodes).text();
  studyfiles::PathTable table;
  if (error.empty()) error = studyfiles::read_path_table(table_text, o.files.results, table).text();
  studyfiles::RoutesFile routes;
  if (error.empty() && !o.routes.empty()) error = studyfiles::read_routes_file(routes_text, o.routes, routes).text();
  if (error.empty())
    error = match_paths(nodes, o.files.nodes, o.files.results, std::move(table), o.routes,
                        o.routes.empty() ? nullptr : &routes, view);
  return error;
}

int paths_main(const Options& options) {
  std::string error = check_outputs(options);
  NodeList nodes;
  PathView view;
  if (error.empty()) error = read_paths(options, nodes, view);
  if (!error.empty()) return fail(error);
  std::fputs(studyfiles::path_summary_text(view.table).c_str(), stdout);
  std::fflush(stdout);
  if (!options.csv.empty()) error = write_output(options.csv, csv_file(studyfiles::path_csv_text(view.table)));
  if (error.empty() && !options.html.empty()) error = write_output(options.html, paths_page(nodes, view, options.axes));
  return error.empty() ? 0 : fail(error);
}

int experiment_main(const Options& options) {
  std::string error = check_outputs(options);
  Experiment experiment;
  if (error.empty()) error = read_experiment(options, experiment);
  if (!error.empty()) return fail(error);
  std::fputs(experiment_summary(experiment).c_str(), stdout);
  std::fflush(stdout);
  if (!options.csv.empty()) error = write_output(options.csv, csv_file(experiment_csv(experiment)));
  if (error.empty() && !options.html.empty()) error = write_output(options.html, experiment_page(experiment));
  return error.empty() ? 0 : fail(error);
}

}  // namespace

const ProgramInfo& program_info() {
  static const std::string help = std::string(kUsage) + kExperimentUsage + kDualUsage + kPathsUsage + kHelpBody;
  static const ProgramInfo info{"capview", help.c_str()};
  return info;
}

int capview_main(int argc, char** argv) {
  Options options;
  int status = parse_command_line(argc, argv, options);
  if (status >= 0) return status;
  if (options.experiment) return experiment_main(options);
  if (options.dual) return dual_main(options);
  if (options.paths) return paths_main(options);
  std::string error = check_outputs(options);
  Study study;
  if (error.empty()) error = read_study(options.files, study);
  if (!error.empty()) return fail(error);

  Summary summary = summarize(study.spans);
  std::fputs(summary_text(summary, study.spans, options.files).c_str(), stdout);
  std::fflush(stdout);
  if (!options.csv.empty()) error = write_output(options.csv, csv_file(csv_text(study.spans)));
  if (error.empty() && !options.html.empty())
    error = write_output(options.html, page_html(study.nodes, study.spans, summary, options.files, options.axes));
  return error.empty() ? 0 : fail(error);
}

}  // namespace capview
