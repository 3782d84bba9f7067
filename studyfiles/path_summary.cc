#include "path_summary.h"

#include <algorithm>
#include <cstdlib>

#include "csv_field.h"
#include "distance.h"
#include "dual_summary.h"
#include "text_format.h"

namespace studyfiles {

namespace {

constexpr std::size_t kWorstScenarios = 10;
constexpr std::size_t kWorstDemands = 10;
constexpr const char* kKinds[] = {"span", "node", "group"};

std::string count_line(const char* word, long long n) { return text_printf("  %-19s%8lld\n", word, n); }

void append_kind(const PathTable& t, const char* kind, std::string& out) {
  long long scenarios = 0, hit = 0, affected = 0, restored = 0, ending = 0, full = 0, short_rows = 0;
  double short_by = 0.0;
  for (const PathRow& r : t.rows) {
    if (r.kind != kind) continue;
    ++scenarios;
    hit += static_cast<long long>(r.affected) + r.ending;
    affected += r.affected;
    restored += r.restored;
    ending += r.ending;
    if (r.restored == r.affected) ++full;
    if (t.has_bound && static_cast<double>(r.restored) + 0.005 < r.bound) {
      ++short_rows;
      short_by += r.bound - r.restored;
    }
  }
  out += text_printf("%-21s%8lld\n", (std::string(kind) + " scenarios").c_str(), scenarios);
  out += text_printf("  R %-5s%12.2f%%\n", kind, affected > 0 ? static_cast<double>(restored) * 100.0 / static_cast<double>(affected) : 100.0);
  out += count_line("paths hit", hit);
  out += count_line("affected", affected);
  out += count_line("restored", restored);
  if (std::string(kind) != "span") {
    out += text_printf("  %-19s%8lld", "ending", ending);
    out += hit > 0 ? text_printf("  (%.2f%% of the paths hit)\n", static_cast<double>(ending) * 100.0 / static_cast<double>(hit)) : "\n";
  }
  out += count_line("fully restored", full);
  if (t.has_bound)
    out += text_printf("  %-19s%8lld  (%.2f paths short of the bound in all)\n", "below the bound", short_rows, short_by);
}

void append_worst(const PathTable& t, std::string& out) {
  const std::vector<std::size_t> order = least_restorable(t, kWorstScenarios);
  if (order.empty()) {
    out += "\nevery scenario restores all it affects\n";
    return;
  }
  out += text_printf("\nthe %zu least restorable scenarios\n  %-5s %-15s %-15s %-15s %8s %8s %8s %8s\n", order.size(), "kind",
                     "name", "from", "to", "affected", "ending", "restored", "R");
  for (std::size_t i : order) {
    const PathRow& r = t.rows[i];
    std::string from, to;
    if (r.kind == "span") {
      const PathSpan& s = t.spans[static_cast<std::size_t>(std::atoi(r.name.c_str()) - 1)];
      from = s.from;
      to = s.to;
    }
    out += text_printf("  %-5s %-15s %-15s %-15s %8d %8d %8d %7.2f%%\n", r.kind.c_str(), r.name.c_str(), from.c_str(),
                       to.c_str(), r.affected, r.ending, r.restored, path_percent(r));
  }
}

void append_availability(const PathTable& t, std::string& out) {
  std::string rates;
  if (!t.cut_rate.empty())
    rates += t.cut_rate + " cuts a year per 1,000 km (lengths: the cost field in " + t.length_unit + ")";
  if (!t.node_rate.empty()) rates += (rates.empty() ? "" : ", ") + t.node_rate + " failures a year per node";
  out += "\navailability: " + rates + ", repaired in " + t.repair_hours + " h\n";
  const PathAvailability a = path_availability_of(t);
  out += "  working paths down at a random moment\n";
  out += text_printf("    ending at a failed node %14.6e\n", a.ending);
  out += text_printf("    unrestored              %14.6e\n", a.unrestored);
  out += text_printf("    all                     %14.6e\n", a.ending + a.unrestored);
  out += "  path-hours down a year\n";
  out += text_printf("    ending at a failed node %14.2f\n", a.ending * kHoursPerYear);
  out += text_printf("    unrestored              %14.2f\n", a.unrestored * kHoursPerYear);
  out += text_printf("    all                     %14.2f\n", (a.ending + a.unrestored) * kHoursPerYear);
  const std::vector<std::size_t> order = least_available(t, kWorstDemands);
  out += text_printf("  the %zu least available demands\n    %-15s %-15s %6s %15s\n", order.size(), "from", "to", "paths",
                     "unavailability");
  for (std::size_t i : order) {
    const PathDemand& d = t.demands[i];
    out += text_printf("    %-15s %-15s %6d %15.6e\n", d.from.c_str(), d.to.c_str(), d.paths, d.unavailability);
  }
}

}  // namespace

double row_unavailability(const PathTable& t, const PathRow& row) {
  const double hours = std::strtod(t.repair_hours.c_str(), nullptr);
  if (row.kind == "span" && !t.cut_rate.empty()) {
    const PathSpan& s = t.spans[static_cast<std::size_t>(std::atoi(row.name.c_str()) - 1)];
    const double km = s.length * (t.length_unit == "miles" ? kKmPerMile : 1.0);
    return std::strtod(t.cut_rate.c_str(), nullptr) * km / 1000.0 * hours / kHoursPerYear;
  }
  if (row.kind == "node" && !t.node_rate.empty()) return std::strtod(t.node_rate.c_str(), nullptr) * hours / kHoursPerYear;
  return 0.0;
}

PathAvailability path_availability_of(const PathTable& t) {
  PathAvailability a;
  for (const PathRow& r : t.rows) {
    const double u = row_unavailability(t, r);
    a.ending += u * r.ending;
    a.unrestored += u * (r.affected - r.restored);
  }
  return a;
}

std::vector<std::size_t> least_restorable(const PathTable& t, std::size_t most) {
  std::vector<std::size_t> order;
  for (std::size_t k = 0; k < t.rows.size(); ++k)
    if (t.rows[k].restored < t.rows[k].affected) order.push_back(k);
  const std::size_t shown = std::min(most, order.size());
  // restored / affected, with nothing affected as 1 / 1.
  const auto fraction = [&](std::size_t i) {
    const PathRow& r = t.rows[i];
    return r.affected > 0 ? std::make_pair<long long, long long>(r.restored, r.affected) : std::make_pair(1LL, 1LL);
  };
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown), order.end(),
                    [&](std::size_t a, std::size_t b) {
                      const auto [ra, aa] = fraction(a);
                      const auto [rb, ab] = fraction(b);
                      const __int128 lhs = static_cast<__int128>(ra) * ab, rhs = static_cast<__int128>(rb) * aa;
                      return lhs != rhs ? lhs < rhs : a < b;
                    });
  order.resize(shown);
  return order;
}

