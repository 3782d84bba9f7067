#include "command_line.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "cut.h"
#include "restoresim.h"
#include "scanner.h"
#include "text_format.h"
#include "wholefile.h"

namespace restoresim {

namespace {

std::optional<double> nonnegative_ms(const std::string& text) {
  FieldScanner f(text);
  const std::optional<double> v = f.next_decimal_word();
  if (!v || !f.nothing_left() || !(*v >= 0) || !std::isfinite(*v)) return std::nullopt;
  return v;
}

std::optional<int> nonnegative_int(const std::string& text) {
  FieldScanner f(text);
  const std::optional<long long> v = f.next_whole_word(32);
  if (!v || !f.nothing_left() || *v < 0) return std::nullopt;
  return static_cast<int>(*v);
}

std::string help_text(Method method) {
  const char* name = method_name(method);
  std::string text = text_printf(
      "usage: %s FILE /b=X-Y [/r=N] [/d=MS] [/x=MS] [/p=MS] [/t=N]\n"
      "       %s --help | --version\n"
      "\n"
      "%s: %s.\n"
      "Breaks the span /b= names in the network description FILE, simulates\n"
      "its restoration, writes the cut report on standard output and, when\n"
      "netres.%s.res exists in the current folder, appends the run's row to\n"
      "it. The options come in any order around FILE. Status 0; 1 after one\n"
      "line on standard error for bad input.\n"
      "\n"
      "  FILE      the network description, either version; any word that is no\n"
      "            option, an absolute path such as /home/study/net.rst too\n"
      "  /b=X-Y    the span to break: its two end nodes, by name or by number\n"
      "            from 1 to the node count, joined by '-'\n"
      "  /r=N      the repeat limit of every node, in spans (0: none); default:\n"
      "            each node's own\n"
      "  /d=MS     the failure detection time in ms; default 10\n"
      "  /x=MS     the cross-connect time in ms, added to the handling of each\n"
      "            confirmation or connect message; default 5\n"
      "  /p=MS     the message processing delay of every node in ms; default:\n"
      "            each node's own\n",
      name, name, name, method_title(method), method_tag(method));
  text += method == Method::dunvar
              ? "  /t=N      the further attempts of a blocked working path; default 3\n"
              : text_printf("  /t=N      dunvar's further attempts of a blocked working path;\n"
                            "            accepted, and not used by %s\n",
                            name);
  text +=
      "  --help, -h  this text\n"
      "  --version   the version line\n";
  return text;
}

int refuse(Method method, const Error& error) {
  std::fprintf(stderr, "%s: %s\n", method_name(method), error.text().c_str());
  return 1;
}

}  // namespace

Error parse_command_line(const std::vector<std::string>& args, CommandLine& line) {
  bool have_file = false, have_cut = false;
  for (const std::string& word : args) {
    // An option is '/', a name and '='; any other word, such as the
    // absolute path /home/net.rst, is the file name.
    const std::size_t equals = word.find('=');
    const bool option = !word.empty() && word[0] == '/' && equals != std::string::npos &&
                        word.find('/', 1) > equals;
    if (!option) {
      if (have_file) return Error::of("one netrestore file only: \"" + word + "\"");
      line.file_name = word;
      have_file = true;
      continue;
    }
    const std::string key = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    const auto bad_value = [&](const char* what) {
      return Error::of("option \"" + word + "\": expected " + what);
    };
    if (key == "/b") {
      if (value.empty()) return bad_value("the two end nodes of a span, joined by '-'");
      line.cut_word = value;
      have_cut = true;
    } else if (key == "/r") {
      const std::optional<int> v = nonnegative_int(value);
      if (!v) return bad_value("a whole number of spans, 0 for no limit");
      line.options.repeat_limit = *v;
    } else if (key == "/t") {
      const std::optional<int> v = nonnegative_int(value);
      if (!v) return bad_value("a whole number of attempts");
      line.options.retries = *v;
    } else if (key == "/d" || key == "/x" || key == "/p") {
      const std::optional<double> v = nonnegative_ms(value);
      if (!v) return bad_value("a time in ms, 0 or more");
      (key == "/d" ? line.options.detection_ms : key == "/x" ? line.options.crossconnect_ms : line.options.delay_ms) = *v;
    } else {
      return Error::of("unknown option \"" + word + "\"");
    }
  }
  if (!have_file) return Error::of("no netrestore file named");
  if (!have_cut) return Error::of("no span to break: expected /b=X-Y");
  return Error();
}

void apply_options(const Options& options, Network& net) {
  for (int n = 1; n <= net.node_count(); ++n) {
    if (options.repeat_limit >= 0) net.nodes[n].repeat_limit = options.repeat_limit;
    if (options.delay_ms >= 0) net.nodes[n].delay_ms = options.delay_ms;
  }
}

ProgramInfo simulator_info(Method method) {
  static const std::vector<std::string> texts = {help_text(Method::vetrun), help_text(Method::kimber),
                                                 help_text(Method::ospel), help_text(Method::dunvar)};
  return ProgramInfo{method_name(method), texts[static_cast<std::size_t>(method)].c_str()};
}

int simulator_main(Method method, int argc, char** argv) {
  CommandLine line;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (Error e = parse_command_line(args, line)) return refuse(method, e);
  Network net;
  if (Error e = load_network(line.file_name, net)) return refuse(method, e);
  apply_options(line.options, net);
  Cut cut;
  if (Error e = resolve_cut(net, line.cut_word, cut)) return refuse(method, e);
  const RunResult r = run_method(method, net, cut, line.options);
  const std::string report = format_report(method, net, cut, line.options, r);
  std::fwrite(report.data(), 1, report.size(), stdout);
  if (std::fflush(stdout) != 0) return refuse(method, Error::of("can not write the cut report"));
  const std::string table = std::string("netres.") + method_tag(method) + ".res";
  std::error_code ec;
  if (std::filesystem::is_regular_file(table, ec)) {
    File f(std::fopen(table.c_str(), "a"));
    const std::string row = format_row(cut, r);
    if (!f || !write_and_finish(f, row)) return refuse(method, Error::of("can not write " + table));
  }
  return 0;
}

}  // namespace restoresim
