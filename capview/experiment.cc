#include "experiment.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "text_format.h"

using studyfiles::NodeList;
using studyfiles::ResultRow;

namespace capview {

namespace {

using SpanKey = std::pair<int, int>;  // the ends' node numbers, the smaller first

std::string at(const std::string& file, int line, const std::string& what) {
  return file + ":" + std::to_string(line) + ": " + what;
}

// The node a row's word names: a name of the node list, else a node number.
// 0 when it is neither.
int node_of(const NodeList& nodes, const std::string& word) {
  for (std::size_t k = 0; k < nodes.nodes.size(); ++k)
    if (nodes.nodes[k].name == word) return static_cast<int>(k) + 1;
  if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != std::string::npos) return 0;
  int number = std::stoi(word);
  return number >= 1 && number <= static_cast<int>(nodes.nodes.size()) ? number : 0;
}

// The span between the two words, or a message naming the line.
std::string span_key(const NodeList& nodes, const std::string& nodes_file, const std::string& from,
                     const std::string& to, const std::string& file, int line, SpanKey& key) {
  const int a = node_of(nodes, from), b = node_of(nodes, to);
  for (const auto& [node, word] : {std::pair(a, &from), std::pair(b, &to)}) {
    if (node == 0) return at(file, line, "node " + *word + " is neither a name nor a node number of " + nodes_file);
  }
  if (a == b) return at(file, line, "the row joins node " + from + " to itself");
  key = {std::min(a, b), std::max(a, b)};
  return "";
}

std::string span_name(const NodeList& nodes, const SpanKey& key) {
  return nodes.nodes[static_cast<std::size_t>(key.first - 1)].name + "-" +
         nodes.nodes[static_cast<std::size_t>(key.second - 1)].name;
}

std::size_t method_of(const std::string& tag) {
  for (std::size_t m = 0; m < kMethodCount; ++m)
    if (tag == kMethodNames[m].tag) return m;
  return kMethodCount;
}

// "vtr, kmb, osp or dunv"
std::string every_tag() {
  std::string text;
  for (std::size_t m = 0; m < kMethodCount; ++m)
    text += std::string(m == 0 ? "" : m + 1 < kMethodCount ? ", " : " or ") + kMethodNames[m].tag;
  return text;
}

struct SpanRow {
  const studyfiles::ExperimentRow* row;
  std::size_t table;
};

// Reads one table's rows into spans (the first table) or checks them
// against the spans of the first.
std::string match_table(const NodeList& nodes, const std::string& nodes_file,
                        const std::vector<ExperimentInput>& tables, std::size_t t,
                        std::map<SpanKey, std::vector<SpanRow>>& spans) {
  const ExperimentInput& input = tables[t];
  const std::string& first = tables[0].file;
  std::map<SpanKey, int> seen;  // the line of each span's row
  for (const studyfiles::ExperimentRow& row : input.table.rows) {
    SpanKey key;
    std::string error = span_key(nodes, nodes_file, row.from, row.to, input.file, row.line, key);
    if (!error.empty()) return error;
    std::string name = span_name(nodes, key);
    if (auto [it, fresh] = seen.emplace(key, row.line); !fresh)
      return at(input.file, row.line, text_printf("a second row for span %s (the first is line %d)", name.c_str(), it->second));
    if (row.restored > row.lost || row.restored > row.bound)
      return at(input.file, row.line,
                text_printf("the row restores %d channels, more than the %d lost or the bound of %d", row.restored,
                            row.lost, row.bound));
    auto found = spans.find(key);
    if (t == 0) {
      spans[key].push_back({&row, t});
      continue;
    }
    if (found == spans.end())
      return at(input.file, row.line,
                text_printf("span %s is not cut in %s: the tables cover different spans", name.c_str(), first.c_str()));
    const studyfiles::ExperimentRow& ref = *found->second.front().row;
    if (row.lost != ref.lost || row.bound != ref.bound)
      return at(input.file, row.line,
                text_printf("span %s lost %d with a bound of %d, but %d with a bound of %d in %s:%d", name.c_str(),
                            row.lost, row.bound, ref.lost, ref.bound, first.c_str(), ref.line));
    found->second.push_back({&row, t});
  }
  for (const auto& [key, rows] : spans) {
    if (!seen.count(key))
      return text_printf("%s: no row for span %s, which %s:%d cuts: the tables cover different spans",
                         input.file.c_str(), span_name(nodes, key).c_str(), first.c_str(), rows.front().row->line);
  }
  return "";
}

}  // namespace

