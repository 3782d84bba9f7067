#include "page.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "text_format.h"
#include "version.h"

using studyfiles::Node;
using studyfiles::NodeList;

namespace capview {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMapWidth = 760.0;   // widest drawing of the nodes
constexpr double kMapHeight = 560.0;  // tallest drawing of the nodes
constexpr double kMarginLeft = 30.0, kMarginTop = 30.0, kMarginBottom = 30.0;
constexpr double kMarginRight = 130.0;  // room for the labels of the eastmost nodes
constexpr double kThinnest = 1.5, kThickest = 8.0;

}  // namespace

std::string html_escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

std::string escaped(const std::string& text) { return html_escaped(text); }

bool all_have_coordinates(const NodeList& nodes) {
  return std::all_of(nodes.nodes.begin(), nodes.nodes.end(), [](const Node& n) { return n.has_coordinates; });
}

bool north_first(const NodeList& nodes, Axes axes) {
  if (axes != Axes::automatic) return axes == Axes::north_first;
  bool first_within =
      std::all_of(nodes.nodes.begin(), nodes.nodes.end(), [](const Node& n) { return std::fabs(n.first) <= 90.0; });
  bool second_beyond =
      std::any_of(nodes.nodes.begin(), nodes.nodes.end(), [](const Node& n) { return std::fabs(n.second) > 90.0; });
  return first_within && second_beyond;
}

// East and north of every node, before scaling.
void raw_positions(const NodeList& nodes, Axes axes, std::vector<double>& east, std::vector<double>& north) {
  std::size_t n = nodes.nodes.size();
  east.resize(n);
  north.resize(n);
  if (n == 0) return;  // no node: nothing to place, and no extremes to take
  if (!all_have_coordinates(nodes)) {
    for (std::size_t k = 0; k < n; ++k) {
      east[k] = std::sin(2.0 * kPi * static_cast<double>(k) / static_cast<double>(n));
      north[k] = std::cos(2.0 * kPi * static_cast<double>(k) / static_cast<double>(n));
    }
    return;
  }
  bool swap = north_first(nodes, axes);
  for (std::size_t k = 0; k < n; ++k) {
    east[k] = swap ? nodes.nodes[k].second : nodes.nodes[k].first;
    north[k] = swap ? nodes.nodes[k].first : nodes.nodes[k].second;
  }
  bool geographic = std::all_of(east.begin(), east.end(), [](double e) { return std::fabs(e) <= 180.0; }) &&
                    std::all_of(north.begin(), north.end(), [](double v) { return std::fabs(v) <= 90.0; });
  if (!geographic) return;
  auto [south_end, north_end] = std::minmax_element(north.begin(), north.end());
  double shrink = std::cos((*south_end + *north_end) / 2.0 * kPi / 180.0);
  for (double& e : east) e *= shrink;
}

}  // namespace

MapLayout map_layout(const NodeList& nodes, Axes axes) {
  std::vector<double> east, north;
  raw_positions(nodes, axes, east, north);
  MapLayout map;
  if (east.empty()) return map;
  auto [west_end, east_end] = std::minmax_element(east.begin(), east.end());
  auto [south_end, north_end] = std::minmax_element(north.begin(), north.end());
  double wide = *east_end - *west_end, tall = *north_end - *south_end;
  double scale = std::numeric_limits<double>::infinity();
  if (wide > 0) scale = kMapWidth / wide;
  if (tall > 0) scale = std::min(scale, kMapHeight / tall);
  if (std::isinf(scale)) scale = 1.0;
  double left = kMarginLeft + (wide > 0 ? 0.0 : kMapWidth / 2.0);
  double top = kMarginTop + (tall > 0 ? 0.0 : kMapHeight / 4.0);
  map.width = std::ceil(kMarginLeft + (wide > 0 ? wide * scale : kMapWidth) + kMarginRight);
  map.height = std::ceil(kMarginTop + (tall > 0 ? tall * scale : kMapHeight / 2.0) + kMarginBottom);
  for (std::size_t k = 0; k < east.size(); ++k) {
    map.x.push_back(left + (east[k] - *west_end) * scale);
    map.y.push_back(top + (*north_end - north[k]) * scale);
  }
  return map;
}

