#include "results.h"

#include "plan_bounds.h"
#include "study.h"
#include "text_format.h"
#include "wholefile.h"

namespace capplan {

std::string result_text(const SpanNetwork& planned, const studyfiles::NodeList& nodes, const Plan& spare_plan,
                        const PlanBounds& bounds, const ResultLines& lines, double seconds) {
  long long working = 0, spare = 0, kept = 0;
  for (std::size_t k = 0; k < planned.spans.size(); ++k) {
    working += planned.spans[k].working;
    spare += spare_plan.spare[k];
    kept += planned.spans[k].spare;
  }
  std::string text = lines.heading + "\n";
  text += text_printf("  working channels   %12lld\n", working);
  text += text_printf("  spare channels     %12lld\n", spare);
  if (lines.kept_spare) {
    text += text_printf("    kept             %12lld\n", kept);
    text += text_printf("    added            %12lld\n", spare - kept);
  }
  if (working > 0)
    text += text_printf("  redundancy         %11.2f%%\n", 100.0 * static_cast<double>(spare) / static_cast<double>(working));
  else
    text += "  redundancy                    -\n";
  text += text_printf("  cost               %12lld%s\n", bounds.cost,
                      lines.cost_is.empty() ? "" : ("  (" + lines.cost_is + ")").c_str());
  for (const std::string& line : lines.after_cost) text += line;
  text += text_printf("  lower bound        %12lld%s\n", bounds.lower_bound,
                      bounds.optimal ? ("  (" + lines.optimal + ")").c_str() : "");
  if (lines.lp_bound) text += text_printf("  LP bound           %15.2f\n", bounds.lp_bound);
  text += lines.after_lp_bound;
  const double gap = gap_percent(bounds.cost, static_cast<double>(bounds.lower_bound));
  text += gap < 0 ? std::string("  gap                           -\n") : text_printf("  gap                %11.2f%%\n", gap);
  if (!bounds.note.empty()) text += "  (" + bounds.note + ")\n";
  text += text_printf("  time               %13.3f s\n", seconds);

  for (const std::string& line : lines.after_summary) text += line;
  const std::vector<int>& bridges = spare_plan.bridges;
  if (lines.proved.empty())
    text += text_printf("proved: %zu of %zu span cuts restore their whole working capacity over the planned spare\n",
                        planned.spans.size() - bridges.size(), planned.spans.size());
  else
    text += lines.proved;
  for (const std::string& line : lines.after_proof) text += line;
  for (int b : bridges)
    text += text_printf("bridge: %s: no other route joins its ends, no spare restores its %lld working channels\n",
                        span_name(planned, nodes, b).c_str(), planned.spans[b].working);
  for (const std::string& file : lines.written) text += "wrote " + file + "\n";
  if (!bridges.empty())
    text += text_printf("%zu %s: the plan restores every other cut\n", bridges.size(),
                        bridges.size() == 1 ? "span is a bridge" : "spans are bridges");
  return text;
}

Error write_outputs(const std::vector<Output>& outputs, ResultLines& lines) {
  for (const Output& output : outputs) {
    if (output.name.empty()) continue;
    if (Error error = write_text_file(output.name, output.text())) return error;
    lines.written.push_back(output.name);
  }
  return {};
}

int result_status(const Plan& spare) { return spare.bridges.empty() ? 0 : 2; }

}  // namespace capplan