std::string match_experiment(const NodeList& nodes, const std::string& nodes_file,
                             const std::vector<ExperimentInput>& tables, Experiment& experiment) {
  experiment = Experiment();
  experiment.nodes_file = nodes_file;
  // Which input holds each method's table.
  std::vector<std::size_t> input_of(kMethodCount, tables.size());
  for (std::size_t t = 0; t < tables.size(); ++t) {
    const ExperimentInput& input = tables[t];
    std::size_t m = method_of(input.table.tag);
    if (m == kMethodCount)
      return at(input.file, 1, "the title names method '" + input.table.tag + "', not " + every_tag());
    if (input_of[m] != tables.size())
      return at(input.file, 1,
                std::string("a second ") + kMethodNames[m].tag + " table (the first is " + tables[input_of[m]].file + ")");
    input_of[m] = t;
  }
  std::map<SpanKey, std::vector<SpanRow>> spans;
  for (std::size_t t = 0; t < tables.size(); ++t) {
    std::string error = match_table(nodes, nodes_file, tables, t, spans);
    if (!error.empty()) return error;
  }
  if (!tables.empty()) experiment.netrestore_file = tables[0].table.netrestore_file;
  for (std::size_t m = 0; m < kMethodCount; ++m)
    if (input_of[m] != tables.size()) experiment.methods.push_back({m, tables[input_of[m]].file});
  for (const auto& [key, rows] : spans) {
    ExperimentSpan span;
    span.span = static_cast<int>(experiment.spans.size()) + 1;
    span.from_node = key.first;
    span.to_node = key.second;
    span.from = nodes.nodes[static_cast<std::size_t>(key.first - 1)].name;
    span.to = nodes.nodes[static_cast<std::size_t>(key.second - 1)].name;
    span.lost = rows.front().row->lost;
    span.bound = rows.front().row->bound;
    for (const MethodRun& run : experiment.methods) {
      for (const SpanRow& r : rows) {
        if (r.table != input_of[run.method]) continue;
        span.restored.push_back(r.row->restored);
        span.last_ms.push_back(r.row->last_ms);
      }
    }
    experiment.spans.push_back(std::move(span));
  }
  return "";
}

std::string add_capsweep_results(const NodeList& nodes, const std::vector<ResultRow>& rows,
                                 const std::string& results_file, Experiment& experiment) {
  experiment.results_file = results_file;
  const std::string& first = experiment.methods.empty() ? std::string() : experiment.methods.front().file;
  for (const ResultRow& row : rows) {
    SpanKey key;
    std::string error = span_key(nodes, experiment.nodes_file, row.from, row.to, results_file, row.line, key);
    if (!error.empty()) return error;
    auto span = std::find_if(experiment.spans.begin(), experiment.spans.end(), [&](const ExperimentSpan& s) {
      return s.from_node == key.first && s.to_node == key.second;
    });
    if (span == experiment.spans.end())
      return at(results_file, row.line,
                text_printf("the row names %s-%s, a span that the experiment does not cut", row.from.c_str(),
                            row.to.c_str()));
    if (span->has_capsweep) continue;  // the other direction of a one-way table
    if (row.working != span->lost)
      return at(results_file, row.line,
                text_printf("the row shows working capacity %d, but span %s-%s lost %d in %s", row.working,
                            span->from.c_str(), span->to.c_str(), span->lost, first.c_str()));
    span->has_capsweep = true;
    span->capsweep_restored = row.restored;
  }
  for (const ExperimentSpan& span : experiment.spans) {
    if (!span.has_capsweep && span.lost > 0 && span.bound > 0)
      return text_printf("%s: no row for span %s-%s, which lost %d with a bound of %d: the results are of another network",
                         results_file.c_str(), span.from.c_str(), span.to.c_str(), span.lost, span.bound);
  }
  return "";
}

double restorability(long long restored, long long lost) {
  return lost > 0 ? static_cast<double>(restored) * 100.0 / static_cast<double>(lost) : 0.0;
}

Totals totals_of(const Experiment& experiment) {
  Totals totals;
  totals.restored.assign(experiment.methods.size(), 0);
  for (const ExperimentSpan& span : experiment.spans) {
    totals.lost += span.lost;
    totals.bound += std::min(span.lost, span.bound);
    totals.capsweep += span.capsweep_restored;
    for (std::size_t m = 0; m < span.restored.size(); ++m) totals.restored[m] += span.restored[m];
  }
  return totals;
}