std::vector<std::size_t> least_available(const PathTable& t, std::size_t most) {
  std::vector<std::size_t> order(t.demands.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  const std::size_t shown = std::min(most, order.size());
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown), order.end(),
                    [&](std::size_t a, std::size_t b) {
                      const double ua = t.demands[a].unavailability, ub = t.demands[b].unavailability;
                      return ua != ub ? ua > ub : a < b;
                    });
  order.resize(shown);
  return order;
}

std::string path_summary_text(const PathTable& t) {
  std::string out = text_printf("path restoration of %s over %s (nodes %s)\n", t.paths_file.c_str(), t.netdata_file.c_str(),
                                t.nodes_file.c_str());
  out += count_line("working paths", t.paths);
  out += count_line("demands", t.demand_count);
  out += text_printf("  %-19s%8s\n", "stub release", t.stub_release ? "yes" : "no");
  out += t.max_spans > 0 ? count_line("most spans a route", t.max_spans) : text_printf("  %-19s%8s\n", "most spans a route", "any");
  for (const char* kind : kKinds)
    if (t.fail.find(std::string(kind) + "s") != std::string::npos) append_kind(t, kind, out);
  append_worst(t, out);
  if (t.has_availability()) append_availability(t, out);
  return out;
}

std::string path_csv_text(const PathTable& t) {
  std::string out = "kind,name,from,to,affected,ending,restored,restorability";
  out += t.has_bound ? ",bound\n" : "\n";
  for (const PathRow& r : t.rows) {
    std::string from, to;
    if (r.kind == "span") {
      const PathSpan& s = t.spans[static_cast<std::size_t>(std::atoi(r.name.c_str()) - 1)];
      from = s.from;
      to = s.to;
    }
    out += r.kind + "," + csv_field(r.name) + "," + csv_field(from) + "," + csv_field(to) +
           text_printf(",%d,%d,%d,%.2f", r.affected, r.ending, r.restored, path_percent(r));
    out += t.has_bound ? text_printf(",%.2f\n", r.bound) : "\n";
  }
  return out;
}

}  // namespace studyfiles
