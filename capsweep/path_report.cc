#include "path_report.h"

#include <cstdio>

#include "exchange.h"
#include "shell.h"
#include "textio.h"

using studyfiles::NodeList;
using studyfiles::NodeNameOf;
using studyfiles::PathOutRead;
using studyfiles::format_path_l_lines;
using studyfiles::format_path_l_title;
using studyfiles::kPathFile;
using studyfiles::kPathLFile;
using studyfiles::read_path_out;

namespace {

constexpr int kStatusPathMissing = 4;
constexpr int kStatusPathWrite = 1;
constexpr int kStatusPathBad = 1;

PathReport report_of(const PathOutRead& read, const NodeList& nodes) {
  const NodeNameOf name_of = [&nodes](int node) { return nodes.name_of(node); };
  PathReport report;
  report.from = read.record.source;
  report.to = read.record.sink;
  report.echo = format_path_l_lines(read, name_of);
  report.path_l = format_path_l_title(read, name_of) + report.echo;
  return report;
}

}  // namespace

std::optional<PathReport> convert_report(std::string_view path_out, const NodeList& nodes) {
  PathOutRead read;
  if (read_path_out(path_out, read)) return std::nullopt;
  return report_of(read, nodes);
}

std::string cut_directory_word(const std::string& netdata_name) { return path_word(netdata_name + ".ls"); }

std::string report_copy_name(const std::string& netdata_name, const NodeList& nodes, const PathReport& report) {
  return netdata_name + ".ls/" + nodes.name_of(report.from) + "_" + nodes.name_of(report.to) + "cut.l";
}

void convert(const std::string& netdata_name, const NodeList& nodes) {
  std::optional<std::string> text = read_whole_file(kPathFile);
  if (!text) stop_with(kStatusPathMissing, "can not open PATH.OUT for read\n");
  PathOutRead read;
  if (const Error error = read_path_out(*text, read)) stop_with(kStatusPathBad, (error.text() + "\n").c_str());
  const PathReport report = report_of(read, nodes);
  {
    File path_l = open_file(kPathLFile, "w");
    if (!path_l) stop_with(kStatusPathWrite, "fail to open PATH.L for write\n");
    if (!write_and_finish(path_l, report.path_l)) stop_with(kStatusPathWrite, "can not write PATH.L\n");
  }
  std::fwrite(report.echo.data(), 1, report.echo.size(), stdout);
  run_or_stop(std::string("cp ") + kPathLFile + " " + path_word(report_copy_name(netdata_name, nodes, report)));
}