std::string restorability_colour(double percent) {
  static const double stops[3][3] = {{215, 48, 39}, {240, 160, 0}, {26, 152, 80}};
  double p = std::clamp(percent, 0.0, 100.0) / 50.0;
  int low = p >= 1.0 ? 1 : 0;
  double t = p - low;
  int rgb[3];
  for (int c = 0; c < 3; ++c)
    rgb[c] = static_cast<int>(std::lround(stops[low][c] + (stops[low + 1][c] - stops[low][c]) * t));
  return text_printf("#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
}

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:24px;color:#222;background:#fff}\n"
    "h1{font-size:22px}h2{font-size:18px;margin-top:28px}\n"
    "pre{background:#f6f6f6;padding:12px;border:1px solid #ddd;display:inline-block}\n"
    "svg text{font-family:sans-serif}\n"
    "#map-figure{display:inline-block;background:#fff;padding:4px}\n"
    "#map{border:1px solid #ddd;background:#fcfcfa;display:block}\n"
    "#legend{display:block;margin-top:8px}\n"
    "#map .label{font-size:11px;fill:#111;paint-order:stroke;stroke:#fff;stroke-width:3px;stroke-linejoin:round}\n"
    "#map .span:hover{stroke-opacity:0.6}\n"
    "table{border-collapse:collapse}\n"
    "th,td{border:1px solid #ccc;padding:3px 8px}\n"
    "th{background:#eee;cursor:pointer;user-select:none}\n"
    "th[aria-sort=ascending]::after{content:' \\25B2'}\n"
    "th[aria-sort=descending]::after{content:' \\25BC'}\n"
    "td.num{text-align:right}\n"
    "#written-by{margin-top:28px;font-size:12px;color:#666}\n";

// Sorts the span table by the clicked column; a second click reverses.
const char* const kScript =
    "(function () {\n"
    "  var table = document.getElementById('span-table');\n"
    "  var heads = table.tHead.rows[0].cells;\n"
    "  function sortBy(col) {\n"
    "    var head = heads[col];\n"
    "    var ascending = head.getAttribute('aria-sort') !== 'ascending';\n"
    "    for (var i = 0; i < heads.length; i++) heads[i].removeAttribute('aria-sort');\n"
    "    head.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');\n"
    "    var numeric = head.getAttribute('data-type') === 'number';\n"
    "    var body = table.tBodies[0];\n"
    "    var rows = Array.prototype.slice.call(body.rows);\n"
    "    rows.sort(function (a, b) {\n"
    "      var x = a.cells[col].textContent, y = b.cells[col].textContent;\n"
    "      var d = numeric ? parseFloat(x) - parseFloat(y) : (x < y ? -1 : x > y ? 1 : 0);\n"
    "      return ascending ? d : -d;\n"
    "    });\n"
    "    rows.forEach(function (row) { body.appendChild(row); });\n"
    "  }\n"
    "  for (var i = 0; i < heads.length; i++) heads[i].addEventListener('click', sortBy.bind(null, i));\n"
    "})();\n";

double line_width(int working, int most) {
  if (most <= 0 || working <= 0) return kThinnest;
  return kThinnest + (kThickest - kThinnest) * working / most;
}

int most_working(const std::vector<SpanResult>& spans) {
  int most = 0;
  for (const SpanResult& span : spans) most = std::max(most, span.working);
  return most;
}

void append_span(const SpanResult& span, const MapLayout& map, int most, std::string& out) {
  std::size_t a = static_cast<std::size_t>(span.from_node - 1), b = static_cast<std::size_t>(span.to_node - 1);
  bool idle = span.working <= 0;
  out += text_printf(
      "<line class=\"span\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
      "stroke-width=\"%.1f\" stroke-linecap=\"round\"%s>",
      map.x[a], map.y[a], map.x[b], map.y[b], idle ? "#999999" : restorability_colour(percent_restored(span)).c_str(),
      line_width(span.working, most), idle ? " stroke-dasharray=\"4 3\"" : "");
  out += text_printf("<title>span %d: %s-%s, working %d, restored %d (%.2f%%)</title></line>\n", span.span,
                     escaped(span.from).c_str(), escaped(span.to).c_str(), span.working, span.restored,
                     percent_restored(span));
}

struct Box {
  double x0, y0, x1, y1;
  double overlap(const Box& o) const {
    double w = std::min(x1, o.x1) - std::max(x0, o.x0), h = std::min(y1, o.y1) - std::max(y0, o.y0);
    return w > 0 && h > 0 ? w * h : 0.0;
  }
};

constexpr double kCharWidth = 6.5, kLabelHeight = 11.0;  // 11px sans-serif, a little generous

Box label_box(const Label& label, std::size_t chars) {
  double w = kCharWidth * static_cast<double>(chars);
  double x0 = label.anchor == Anchor::start ? label.x : label.anchor == Anchor::middle ? label.x - w / 2 : label.x - w;
  return {x0, label.y - kLabelHeight + 2.0, x0 + w, label.y + 2.0};
}

// The places a label may take beside its node, the first preferred.
std::vector<Label> label_places(double x, double y) {
  return {{x + 5.0, y - 5.0, Anchor::start}, {x + 7.0, y + 4.0, Anchor::start}, {x + 5.0, y + 13.0, Anchor::start},
          {x - 5.0, y - 5.0, Anchor::end},   {x - 7.0, y + 4.0, Anchor::end},   {x - 5.0, y + 13.0, Anchor::end},
          {x, y - 7.0, Anchor::middle},      {x, y + 16.0, Anchor::middle}};
}

// How much of the box lies outside the map or over the other boxes.
double crowding(const Box& box, const std::vector<Box>& others, std::size_t self, const Box& map) {
  double cost = (box.x1 - box.x0) * (box.y1 - box.y0) - box.overlap(map);
  for (std::size_t i = 0; i < others.size(); ++i)
    if (i != self) cost += box.overlap(others[i]);
  return cost;
}

}  // namespace

