// The page of a dualsweep table: the summary, the matrix of R_ij, the map
// with the picked pair drawn over it, the worst pairs and the spans.
#include <algorithm>
#include <cmath>

#include "dual.h"
#include "dual_summary.h"
#include "page.h"
#include "text_format.h"

using studyfiles::DualRow;
using studyfiles::DualSpan;
using studyfiles::DualTable;

namespace capview {

namespace {

constexpr double kMatrixSide = 600.0;  // the most the cells take, across and down
constexpr double kLargestCell = 24.0, kSmallestCell = 3.0;
constexpr double kMatrixMargin = 34.0;  // the span numbers left of and above the cells
constexpr std::size_t kWorstShown = 20;  // as many as the summary lists
const char* const kNoWorkingColour = "#e8e8e8";
const char* const kIdleColour = "#999999";  // as the map draws a span without working channels
const char* const kPickColour = "#2040ff";

const char* const kDualStyle =
    "#pairs{display:flex;flex-wrap:wrap;gap:24px;align-items:flex-start}\n"
    "#matrix{border:1px solid #ddd;background:#fff;display:block}\n"
    "#matrix rect.pair{cursor:pointer}\n"
    "#matrix rect.pair:hover{stroke:#555;stroke-width:1}\n"
    "#matrix rect.chosen{stroke:#000;stroke-width:2}\n"
    "#matrix .tick{font-size:10px;fill:#555}\n"
    "#picked{font-weight:bold;min-height:1.2em}\n"
    "#worst-table tr.worst{cursor:pointer}\n"
    "#worst-table tr.worst:hover{background:#f2f2f2}\n"
    "#worst-table tr.chosen{background:#dde3ff}\n";

// Picks a pair from a cell of the matrix or a row of the worst pairs: its
// two spans drawn over the map, the cell and the row marked, its figures
// written above the matrix.
const char* const kPickScript =
    "<script>//<![CDATA[\n"
    "(function () {\n"
    "  var picked = document.getElementById('picked');\n"
    "  function mark(selector, on) {\n"
    "    var found = document.querySelectorAll(selector);\n"
    "    for (var k = 0; k < found.length; k++) found[k].classList.toggle('chosen', on);\n"
    "  }\n"
    "  function pick(i, j) {\n"
    "    if (Number(i) > Number(j)) { var k = i; i = j; j = k; }\n"
    "    var lines = document.querySelectorAll('#picks line.pick');\n"
    "    var names = {};\n"
    "    for (var k = 0; k < lines.length; k++) {\n"
    "      var span = lines[k].getAttribute('data-span');\n"
    "      names[span] = lines[k].getAttribute('data-name');\n"
    "      lines[k].setAttribute('visibility', span === i || span === j ? 'visible' : 'hidden');\n"
    "    }\n"
    "    mark('.chosen', false);\n"
    "    mark('#matrix rect.pair[data-i=\"' + i + '\"][data-j=\"' + j + '\"]', true);\n"
    "    mark('#matrix rect.pair[data-i=\"' + j + '\"][data-j=\"' + i + '\"]', true);\n"
    "    mark('#worst-table tr.worst[data-i=\"' + i + '\"][data-j=\"' + j + '\"]', true);\n"
    "    var cell = document.querySelector('#matrix rect.pair[data-i=\"' + i + '\"][data-j=\"' + j + '\"]');\n"
    "    var r = cell ? cell.getAttribute('data-r') : null;\n"
    "    picked.textContent = 'spans ' + i + ' (' + names[i] + ') and ' + j + ' (' + names[j] + ') cut: ' +\n"
    "        (r === null ? 'neither carries working channels' : 'R_ij ' + r + '%');\n"
    "  }\n"
    "  document.getElementById('matrix').addEventListener('click', function (e) {\n"
    "    var t = e.target;\n"
    "    if (t.classList && t.classList.contains('pair')) pick(t.getAttribute('data-i'), t.getAttribute('data-j'));\n"
    "  });\n"
    "  var rows = document.querySelectorAll('#worst-table tr.worst');\n"
    "  for (var k = 0; k < rows.length; k++)\n"
    "    rows[k].addEventListener('click', function () {\n"
    "      pick(this.getAttribute('data-i'), this.getAttribute('data-j'));\n"
    "    });\n"
    "})();\n"
    "//]]></script>\n";

std::string ends_of(const DualSpan& s) { return html_escaped(s.from + "-" + s.to); }

double single_percent(const DualSpan& s) {
  return s.working > 0 ? static_cast<double>(s.restored) * 100.0 / s.working : 0.0;
}

// One cell of the matrix: the pair of spans i and j, or span i alone when
// i == j.
void append_cell(const DualTable& t, int i, int j, double x, double y, double side, std::string& out) {
  const DualSpan& a = t.spans[static_cast<std::size_t>(i - 1)];
  const DualSpan& b = t.spans[static_cast<std::size_t>(j - 1)];
  const std::string box = text_printf("x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"", x, y, side, side);
  if (i == j) {
    out += text_printf("<rect class=\"single\" data-span=\"%d\" %s fill=\"%s\"><title>span %d (%s) alone: ", i,
                       box.c_str(), a.working > 0 ? restorability_colour(single_percent(a)).c_str() : kIdleColour, i,
                       ends_of(a).c_str());
    out += a.working > 0 ? text_printf("%.2f%%", single_percent(a)) : std::string("no working channels");
    out += "</title></rect>\n";
    return;
  }
  const std::size_t row = dual_row_of(t, i, j);
  if (row == t.rows.size()) {
    out += text_printf(
        "<rect class=\"pair none\" data-i=\"%d\" data-j=\"%d\" %s fill=\"%s\"><title>spans %d (%s) and %d (%s): "
        "no working channels</title></rect>\n",
        i, j, box.c_str(), kNoWorkingColour, i, ends_of(a).c_str(), j, ends_of(b).c_str());
    return;
  }
  const double percent = studyfiles::dual_percent(t, t.rows[row]);
  out += text_printf(
      "<rect class=\"pair\" data-i=\"%d\" data-j=\"%d\" data-r=\"%.2f\" %s fill=\"%s\"><title>spans %d (%s) and %d "
      "(%s): R_ij %.2f%%</title></rect>\n",
      i, j, percent, box.c_str(), restorability_colour(percent).c_str(), i, ends_of(a).c_str(), j, ends_of(b).c_str(),
      percent);
}

void append_matrix(const DualTable& t, std::string& out) {
  const int n = static_cast<int>(t.spans.size());
  if (n == 0) {
    out += "<p>The table holds no span: there is no matrix to draw.</p>\n";
    return;
  }
  const double side = std::clamp(std::floor(kMatrixSide / n), kSmallestCell, kLargestCell);
  const double size = kMatrixMargin + side * n + 8.0;
  out += text_printf(
      "<svg id=\"matrix\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\" role=\"img\" aria-label=\"R_ij of every pair of spans\">\n",
      size, size, size, size);
  // Every span numbered when the cells have room for it, else every tenth.
  const int every = side >= 14.0 ? 1 : side >= 6.0 ? 5 : 10;
  out += "<g id=\"ticks\">\n";
  for (int k = 1; k <= n; ++k) {
    if (k % every != 0 && k != 1) continue;
    const double middle = kMatrixMargin + side * (k - 0.5);
    out += text_printf("<text class=\"tick\" x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%d</text>", kMatrixMargin - 4.0,
                       middle + 3.5, k);
    out += text_printf("<text class=\"tick\" x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%d</text>\n", middle,
                       kMatrixMargin - 5.0, k);
  }
  out += "</g>\n<g id=\"cells\">\n";
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      append_cell(t, i, j, kMatrixMargin + side * (j - 1), kMatrixMargin + side * (i - 1), side, out);
  out += "</g>\n</svg>\n";
}

void append_matrix_legend(std::string& out) {
  out +=
      "<svg id=\"matrix-legend\" xmlns=\"http://www.w3.org/2000/svg\" width=\"560\" height=\"64\" "
      "viewBox=\"0 0 560 64\">\n<defs><linearGradient id=\"pair-scale\">";
  for (int p : {0, 25, 50, 75, 100})
    out += text_printf("<stop offset=\"%d%%\" stop-color=\"%s\"/>", p, restorability_colour(p).c_str());
  out += text_printf(
      "</linearGradient></defs>\n"
      "<text x=\"0\" y=\"12\" font-size=\"12\">R_ij: percent of the pair's working channels restored</text>\n"
      "<rect x=\"0\" y=\"18\" width=\"240\" height=\"14\" fill=\"url(#pair-scale)\"/>\n"
      "<text x=\"0\" y=\"46\" font-size=\"11\">0%%</text>\n"
      "<text x=\"120\" y=\"46\" font-size=\"11\" text-anchor=\"middle\">50%%</text>\n"
      "<text x=\"240\" y=\"46\" font-size=\"11\" text-anchor=\"end\">100%%</text>\n"
      "<rect x=\"290\" y=\"18\" width=\"14\" height=\"14\" fill=\"%s\"/>"
      "<text x=\"310\" y=\"30\" font-size=\"11\">neither span carries working channels</text>\n"
      "<text x=\"290\" y=\"58\" font-size=\"11\">the diagonal: a span cut alone</text>\n</svg>\n",
      kNoWorkingColour);
}

// Every span once more over the map, hidden until its pair is picked.
std::string pick_lines(const DualView& view, const MapLayout& map) {
  std::string out = "<g id=\"picks\">\n";
  for (const SpanResult& span : view.spans) {
    const std::size_t a = static_cast<std::size_t>(span.from_node - 1), b = static_cast<std::size_t>(span.to_node - 1);
    out += text_printf(
        "<line class=\"pick\" data-span=\"%d\" data-name=\"%s\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" "
        "stroke=\"%s\" stroke-opacity=\"0.55\" stroke-width=\"14\" stroke-linecap=\"round\" visibility=\"hidden\"/>\n",
        span.span, html_escaped(span.from + "-" + span.to).c_str(), map.x[a], map.y[a], map.x[b], map.y[b],
        kPickColour);
  }
  return out + "</g>\n";
}

void append_worst(const DualTable& t, std::string& out) {
  out +=
      "<table id=\"worst-table\">\n<thead><tr><th>span i</th><th>span j</th><th>ends of i</th><th>ends of j</th>"
      "<th>w_i</th><th>w_j</th><th>r_i</th><th>r_j</th><th>R_ij</th></tr></thead>\n<tbody>\n";
  for (std::size_t k : studyfiles::worst_pairs(t, kWorstShown)) {
    const DualRow& r = t.rows[k];
    const DualSpan& a = t.spans[static_cast<std::size_t>(r.i - 1)];
    const DualSpan& b = t.spans[static_cast<std::size_t>(r.j - 1)];
    out += text_printf(
        "<tr class=\"worst\" data-i=\"%d\" data-j=\"%d\"><td class=\"num\">%d</td><td class=\"num\">%d</td>"
        "<td>%s</td><td>%s</td><td class=\"num\">%d</td><td class=\"num\">%d</td><td class=\"num\">%d</td>"
        "<td class=\"num\">%d</td><td class=\"num\">%.2f</td></tr>\n",
        r.i, r.j, r.i, r.j, ends_of(a).c_str(), ends_of(b).c_str(), a.working, b.working, r.r_i, r.r_j,
        studyfiles::dual_percent(t, r));
  }
  out += "</tbody>\n</table>\n";
}

void append_spans(const DualTable& t, std::string& out) {
  out +=
      "<table id=\"span-table\">\n<thead><tr>"
      "<th data-type=\"number\">span</th><th>from</th><th>to</th><th data-type=\"number\">working</th>"
      "<th data-type=\"number\">restored alone</th><th data-type=\"number\">percent</th>"
      "<th data-type=\"number\">length</th></tr></thead>\n<tbody>\n";
  for (std::size_t k = 0; k < t.spans.size(); ++k) {
    const DualSpan& s = t.spans[k];
    out += text_printf(
        "<tr><td class=\"num\">%zu</td><td>%s</td><td>%s</td><td class=\"num\">%d</td><td class=\"num\">%d</td>"
        "<td class=\"num\">%.2f</td><td class=\"num\">%d</td></tr>\n",
        k + 1, html_escaped(s.from).c_str(), html_escaped(s.to).c_str(), s.working, s.restored, single_percent(s),
        s.cost);
  }
  out += "</tbody>\n</table>\n";
}

}  // namespace

std::string dual_page(const studyfiles::NodeList& nodes, const DualView& view, Axes axes) {
  const DualTable& t = view.table;
  std::string out = page_opening("Dual-failure restorability of " + t.netdata_file, kDualStyle);
  out += "<h2>Summary</h2>\n<pre id=\"summary\">" + html_escaped(studyfiles::dual_summary_text(t)) + "</pre>\n";
  out +=
      "<h2>Pairs of spans</h2>\n"
      "<p>Row i, column j: R_ij of spans i and j cut at once, coloured as the map colours a span. "
      "Click a cell, or a pair below, to draw its two spans on the map.</p>\n"
      "<p id=\"picked\">No pair picked.</p>\n<div id=\"pairs\">\n<div id=\"matrix-figure\">\n";
  append_matrix(t, out);
  append_matrix_legend(out);
  out += "</div>\n";
  out += map_figure(nodes, view.spans, axes, [&view](const MapLayout& map) { return pick_lines(view, map); });
  out += "</div>\n";
  out += "<h2>The worst pairs</h2>\n<p>Click a pair to draw its two spans on the map.</p>\n";
  append_worst(t, out);
  out += "<h2>Spans</h2>\n<p>Each span cut alone. Click a column heading to sort by it; click again to reverse.</p>\n";
  append_spans(t, out);
  out += kPickScript;
  out += page_closing();
  return out;
}

}  // namespace capview