double median_of(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double nearest_rank(std::vector<double> values, int percent) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  // ceil(percent * n / 100) in whole numbers, at least 1.
  std::size_t rank = (static_cast<std::size_t>(percent) * values.size() + 99) / 100;
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

TimeFigures time_figures(const Experiment& experiment, std::size_t method) {
  std::vector<double> times;
  for (const ExperimentSpan& span : experiment.spans)
    if (span.restored[method] > 0) times.push_back(span.last_ms[method]);
  TimeFigures figures;
  figures.spans = static_cast<int>(times.size());
  if (times.empty()) return figures;
  figures.median = median_of(times);
  figures.p90 = nearest_rank(times, 90);
  figures.largest = *std::max_element(times.begin(), times.end());
  return figures;
}

Spread spread_of(const ExperimentSpan& span) {
  Spread spread;
  if (span.restored.empty()) return spread;
  auto [low, high] = std::minmax_element(span.restored.begin(), span.restored.end());
  spread.restored = *high - *low;
  std::vector<double> times;
  for (std::size_t m = 0; m < span.restored.size(); ++m)
    if (span.restored[m] > 0) times.push_back(span.last_ms[m]);
  if (times.size() >= 2) {
    auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    spread.time = *slowest - *fastest;
  }
  return spread;
}

std::vector<std::size_t> most_different(const Experiment& experiment) {
  constexpr std::size_t kMost = 10;
  std::vector<std::size_t> order;
  std::vector<Spread> spreads;
  for (std::size_t i = 0; i < experiment.spans.size(); ++i) {
    spreads.push_back(spread_of(experiment.spans[i]));
    if (spreads.back().restored > 0 || spreads.back().time > 0.0) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (spreads[a].restored != spreads[b].restored) return spreads[a].restored > spreads[b].restored;
    return spreads[a].time > spreads[b].time;
  });
  if (order.size() > kMost) order.resize(kMost);
  return order;
}

namespace {

void append_restorability(const Experiment& e, const Totals& totals, std::string& out) {
  out += text_printf("\nnetwork restorability (restored of %lld working channels lost)\n", totals.lost);
  out += text_printf("  %-9s %9s %14s  %s\n", "method", "restored", "restorability", "source");
  auto line = [&](const char* who, long long restored, const std::string& from) {
    if (totals.lost > 0)
      out += text_printf("  %-9s %9lld        %6.2f%%  %s\n", who, restored, restorability(restored, totals.lost),
                         from.c_str());
    else
      out += text_printf("  %-9s %9lld %14s  %s\n", who, restored, "-", from.c_str());
  };
  line("bound", totals.bound, "the most that can be restored");
  for (std::size_t m = 0; m < e.methods.size(); ++m)
    line(kMethodNames[e.methods[m].method].name, totals.restored[m], e.methods[m].file);
  if (!e.results_file.empty()) line("capsweep", totals.capsweep, e.results_file);
}

void append_times(const Experiment& e, std::string& out) {
  out += "\nrestoration time in ms of the last path restored (spans with channels restored)\n";
  out += text_printf("  %-9s %6s %10s %10s %10s\n", "method", "spans", "median", "90th pct", "largest");
  for (std::size_t m = 0; m < e.methods.size(); ++m) {
    TimeFigures f = time_figures(e, m);
    const char* name = kMethodNames[e.methods[m].method].name;
    if (f.spans > 0)
      out += text_printf("  %-9s %6d %10.3f %10.3f %10.3f\n", name, f.spans, f.median, f.p90, f.largest);
    else
      out += text_printf("  %-9s %6d %10s %10s %10s\n", name, f.spans, "-", "-", "-");
  }
}

void append_differences(const Experiment& e, std::string& out) {
  if (e.methods.size() < 2) {
    out += "\none method only: no spans to compare\n";
    return;
  }
  std::vector<std::size_t> most = most_different(e);
  if (most.empty()) {
    out += "\nthe methods restore as much, as fast, on every span\n";
    return;
  }
  out += "\nspans where the methods differ most (channels restored, then time)\n";
  out += text_printf("  %5s  %-15s %-15s %6s %6s", "span", "from", "to", "lost", "bound");
  for (const MethodRun& run : e.methods) out += text_printf(" %8s", kMethodNames[run.method].name);
  out += text_printf(" %7s %12s\n", "spread", "time spread");
  for (std::size_t i : most) {
    const ExperimentSpan& span = e.spans[i];
    out += text_printf("  %5d  %-15s %-15s %6d %6d", span.span, span.from.c_str(), span.to.c_str(), span.lost,
                       span.bound);
    for (int restored : span.restored) out += text_printf(" %8d", restored);
    Spread spread = spread_of(span);
    out += text_printf(" %7d %12.3f\n", spread.restored, spread.time);
  }
}

}  // namespace

std::string experiment_summary(const Experiment& e) {
  std::string out = text_printf("restoration experiment on %s (nodes %s)\n", e.netrestore_file.c_str(),
                                e.nodes_file.c_str());
  out += text_printf("  spans cut                 %6zu\n", e.spans.size());
  out += text_printf("  methods                   %6zu\n", e.methods.size());
  Totals totals = totals_of(e);
  append_restorability(e, totals, out);
  append_times(e, out);
  append_differences(e, out);
  return out;
}

}  // namespace capview