std::vector<Label> place_labels(const NodeList& nodes, const MapLayout& map) {
  std::size_t n = map.x.size();
  // Boxes 0..n-1 are the nodes, n..2n-1 the labels (placed so far).
  std::vector<Box> boxes;
  for (std::size_t k = 0; k < n; ++k) boxes.push_back({map.x[k] - 4.0, map.y[k] - 4.0, map.x[k] + 4.0, map.y[k] + 4.0});
  Box inside{0.0, 0.0, map.width, map.height};
  std::vector<Label> labels(n);
  // A first placement in node order, then two rounds in which every label
  // moves to its best place among all the others.
  for (int round = 0; round < 3; ++round) {
    for (std::size_t k = 0; k < n; ++k) {
      std::size_t chars = nodes.nodes[k].name.size();
      double best_cost = std::numeric_limits<double>::infinity();
      for (const Label& place : label_places(map.x[k], map.y[k])) {
        double cost = crowding(label_box(place, chars), boxes, n + k, inside);
        if (cost < best_cost) best_cost = cost, labels[k] = place;
      }
      if (round == 0)
        boxes.push_back(label_box(labels[k], chars));
      else
        boxes[n + k] = label_box(labels[k], chars);
    }
  }
  return labels;
}

namespace {

void append_map(const NodeList& nodes, const std::vector<SpanResult>& spans, Axes axes, const MapOverlay& overlay,
                std::string& out) {
  MapLayout map = map_layout(nodes, axes);
  if (nodes.nodes.empty()) {
    out += "<p>The node list holds no nodes: there is no map to draw.</p>\n";
    return;
  }
  if (!all_have_coordinates(nodes))
    out += "<p>The node list gives no coordinates for some nodes: the nodes stand on a circle.</p>\n";
  out += text_printf(
      "<svg id=\"map\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\" role=\"img\" aria-label=\"map of the spans\">\n<g id=\"spans\">\n",
      map.width, map.height, map.width, map.height);
  // The weakest spans are drawn last, on top.
  std::vector<const SpanResult*> order;
  for (const SpanResult& span : spans) order.push_back(&span);
  std::stable_sort(order.begin(), order.end(), [](const SpanResult* a, const SpanResult* b) {
    return percent_restored(*a) > percent_restored(*b);
  });
  int most = most_working(spans);
  for (const SpanResult* span : order) append_span(*span, map, most, out);
  out += "</g>\n";
  if (overlay) out += overlay(map);
  out += "<g id=\"nodes\">\n";
  std::vector<Label> labels = place_labels(nodes, map);
  for (std::size_t k = 0; k < nodes.nodes.size(); ++k) {
    std::string name = escaped(nodes.nodes[k].name);
    out += text_printf("<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\" fill=\"#333333\"><title>%s</title></circle>\n",
                       map.x[k], map.y[k], name.c_str());
    out += text_printf("<text class=\"label\" x=\"%.1f\" y=\"%.1f\"%s>%s</text>\n", labels[k].x, labels[k].y,
                       labels[k].anchor == Anchor::end      ? " text-anchor=\"end\""
                       : labels[k].anchor == Anchor::middle ? " text-anchor=\"middle\""
                                                            : "",
                       name.c_str());
  }
  out += "</g>\n</svg>\n";
}

void append_legend(const std::vector<SpanResult>& spans, std::string& out) {
  int most = most_working(spans);
  out +=
      "<svg id=\"legend\" xmlns=\"http://www.w3.org/2000/svg\" width=\"560\" height=\"64\" viewBox=\"0 0 560 64\">\n"
      "<defs><linearGradient id=\"scale\">";
  for (int p : {0, 25, 50, 75, 100})
    out += text_printf("<stop offset=\"%d%%\" stop-color=\"%s\"/>", p, restorability_colour(p).c_str());
  out +=
      "</linearGradient></defs>\n"
      "<text x=\"0\" y=\"12\" font-size=\"12\">percent of working capacity restored</text>\n"
      "<rect x=\"0\" y=\"18\" width=\"240\" height=\"14\" fill=\"url(#scale)\"/>\n"
      "<text x=\"0\" y=\"46\" font-size=\"11\">0%</text>\n"
      "<text x=\"120\" y=\"46\" font-size=\"11\" text-anchor=\"middle\">50%</text>\n"
      "<text x=\"240\" y=\"46\" font-size=\"11\" text-anchor=\"end\">100%</text>\n"
      "<text x=\"290\" y=\"12\" font-size=\"12\">line width: working capacity</text>\n";
  out += text_printf(
      "<line x1=\"290\" y1=\"28\" x2=\"340\" y2=\"28\" stroke=\"#555555\" stroke-width=\"%.1f\"/>"
      "<text x=\"348\" y=\"32\" font-size=\"11\">small</text>\n"
      "<line x1=\"400\" y1=\"28\" x2=\"450\" y2=\"28\" stroke=\"#555555\" stroke-width=\"%.1f\"/>"
      "<text x=\"458\" y=\"32\" font-size=\"11\">%d, the largest</text>\n</svg>\n",
      kThinnest, kThickest, most);
}

void append_table(const std::vector<SpanResult>& spans, std::string& out) {
  out +=
      "<table id=\"span-table\">\n<thead><tr>"
      "<th data-type=\"number\">span</th><th>from</th><th>to</th><th data-type=\"number\">working</th>"
      "<th data-type=\"number\">restored</th><th data-type=\"number\">percent</th><th>feasible</th>"
      "</tr></thead>\n<tbody>\n";
  for (const SpanResult& span : spans) {
    out += text_printf(
        "<tr><td class=\"num\">%d</td><td>%s</td><td>%s</td><td class=\"num\">%d</td>"
        "<td class=\"num\">%d</td><td class=\"num\">%.2f</td><td>%s</td></tr>\n",
        span.span, escaped(span.from).c_str(), escaped(span.to).c_str(), span.working, span.restored,
        percent_restored(span), span.feasible ? "Y" : "N");
  }
  out += "</tbody>\n</table>\n";
}

}  // namespace

