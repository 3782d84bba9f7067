#include "netimport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "csv.h"
#include "gml.h"
#include "sndlib.h"
#include "study.h"
#include "text_format.h"
#include "wholefile.h"
#include "words.h"

namespace {

constexpr int kFailure = 1;

// Printed after a wrong command line, and first in the help.
const char* const kUsage =
    "usage: netimport [--demand uniform|gravity|file] [--channels N] [--spare-ratio R]\n"
    "                 [--cost km|miles|hops|unit] [--force] INPUT STUDY_DIR\n"
    "  INPUT: a GML file (Internet Topology Zoo), an SNDlib native file, or nodes.csv,links.csv\n";

const char* const kHelpBody =
    "\n"
    "Makes a study folder from a network file: STUDY_DIR (created when absent)\n"
    "receives the node list nodes.txt, the netdata file net.dat, the path list\n"
    "paths.txt, the span list spans.txt and import.txt, the account of what was\n"
    "read and decided. The form of INPUT is recognised by its content. Unless the\n"
    "links give working channels, every pair of nodes gets a demand, routed on\n"
    "its shortest path by great-circle length. Nothing is written when the input\n"
    "is refused, and no file of an earlier import is written over without --force.\n"
    "\n"
    "options:\n"
    "  --demand MODEL   the demand between each pair of nodes: uniform (one\n"
    "                   unit; the default), gravity (the product of the two\n"
    "                   nodes' degrees) or file (SNDlib's DEMANDS; the default\n"
    "                   for an SNDlib file that has them)\n"
    "  --channels N     scale the demand to about N working channels in all\n"
    "  --spare-ratio R  give each span ceil(R x working) spare channels\n"
    "                   (default 0: a network to plan)\n"
    "  --cost KIND      the cost field of net.dat: km (the default) or miles\n"
    "                   (the span's length), hops or unit (1 for every span)\n"
    "  --force          write over the files of an earlier import\n"
    "  -h, --help       print this help and exit\n"
    "  --version        print the version and exit\n";

Error read_text(const std::string& name, std::string& text) {
  std::optional<std::string> read = read_whole_file(name);
  if (!read) return Error::of("can not read " + name);
  text = std::move(*read);
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return Error::of(name + ": empty file");
  return Error();
}

// The value of an option given as "--name value" or "--name=value".
bool option_value(int argc, char** argv, int& k, const std::string& name, std::string& value) {
  const std::string arg = argv[k];
  if (arg == name) {
    if (k + 1 >= argc) return false;
    value = argv[++k];
    return true;
  }
  if (arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

struct CommandLine {
  StudyOptions options;
  std::vector<std::string> args;
};

Error parse_command_line(int argc, char** argv, CommandLine& cl) {
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    std::string v;
    double number = 0;
    if (arg == "--force") {
      cl.options.force = true;
    } else if (arg.rfind("--demand", 0) == 0 && option_value(argc, argv, k, "--demand", v)) {
      if (v == "uniform") cl.options.demand = DemandModel::kUniform;
      else if (v == "gravity") cl.options.demand = DemandModel::kGravity;
      else if (v == "file") cl.options.demand = DemandModel::kFile;
      else return Error::of("netimport: --demand takes uniform, gravity or file, not '" + shown(v) + "'");
    } else if (arg.rfind("--channels", 0) == 0 && option_value(argc, argv, k, "--channels", v)) {
      if (!parse_decimal(v, number) || number < 1 || number > 1.0e9 || number != static_cast<long long>(number))
        return Error::of("netimport: --channels takes a whole number from 1 to 1e9, not '" + shown(v) + "'");
      cl.options.channels = static_cast<long long>(number);
    } else if (arg.rfind("--spare-ratio", 0) == 0 && option_value(argc, argv, k, "--spare-ratio", v)) {
      if (!parse_decimal(v, number) || number < 0 || number > 1000)
        return Error::of("netimport: --spare-ratio takes a number from 0 to 1000, not '" + shown(v) + "'");
      cl.options.spare_ratio = number;
    } else if (arg.rfind("--cost", 0) == 0 && option_value(argc, argv, k, "--cost", v)) {
      if (v == "km") cl.options.cost = CostKind::kKm;
      else if (v == "miles") cl.options.cost = CostKind::kMiles;
      else if (v == "hops") cl.options.cost = CostKind::kHops;
      else if (v == "unit") cl.options.cost = CostKind::kUnit;
      else return Error::of("netimport: --cost takes km, miles, hops or unit, not '" + shown(v) + "'");
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Error::of("netimport: unknown option or option without its value: " + shown(arg));
    } else {
      cl.args.push_back(arg);
    }
  }
  if (cl.args.size() != 2) return Error::of("netimport: expected INPUT and STUDY_DIR");
  return Error();
}

}  // namespace

std::string form_of(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start != std::string_view::npos && text.substr(start, kSndlibMark.size()) == kSndlibMark) return "SNDlib native";
  // GML: the key graph followed by the opening of its list.
  for (std::size_t at = text.find("graph"); at != std::string_view::npos; at = text.find("graph", at + 1)) {
    const std::size_t next = text.find_first_not_of(" \t\r\n", at + 5);
    if (next != std::string_view::npos && text[next] == '[') return "GML";
  }
  return "";
}

Error read_network(const std::string& input, RawNetwork& out, std::vector<std::string>& inputs) {
  std::error_code ec;
  const std::size_t comma = input.find(',');
  if (comma != std::string::npos && !std::filesystem::exists(input, ec)) {
    const std::string nodes = input.substr(0, comma);
    const std::string links = input.substr(comma + 1);
    inputs = {nodes, links};
    std::string nodes_text;
    std::string links_text;
    if (Error e = read_text(nodes, nodes_text)) return e;
    if (Error e = read_text(links, links_text)) return e;
    return read_csv(nodes_text, nodes, links_text, links, out);
  }
  inputs = {input};
  std::string text;
  if (Error e = read_text(input, text)) return e;
  const std::string form = form_of(text);
  if (form == "SNDlib native") return read_sndlib(text, input, out);
  if (form == "GML") return read_gml(text, input, out);
  if (text.substr(0, text.find('\n')).find(',') != std::string::npos)
    return Error::of(input + ": a CSV network takes two files, given as nodes.csv,links.csv");
  return Error::of(input + ": neither GML (graph [ ... ]) nor SNDlib native (\"?SNDlib native format\" on its first line)");
}

const ProgramInfo& netimport_info() {
  static const std::string help = std::string(kUsage) + kHelpBody;
  static const ProgramInfo info{"netimport", help.c_str()};
  return info;
}

int netimport_main(int argc, char** argv) {
  CommandLine cl;
  if (Error e = parse_command_line(argc, argv, cl)) {
    std::fprintf(stderr, "%s\n%s", e.text().c_str(), kUsage);
    return kFailure;
  }
  RawNetwork raw;
  std::vector<std::string> inputs;
  StudyTexts texts;
  Error e = read_network(cl.args[0], raw, inputs);
  if (!e) e = make_study(raw, cl.options, texts);
  if (!e) e = write_study(cl.args[1], inputs, cl.options.force, texts);
  if (e) {
    std::fprintf(stderr, "%s\n", e.text().c_str());
    return kFailure;
  }
  for (const std::string& note : texts.notes) std::fprintf(stderr, "%s\n", note.c_str());
  std::printf("%s: %s (see %s/import.txt)\n", cl.args[1].c_str(), texts.summary.c_str(), cl.args[1].c_str());
  return 0;
}
