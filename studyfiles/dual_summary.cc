#include "dual_summary.h"

#include <algorithm>
#include <cstdlib>

#include "csv_field.h"
#include "distance.h"
#include "text_format.h"

namespace studyfiles {

namespace {

constexpr int kBarWidth = 40;
constexpr std::size_t kWorst = 20;

std::string percent_line(const char* word, bool defined, double percent) {
  if (!defined) return text_printf("  %-11s%8s\n", word, "-");
  return text_printf("  %-11s%8.2f%%\n", word, percent);
}

long long lost(const DualTable& t, const DualRow& r) {
  return static_cast<long long>(t.spans[static_cast<std::size_t>(r.i - 1)].working) +
         t.spans[static_cast<std::size_t>(r.j - 1)].working;
}

void append_histogram(const DualTable& t, std::string& out) {
  int counts[10] = {};
  for (const DualRow& r : t.rows) {
    const long long bucket = static_cast<long long>(dual_percent(t, r) / 10.0);
    ++counts[std::clamp(bucket, 0LL, 9LL)];
  }
  const int most = *std::max_element(std::begin(counts), std::end(counts));
  out += "\nR_ij per pair\n";
  for (int b = 0; b < 10; ++b) {
    const int bar = most > 0 ? static_cast<int>(static_cast<long long>(counts[b]) * kBarWidth / most) : 0;
    const std::string label = text_printf("%d-%d%%", b * 10, b * 10 + 10);
    out += text_printf("  %8s |%-*s %d\n", label.c_str(), kBarWidth, std::string(static_cast<std::size_t>(bar), '#').c_str(),
                       counts[b]);
  }
}

void append_worst(const DualTable& t, std::string& out) {
  const std::vector<std::size_t> order = worst_pairs(t, kWorst);
  const std::size_t shown = order.size();
  out += text_printf("\nthe %zu worst pairs\n  %5s %5s  %-15s %-15s %-15s %-15s %6s %6s %6s %6s %8s\n", shown, "span",
                     "span", "from", "to", "from", "to", "w_i", "w_j", "r_i", "r_j", "R_ij");
  for (std::size_t k = 0; k < shown; ++k) {
    const DualRow& r = t.rows[order[k]];
    const DualSpan& a = t.spans[static_cast<std::size_t>(r.i - 1)];
    const DualSpan& b = t.spans[static_cast<std::size_t>(r.j - 1)];
    out += text_printf("  %5d %5d  %-15s %-15s %-15s %-15s %6d %6d %6d %6d %7.2f%%\n", r.i, r.j, a.from.c_str(),
                       a.to.c_str(), b.from.c_str(), b.to.c_str(), a.working, b.working, r.r_i, r.r_j,
                       dual_percent(t, r));
  }
}

void append_availability(const DualTable& t, std::string& out) {
  const Availability a = availability_of(t);
  const double total = a.single + a.dual;
  out += text_printf("\navailability: %s cuts a year per 1,000 km, repaired in %s h (lengths: the cost field in %s)\n",
                     t.cut_rate.c_str(), t.repair_hours.c_str(), t.length_unit.c_str());
  out += "  working channels lost at a random moment\n";
  out += text_printf("    single cuts         %14.6e\n", a.single);
  out += text_printf("    dual cuts           %14.6e\n", a.dual);
  out += "  channel-hours lost a year\n";
  out += text_printf("    single cuts         %14.2f\n", a.single * kHoursPerYear);
  out += text_printf("    dual cuts           %14.2f\n", a.dual * kHoursPerYear);
  out += text_printf("    all                 %14.2f\n", total * kHoursPerYear);
  if (total > 0.0)
    out += text_printf("  the dual pairs cause %.2f%% of the channel-hours lost\n", a.dual / total * 100.0);
  else
    out += "  no channel-hours are lost\n";
}

}  // namespace

std::vector<std::size_t> worst_pairs(const DualTable& t, std::size_t most) {
  std::vector<std::size_t> order(t.rows.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  const std::size_t shown = std::min(most, order.size());
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown), order.end(),
                    [&](std::size_t a, std::size_t b) {
                      const DualRow& x = t.rows[a];
                      const DualRow& y = t.rows[b];
                      const __int128 lhs = static_cast<__int128>(x.r_i + static_cast<long long>(x.r_j)) * lost(t, y);
                      const __int128 rhs = static_cast<__int128>(y.r_i + static_cast<long long>(y.r_j)) * lost(t, x);
                      if (lhs != rhs) return lhs < rhs;
                      return a < b;
                    });
  order.resize(shown);
  return order;
}

