#include "csv.h"

#include "csv_field.h"
#include "experiment.h"
#include "text_format.h"
#include "version.h"

namespace capview {

std::string csv_text(const std::vector<SpanResult>& spans) {
  std::string out = "span,from,to,working,restored,percent,feasible\n";
  for (const SpanResult& span : spans) {
    out += text_printf("%d,%s,%s,%d,%d,%.2f,%s\n", span.span, csv_field(span.from).c_str(), csv_field(span.to).c_str(),
                       span.working, span.restored, percent_restored(span), span.feasible ? "Y" : "N");
  }
  return out;
}

std::string csv_file(const std::string& table) { return "# " + written_by("capview") + "\n" + table; }

std::string experiment_csv(const Experiment& e) {
  std::string out = "span,from,to,lost,bound";
  for (const MethodRun& run : e.methods) {
    const char* name = kMethodNames[run.method].name;
    out += text_printf(",%s_restored,%s_ms", name, name);
  }
  if (!e.results_file.empty()) out += ",capsweep_restored";
  out += "\n";
  for (const ExperimentSpan& span : e.spans) {
    out += text_printf("%d,%s,%s,%d,%d", span.span, csv_field(span.from).c_str(), csv_field(span.to).c_str(),
                       span.lost, span.bound);
    for (std::size_t m = 0; m < span.restored.size(); ++m)
      out += text_printf(",%d,%.3f", span.restored[m], span.last_ms[m]);
    if (!e.results_file.empty()) out += text_printf(",%d", span.capsweep_restored);
    out += "\n";
  }
  return out;
}

}  // namespace capview
