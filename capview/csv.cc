#include "csv.h"

#include "csv_field.h"
#include "text_format.h"

std::string csv_text(const std::vector<SpanResult>& spans) {
  std::string out = "span,from,to,working,restored,percent,feasible\n";
  for (const SpanResult& span : spans) {
    out += text_printf("%d,%s,%s,%d,%d,%.2f,%s\n", span.span, csv_field(span.from).c_str(), csv_field(span.to).c_str(),
                       span.working, span.restored, percent_restored(span), span.feasible ? "Y" : "N");
  }
  return out;
}