double unavailability(const DualTable& t, int k) {
  const double rate = std::strtod(t.cut_rate.c_str(), nullptr);
  const double hours = std::strtod(t.repair_hours.c_str(), nullptr);
  const double km = t.spans[static_cast<std::size_t>(k - 1)].cost * (t.length_unit == "miles" ? kKmPerMile : 1.0);
  return rate * km / 1000.0 * hours / kHoursPerYear;
}

Availability availability_of(const DualTable& t) {
  Availability a;
  for (std::size_t k = 0; k < t.spans.size(); ++k) {
    const DualSpan& s = t.spans[k];
    a.single += unavailability(t, static_cast<int>(k) + 1) * (s.working - s.restored);
  }
  for (const DualRow& r : t.rows)
    a.dual += unavailability(t, r.i) * unavailability(t, r.j) *
              static_cast<double>(lost(t, r) - r.r_i - static_cast<long long>(r.r_j));
  return a;
}

std::string dual_summary_text(const DualTable& t) {
  std::string out = text_printf("dual-failure restorability of %s (nodes %s)\n", t.netdata_file.c_str(), t.nodes_file.c_str());
  double r1 = 0.0;
  int with_working = 0;
  for (const DualSpan& s : t.spans) {
    if (s.working <= 0) continue;
    r1 += static_cast<double>(s.restored) / s.working;
    ++with_working;
  }
  double r2 = 0.0;
  long long full = 0, none = 0, short_pairs = 0;
  double short_by = 0.0;
  for (const DualRow& r : t.rows) {
    r2 += dual_percent(t, r);
    const long long restored = r.r_i + static_cast<long long>(r.r_j);
    if (restored == lost(t, r)) ++full;
    if (restored == 0) ++none;
    if (t.has_bound && static_cast<double>(restored) + 0.005 < r.bound) {
      ++short_pairs;
      short_by += r.bound - static_cast<double>(restored);
    }
  }
  out += text_printf("  %-19s%8zu\n", "spans", t.spans.size());
  out += text_printf("  %-19s%8zu\n", "pairs", t.rows.size());
  out += percent_line("R1", with_working > 0, with_working > 0 ? r1 * 100.0 / with_working : 0.0);
  out += percent_line("R2", !t.rows.empty(), t.rows.empty() ? 0.0 : r2 / static_cast<double>(t.rows.size()));
  out += text_printf("  %-19s%8lld\n", "fully restored", full);
  out += text_printf("  %-19s%8lld\n", "losing everything", none);
  if (t.has_bound)
    out += text_printf("  %-19s%8lld  (%.2f channels short of the bound in all)\n", "below the bound", short_pairs,
                       short_by);
  append_histogram(t, out);
  append_worst(t, out);
  if (!t.cut_rate.empty()) append_availability(t, out);
  return out;
}

std::string dual_csv_text(const DualTable& t) {
  std::string out = "span_i,span_j,from_i,to_i,from_j,to_j,w_i,w_j,r_i,r_j,percent";
  out += t.has_bound ? ",bound\n" : "\n";
  for (const DualRow& r : t.rows) {
    const DualSpan& a = t.spans[static_cast<std::size_t>(r.i - 1)];
    const DualSpan& b = t.spans[static_cast<std::size_t>(r.j - 1)];
    out += text_printf("%d,%d,%s,%s,%s,%s,%d,%d,%d,%d,%.2f", r.i, r.j, csv_field(a.from).c_str(),
                       csv_field(a.to).c_str(), csv_field(b.from).c_str(), csv_field(b.to).c_str(), a.working,
                       b.working, r.r_i, r.r_j, dual_percent(t, r));
    out += t.has_bound ? text_printf(",%.2f\n", r.bound) : "\n";
  }
  return out;
}

}  // namespace studyfiles
