#include "csv.h"

#include "csv_field.h"
#include "text_format.h"

using studyfiles::dual_percent;

std::string csv_text(const studyfiles::DualTable& t) {
  std::string out = "span_i,span_j,from_i,to_i,from_j,to_j,w_i,w_j,r_i,r_j,percent";
  out += t.has_bound ? ",bound\n" : "\n";
  for (const studyfiles::DualRow& r : t.rows) {
    const studyfiles::DualSpan& a = t.spans[static_cast<std::size_t>(r.i - 1)];
    const studyfiles::DualSpan& b = t.spans[static_cast<std::size_t>(r.j - 1)];
    out += text_printf("%d,%d,%s,%s,%s,%s,%d,%d,%d,%d,%.2f", r.i, r.j, csv_field(a.from).c_str(),
                       csv_field(a.to).c_str(), csv_field(b.from).c_str(), csv_field(b.to).c_str(), a.working,
                       b.working, r.r_i, r.r_j, dual_percent(t, r));
    out += t.has_bound ? text_printf(",%.2f\n", r.bound) : "\n";
  }
  return out;
}
