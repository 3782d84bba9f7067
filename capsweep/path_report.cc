#include "path_report.h"

#include <cstdio>

#include "exchange.h"
#include "scanner.h"
#include "shell.h"
#include "textio.h"

namespace {

constexpr int kStatusPathMissing = 4;
constexpr int kStatusPathWrite = 1;
constexpr int kStatusPathBad = 1;
constexpr std::string_view kTotalWord = "TOTAL_BANDWIDTH_RESTORED=";

// Words of the report, white space skipped as "%s" and "%d" skip it.
class WordReader {
 public:
  explicit WordReader(std::string_view text) : scanner_(text) {}

  std::optional<std::string> word() { return scanner_.next_word(); }
  std::optional<int> number() {
    std::optional<long long> n = scanner_.next_whole_word(32);
    return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
  }
  // The rest of the current line, left unread.
  void skip_line() { scanner_.skip_line(); }
  // After white space, the text up to and including the next line feed.
  std::optional<std::string> line() { return scanner_.next_line(); }

 private:
  FieldScanner scanner_;
};

// "FOR SPAN CUT <a> <word> <b> ...": the two end nodes.
bool read_title(WordReader& in, PathReport& report) {
  for (std::string_view expected : {"FOR", "SPAN", "CUT"}) {
    std::optional<std::string> w = in.word();
    if (!w || *w != expected) return false;
  }
  std::optional<int> a = in.number();
  std::optional<std::string> between = in.word();
  std::optional<int> b = in.number();
  if (!a || !between || !b) return false;
  report.from = *a;
  report.to = *b;
  in.skip_line();
  return true;
}

// One path record after its first word: "<bandwidth> <word>", the node
// numbers, -1. Returns false where the report ends early.
bool convert_path(WordReader& in, const NodeNames& names, std::string& out) {
  std::optional<int> bandwidth = in.number();
  if (!bandwidth || !in.word()) return false;
  out += text_printf("BW=%d PATH=(", *bandwidth);
  for (;;) {
    std::optional<int> node = in.number();
    if (!node || *node == -1) {
      out += ")\n";
      return node.has_value();
    }
    out += " " + names.name_of(*node);
  }
}

}  // namespace

std::optional<PathReport> convert_report(std::string_view path_out, const NodeNames& names) {
  PathReport report;
  WordReader in(path_out);
  if (!read_title(in, report)) return std::nullopt;
  std::string& out = report.echo;
  for (;;) {
    std::optional<std::string> w = in.word();
    if (!w) break;
    if (*w == kTotalWord) {
      std::optional<int> total = in.number();
      if (!total) break;
      out += text_printf("%s%d\n", std::string(kTotalWord).c_str(), *total);
      if (std::optional<std::string> extra = in.line()) out += *extra + "\n";
      break;
    }
    if (!convert_path(in, names, out)) break;
  }
  report.path_l = text_printf("FOR SPAN CUT %s-%s, RESTORATION PATHS FOUND:\n", names.name_of(report.from).c_str(),
                            names.name_of(report.to).c_str()) +
                  out;
  return report;
}

std::string cut_directory_word(const std::string& netdata_name) { return path_word(netdata_name + ".ls"); }

std::string report_copy_name(const std::string& netdata_name, const NodeNames& names, const PathReport& report) {
  return netdata_name + ".ls/" + names.name_of(report.from) + "_" + names.name_of(report.to) + "cut.l";
}

void convert(const std::string& netdata_name, const NodeNames& names) {
  std::optional<std::string> text = read_whole_file(kPathFile);
  if (!text) stop_with(kStatusPathMissing, "can not open PATH.OUT for read\n");
  std::optional<PathReport> report = convert_report(*text, names);
  if (!report) stop_with(kStatusPathBad, "PATH.OUT:1: expected FOR SPAN CUT and the two end nodes\n");
  {
    File path_l = open_file(kPathLFile, "w");
    if (!path_l) stop_with(kStatusPathWrite, "fail to open PATH.L for write\n");
    if (!write_and_finish(path_l, report->path_l)) stop_with(kStatusPathWrite, "can not write PATH.L\n");
  }
  std::fwrite(report->echo.data(), 1, report->echo.size(), stdout);
  run_or_stop(std::string("cp ") + kPathLFile + " " + path_word(report_copy_name(netdata_name, names, *report)));
}
