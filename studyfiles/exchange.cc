#include "exchange.h"

#include <initializer_list>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

std::string format_answer(const Answer& a) {
  return text_printf("%d\n%lf\n%lf\n%lf\n", a.is_feas, a.elapsed_time, a.cpu_time, a.opt_cost);
}

std::optional<Answer> parse_answer(std::string_view text) {
  FieldScanner in(text);
  const std::optional<int> is_feas = in.next_based_int();
  if (!is_feas) return std::nullopt;
  Answer a;
  a.is_feas = *is_feas;
  for (double* value : {&a.elapsed_time, &a.cpu_time, &a.opt_cost}) {
    const std::optional<double> v = in.next_double();
    if (!v) return std::nullopt;
    *value = *v;
  }
  return a;
}

namespace {

// True when every value, as "%3d" prints it, takes exactly its three
// columns. Otherwise fields of a line written with nothing between them run
// together and could be split more than one way ("  1  1  21234567": cost
// 1234 and spare 567, or cost 123 and spare 4567); such a line is written
// with one blank between its fields instead.
bool fits_column(std::initializer_list<int> values) {
  for (int v : values) {
    if (v < -99 || v > 999) return false;
  }
  return true;
}

}  // namespace

std::string format_relax_input(int n_node, const std::vector<RelaxInputArc>& arcs, int source, int sink, int demand) {
  std::string text = text_printf("%d\n%d\n", n_node, static_cast<int>(arcs.size()));
  for (std::size_t k = 0; k < arcs.size(); ++k) {
    const RelaxInputArc& a = arcs[k];
    const int number = static_cast<int>(k + 1);
    text += text_printf(fits_column({number, a.from, a.to, a.cost, a.capacity}) ? "%3d%3d%3d%3d%3d\n" : "%d %d %d %d %d\n",
                        number, a.from, a.to, a.cost, a.capacity);
  }
  for (int n = 1; n <= n_node; ++n) {
    if (n == source || n == sink) {
      const int value = n == source ? -demand : demand;
      text += text_printf(fits_column({n, value}) ? "%3d%3d\n" : "%d %d\n", n, value);
    } else {
      text += text_printf("%d  %d\n", n, 0);
    }
  }
  return text;
}

std::string format_path_out(const PathOut& out) {
  std::string text = text_printf("FOR SPAN CUT %d TO %d DEMAND %lld\n", out.source, out.sink, out.demand);
  for (const PathRecord& path : out.paths) {
    text += text_printf("PATH\n%lld CHANNELS\n", path.bandwidth);
    for (int node : path.nodes) text += text_printf("%d\n", node);
    text += "-1\n";
  }
  text += text_printf("TOTAL_BANDWIDTH_RESTORED= %lld\n", out.routed);
  if (out.feasible) {
    text += text_printf("FEASIBLE COST %lld\n", out.cost);
  } else {
    text += text_printf("INFEASIBLE: %lld OF %lld ROUTED, COST %lld\n", out.routed, out.demand, out.cost);
  }
  return text;
}

namespace {

constexpr std::string_view kTotalWord = "TOTAL_BANDWIDTH_RESTORED=";

// True when the next words are these.
bool words_are(FieldScanner& in, std::initializer_list<std::string_view> expected) {
  for (std::string_view word : expected) {
    const std::optional<std::string> w = in.next_word();
    if (!w || *w != word) return false;
  }
  return true;
}

std::optional<int> whole_word(FieldScanner& in) {
  const std::optional<long long> n = in.next_whole_word(32);
  return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
}

// The rest of the title line after the end nodes: " DEMAND <demand>".
void read_demand(std::string_view rest, PathOut& out) {
  FieldScanner in(rest);
  if (!words_are(in, {"DEMAND"})) return;
  const std::optional<long long> demand = in.next_whole_word(64);
  if (demand && in.at_end()) out.demand = *demand;
}

// The line after the total: "FEASIBLE COST <cost>" or
// "INFEASIBLE: <routed> OF <demand> ROUTED, COST <cost>".
void read_verdict(std::string_view line, PathOut& out) {
  FieldScanner in(line);
  const std::optional<std::string> first = in.next_word();
  if (first == "INFEASIBLE:") {
    if (!in.next_whole_word(64) || !words_are(in, {"OF"}) || !in.next_whole_word(64) ||
        !words_are(in, {"ROUTED,"})) {
      return;
    }
  } else if (first != "FEASIBLE") {
    return;
  }
  if (!words_are(in, {"COST"})) return;
  const std::optional<long long> cost = in.next_whole_word(64);
  if (!cost || !in.at_end()) return;
  out.feasible = first == "FEASIBLE";
  out.cost = *cost;
}

// One path after its first word: "<bandwidth> <word>", the node numbers,
// -1. Returns false where the report ends early (the path, when begun, is
// kept with the nodes read).
bool read_path(FieldScanner& in, PathOutRead& read) {
  const std::optional<int> bandwidth = whole_word(in);
  if (!bandwidth || !in.next_word()) return false;
  PathRecord& path = read.record.paths.emplace_back();
  path.bandwidth = *bandwidth;
  for (;;) {
    const std::optional<int> node = whole_word(in);
    if (!node) {
      read.cut_short = true;
      return false;
    }
    if (*node == -1) return true;
    path.nodes.push_back(*node);
  }
}

}  // namespace

Error read_path_out(std::string_view text, PathOutRead& read, const std::string& file_name) {
  read = PathOutRead{};
  PathOut& out = read.record;
  FieldScanner in(text);
  const auto no_title = [&file_name] { return Error::at(file_name, 1, "expected FOR SPAN CUT and the two end nodes"); };
  if (!words_are(in, {"FOR", "SPAN", "CUT"})) return no_title();
  const std::optional<int> source = whole_word(in);
  const std::optional<std::string> between = in.next_word();
  const std::optional<int> sink = whole_word(in);
  if (!source || !between || !sink) return no_title();
  out.source = *source;
  out.sink = *sink;
  read_demand(in.rest_of_line(), out);
  for (;;) {
    const std::optional<std::string> word = in.next_word();
    if (!word) break;
    if (*word == kTotalWord) {
      const std::optional<int> total = whole_word(in);
      if (!total) break;
      read.has_total = true;
      out.routed = *total;
      read.closing_line = in.next_line();
      if (read.closing_line) read_verdict(*read.closing_line, out);
      break;
    }
    if (!read_path(in, read)) break;
  }
  return {};
}

std::string format_path_l_title(const PathOutRead& read, const NodeNameOf& name_of) {
  return text_printf("FOR SPAN CUT %s-%s, RESTORATION PATHS FOUND:\n", name_of(read.record.source).c_str(),
                     name_of(read.record.sink).c_str());
}

std::string format_path_l_lines(const PathOutRead& read, const NodeNameOf& name_of) {
  std::string text;
  for (const PathRecord& path : read.record.paths) {
    text += text_printf("BW=%lld PATH=(", path.bandwidth);
    for (int node : path.nodes) text += " " + name_of(node);
    text += ")\n";
  }
  if (read.has_total) {
    text += text_printf("%s%lld\n", std::string(kTotalWord).c_str(), read.record.routed);
    if (read.closing_line) text += *read.closing_line + "\n";
  }
  return text;
}

std::string format_path_l(const PathOutRead& read, const NodeNameOf& name_of) {
  return format_path_l_title(read, name_of) + format_path_l_lines(read, name_of);
}

}  // namespace studyfiles
