// The experiment's page: the summary, a chart with one row per span (the
// channels restored by each method over the bound, and each method's time),
// and the per-span table.
#include <algorithm>
#include <cmath>

#include "experiment.h"
#include "page.h"
#include "text_format.h"

namespace capview {

namespace {

// Colours of vetrun, kimber, ospel and dunvar, then capsweep's.
const char* const kMethodColours[kMethodCount] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#9467bd"};
const char* const kCapsweepColour = "#555555";
const char* const kBoundColour = "#d9d9d9";

constexpr double kLabelWidth = 150.0;  // span names, right-aligned before the first panel
constexpr double kPanelWidth = 340.0;
constexpr double kPanelGap = 60.0;
constexpr double kRightMargin = 30.0;
constexpr double kTop = 44.0;  // panel titles and the tick labels
constexpr double kBottom = 10.0;
constexpr double kBar = 6.0, kBarStep = 7.0, kRowPadding = 10.0;

const char* const kChartStyle =
    "#chart-figure{display:inline-block;background:#fff;padding:4px}\n"
    "#chart{border:1px solid #ddd;background:#fff;display:block;margin-top:6px}\n"
    "#chart .span-label{font-size:11px;fill:#111}\n"
    "#chart .tick{font-size:10px;fill:#555}\n"
    "#chart .panel-title{font-size:12px;fill:#111}\n"
    "#chart .bar:hover{opacity:0.6}\n";

// An axis from 0 to a round number at or above the largest value, with a
// tick every step (1, 2 or 5 times a power of ten; at most five steps).
struct Axis {
  double top = 1.0, step = 1.0;
};

Axis axis_for(double largest) {
  Axis axis;
  if (!(largest > 0.0)) return axis;
  double power = std::pow(10.0, std::floor(std::log10(largest / 5.0)));
  for (double factor : {1.0, 2.0, 5.0, 10.0}) {
    axis.step = power * factor;
    if (largest / axis.step <= 5.0) break;
  }
  axis.top = std::ceil(largest / axis.step - 1e-9) * axis.step;
  return axis;
}

struct Panel {
  double left = 0.0;
  Axis axis;
  double x(double value) const { return left + kPanelWidth * value / axis.top; }
};

void append_axis(const Panel& panel, const char* title, double bottom, std::string& out) {
  out += text_printf("<text class=\"panel-title\" x=\"%.1f\" y=\"14\">%s</text>\n", panel.left, title);
  int steps = static_cast<int>(std::lround(panel.axis.top / panel.axis.step));
  for (int i = 0; i <= steps; ++i) {
    double value = panel.axis.step * i;
    double x = panel.x(value);
    out += text_printf("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e4e4e4\"/>", x, kTop - 4.0, x,
                       bottom);
    out += text_printf("<text class=\"tick\" x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%g</text>\n", x, kTop - 8.0,
                       value);
  }
}

std::string span_title(const ExperimentSpan& span) {
  return text_printf("span %d: %s-%s", span.span, html_escaped(span.from).c_str(), html_escaped(span.to).c_str());
}

void append_bar(const Panel& panel, double y, double value, const char* kind, const char* method, const char* colour,
                const std::string& title, std::string& out) {
  out += text_printf(
      "<rect class=\"bar %s\" data-method=\"%s\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" "
      "fill=\"%s\"><title>%s</title></rect>\n",
      kind, method, panel.left, y, panel.x(value) - panel.left, kBar, colour, title.c_str());
}

void append_row(const Experiment& e, const ExperimentSpan& span, const Panel& channels, const Panel& time, double y,
                double height, std::string& out) {
  out += text_printf("<g class=\"span-row\" data-span=\"%d\">\n", span.span);
  const std::string name = span_title(span);
  out += text_printf("<text class=\"span-label\" x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%s-%s</text>\n",
                     kLabelWidth - 8.0, y + height / 2.0 + 4.0, html_escaped(span.from).c_str(),
                     html_escaped(span.to).c_str());
  double inner = y + kRowPadding / 2.0;
  double bars = height - kRowPadding;
  out += text_printf(
      "<rect class=\"bound\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\">"
      "<title>%s, bound %d</title></rect>\n",
      channels.left, inner - 1.0, channels.x(span.bound) - channels.left, bars + 1.0, kBoundColour, name.c_str(),
      span.bound);
  out += text_printf(
      "<line class=\"lost\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#111111\" stroke-width=\"2\">"
      "<title>%s, lost %d</title></line>\n",
      channels.x(span.lost), inner - 3.0, channels.x(span.lost), inner + bars + 2.0, name.c_str(), span.lost);
  for (std::size_t m = 0; m < e.methods.size(); ++m) {
    std::size_t method = e.methods[m].method;
    const char* who = kMethodNames[method].name;
    double bar_y = inner + kBarStep * static_cast<double>(m);
    append_bar(channels, bar_y, span.restored[m], "restored", who, kMethodColours[method],
               text_printf("%s, %s restored %d of %d lost (bound %d)", name.c_str(), who, span.restored[m], span.lost,
                           span.bound),
               out);
    append_bar(time, bar_y, span.last_ms[m], "time", who, kMethodColours[method],
               text_printf("%s, %s: last path restored at %.3f ms", name.c_str(), who, span.last_ms[m]), out);
  }
  if (!e.results_file.empty())
    append_bar(channels, inner + kBarStep * static_cast<double>(e.methods.size()), span.capsweep_restored,
               "restored", "capsweep", kCapsweepColour,
               text_printf("%s, capsweep restored %d of %d lost", name.c_str(), span.capsweep_restored, span.lost), out);
  out += "</g>\n";
}

void append_legend(const Experiment& e, std::string& out) {
  std::vector<std::pair<std::string, std::string>> keys;  // colour, text
  keys.push_back({kBoundColour, "bound"});
  for (const MethodRun& run : e.methods) keys.push_back({kMethodColours[run.method], kMethodNames[run.method].name});
  if (!e.results_file.empty()) keys.push_back({kCapsweepColour, "capsweep"});
  double width = 110.0 * static_cast<double>(keys.size()) + 110.0;
  out += text_printf(
      "<svg id=\"chart-legend\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"22\" "
      "viewBox=\"0 0 %.0f 22\">\n",
      width, width);
  double x = 0.0;
  for (const auto& [colour, text] : keys) {
    out += text_printf(
        "<rect x=\"%.0f\" y=\"5\" width=\"14\" height=\"12\" fill=\"%s\"/>"
        "<text x=\"%.0f\" y=\"15\" font-size=\"12\">%s</text>\n",
        x, colour.c_str(), x + 19.0, text.c_str());
    x += 110.0;
  }
  out += text_printf(
      "<line x1=\"%.0f\" y1=\"3\" x2=\"%.0f\" y2=\"19\" stroke=\"#111111\" stroke-width=\"2\"/>"
      "<text x=\"%.0f\" y=\"15\" font-size=\"12\">lost</text>\n</svg>\n",
      x + 6.0, x + 6.0, x + 14.0);
}

void append_chart(const Experiment& e, std::string& out) {
  if (e.spans.empty()) {
    out += "<p>The tables cut no span: there is no chart to draw.</p>\n";
    return;
  }
  double most_channels = 0.0, most_time = 0.0;
  for (const ExperimentSpan& span : e.spans) {
    most_channels = std::max({most_channels, double(span.lost), double(span.bound), double(span.capsweep_restored)});
    for (std::size_t m = 0; m < span.restored.size(); ++m) {
      most_channels = std::max(most_channels, double(span.restored[m]));
      most_time = std::max(most_time, span.last_ms[m]);
    }
  }
  Panel channels{kLabelWidth, axis_for(most_channels)};
  Panel time{kLabelWidth + kPanelWidth + kPanelGap, axis_for(most_time)};
  std::size_t bars = e.methods.size() + (e.results_file.empty() ? 0 : 1);
  double row = kBarStep * static_cast<double>(std::max<std::size_t>(bars, 1)) + kRowPadding;
  double bottom = kTop + row * static_cast<double>(e.spans.size());
  double width = time.left + kPanelWidth + kRightMargin, height = bottom + kBottom;
  append_legend(e, out);
  out += text_printf(
      "<svg id=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\" role=\"img\" aria-label=\"channels restored and time per span and method\">\n",
      width, height, width, height);
  // Every other row on a grey stripe, the grid over the stripes, the bars
  // over the grid.
  out += "<g id=\"stripes\">\n";
  for (std::size_t i = 1; i < e.spans.size(); i += 2)
    out += text_printf("<rect x=\"0\" y=\"%.1f\" width=\"%.0f\" height=\"%.1f\" fill=\"#f6f6f6\"/>\n",
                       kTop + row * static_cast<double>(i), width, row);
  out += "</g>\n<g id=\"axes\">\n";
  append_axis(channels, "channels restored (grey: bound)", bottom, out);
  append_axis(time, "time of the last path restored, ms", bottom, out);
  out += "</g>\n<g id=\"rows\">\n";
  for (std::size_t i = 0; i < e.spans.size(); ++i)
    append_row(e, e.spans[i], channels, time, kTop + row * static_cast<double>(i), row, out);
  out += "</g>\n</svg>\n";
}

void append_table(const Experiment& e, std::string& out) {
  out +=
      "<table id=\"span-table\">\n<thead><tr>"
      "<th data-type=\"number\">span</th><th>from</th><th>to</th><th data-type=\"number\">lost</th>"
      "<th data-type=\"number\">bound</th>";
  for (const MethodRun& run : e.methods) {
    const char* name = kMethodNames[run.method].name;
    out += text_printf("<th data-type=\"number\">%s restored</th><th data-type=\"number\">%s ms</th>", name, name);
  }
  if (!e.results_file.empty()) out += "<th data-type=\"number\">capsweep restored</th>";
  out += "</tr></thead>\n<tbody>\n";
  for (const ExperimentSpan& span : e.spans) {
    out += text_printf(
        "<tr><td class=\"num\">%d</td><td>%s</td><td>%s</td><td class=\"num\">%d</td><td class=\"num\">%d</td>",
        span.span, html_escaped(span.from).c_str(), html_escaped(span.to).c_str(), span.lost, span.bound);
    for (std::size_t m = 0; m < span.restored.size(); ++m)
      out += text_printf("<td class=\"num\">%d</td><td class=\"num\">%.3f</td>", span.restored[m], span.last_ms[m]);
    if (!e.results_file.empty()) out += text_printf("<td class=\"num\">%d</td>", span.capsweep_restored);
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
}

}  // namespace

std::string experiment_page(const Experiment& e) {
  std::string out = page_opening("Restoration experiment on " + e.netrestore_file, kChartStyle);
  out += "<h2>Summary</h2>\n<pre id=\"summary\">" + html_escaped(experiment_summary(e)) + "</pre>\n";
  out += "<h2>Channels restored and time per span</h2>\n<div id=\"chart-figure\">\n";
  append_chart(e, out);
  out += "</div>\n";
  out += "<h2>Spans</h2>\n<p>Click a column heading to sort by it; click again to reverse.</p>\n";
  append_table(e, out);
  out += page_closing();
  return out;
}

}  // namespace capview
