#include "capview.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "csv.h"
#include "netdata.h"
#include "node_list.h"
#include "page.h"
#include "results.h"
#include "study.h"
#include "summary.h"
#include "textio.h"
#include "wholefile.h"

namespace {

const char* const kUsage = "usage: capview [--csv FILE] [--lat-first] nodefile netdatafile resultsfile [htmlfile]\n";

struct Options {
  std::string csv, html;
  Axes axes = Axes::automatic;
  StudyFiles files;
};

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
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_done || arg.size() < 2 || arg[0] != '-') {
      names.push_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--lat-first") {
      options.axes = Axes::north_first;
    } else if (arg == "--csv" && i + 1 < argc) {
      options.csv = argv[++i];
    } else if (arg.rfind("--csv=", 0) == 0 && arg.size() > 6) {
      options.csv = arg.substr(6);
    } else {
      std::fprintf(stderr, "capview: %s '%s'\n%s", arg == "--csv" ? "missing file name after" : "unknown option",
                   arg.c_str(), kUsage);
      return 1;
    }
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
  const std::string* inputs[] = {&o.files.nodes, &o.files.netdata, &o.files.results};
  for (const std::string* output : {&o.csv, &o.html}) {
    if (output->empty()) continue;
    for (const std::string* input : inputs)
      if (same_file(*output, *input)) return "refusing to write " + *output + ": it is the input file " + *input;
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

}  // namespace

int capview_main(int argc, char** argv) {
  Options options;
  int status = parse_command_line(argc, argv, options);
  if (status >= 0) return status;
  std::string error = check_outputs(options);
  Study study;
  if (error.empty()) error = read_study(options.files, study);
  if (!error.empty()) return fail(error);

  Summary summary = summarize(study.spans);
  std::fputs(summary_text(summary, study.spans, options.files).c_str(), stdout);
  std::fflush(stdout);
  if (!options.csv.empty()) error = write_output(options.csv, csv_text(study.spans));
  if (error.empty() && !options.html.empty())
    error = write_output(options.html, page_html(study.nodes, study.spans, summary, options.files, options.axes));
  return error.empty() ? 0 : fail(error);
}