std::string map_figure(const NodeList& nodes, const std::vector<SpanResult>& spans, Axes axes,
                       const MapOverlay& overlay) {
  std::string out = "<div id=\"map-figure\">\n";
  append_map(nodes, spans, axes, overlay, out);
  append_legend(spans, out);
  out += "</div>\n";
  return out;
}

std::string page_opening(const std::string& title_text, const std::string& more_style) {
  std::string title = escaped(title_text);
  return "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
         "<meta charset=\"utf-8\"/>\n<meta name=\"generator\" content=\"" +
         escaped(version_line("capview")) + "\"/>\n<title>" + title + "</title>\n<style>\n" + kStyle + more_style +
         "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n";
}

std::string page_closing() {
  return "<p id=\"written-by\">" + escaped(written_by("capview")) + "</p>\n<script>//<![CDATA[\n" + kScript +
         "//]]></script>\n</body>\n</html>\n";
}

std::string page_html(const NodeList& nodes, const std::vector<SpanResult>& spans, const Summary& summary,
                      const StudyFiles& files, Axes axes) {
  std::string out = page_opening("Restorability of " + files.netdata, "");
  out += "<h2>Summary</h2>\n<pre id=\"summary\">" + escaped(summary_text(summary, spans, files)) + "</pre>\n";
  out += "<h2>Map</h2>\n";
  out += map_figure(nodes, spans, axes, {});
  out += "<h2>Spans</h2>\n<p>Click a column heading to sort by it; click again to reverse.</p>\n";
  append_table(spans, out);
  out += page_closing();
  return out;
}

}  // namespace capview
