// The page of a pathsweep table: the summary, the map with every span and
// node coloured by its failure's restorability and the picked scenario
// drawn over it, and the table of scenarios.
#include <algorithm>

#include "path_summary.h"
#include "paths.h"
#include "text_format.h"

namespace capview {

using studyfiles::PathRow;
using studyfiles::PathTable;

namespace {

const char* const kPathsStyle =
    "#nodes circle,#nodes text,#picks *{pointer-events:none}\n"
    "#targets line.hit{stroke:#000;stroke-opacity:0;stroke-width:12;cursor:pointer}\n"
    "#targets circle.ring{cursor:pointer;stroke:#333;stroke-width:0.5}\n"
    "#picked{font-weight:bold;min-height:1.2em}\n"
    "#span-table tr.scenario{cursor:pointer}\n"
    "#span-table tr.scenario:hover{background:#f2f2f2}\n"
    "#span-table tr.chosen{background:#dde3ff}\n";

const char* const kFailedColour = "#2040ff";
const char* const kRouteColour = "#111111";

// Picks a scenario from the map (a span, a node's ring) or the table: its
// failed spans and node drawn, its routes drawn as polylines (wider for
// more channels), its row marked, its figures written above the map.
const char* const kPickScript =
    "<script>//<![CDATA[\n"
    "(function () {\n"
    "  var data = JSON.parse(document.getElementById('scenario-data').textContent);\n"
    "  var svg = 'http://www.w3.org/2000/svg';\n"
    "  var picks = document.getElementById('picks');\n"
    "  var picked = document.getElementById('picked');\n"
    "  function xy(v) { return data.nodes[v - 1]; }\n"
    "  function add(name, attrs) {\n"
    "    var el = document.createElementNS(svg, name);\n"
    "    for (var a in attrs) el.setAttribute(a, attrs[a]);\n"
    "    picks.appendChild(el);\n"
    "    return el;\n"
    "  }\n"
    "  function pick(r) {\n"
    "    var s = data.rows[r];\n"
    "    while (picks.firstChild) picks.removeChild(picks.firstChild);\n"
    "    s.spans.forEach(function (k) {\n"
    "      var span = data.spans[k - 1], a = xy(span[0]), b = xy(span[1]);\n"
    "      add('line', {'class': 'failed', 'data-span': k, x1: a[0], y1: a[1], x2: b[0], y2: b[1],\n"
    "                   stroke: data.failed, 'stroke-opacity': 0.55, 'stroke-width': 14, 'stroke-linecap': 'round'});\n"
    "    });\n"
    "    if (s.node) {\n"
    "      var p = xy(s.node);\n"
    "      add('circle', {'class': 'failed-node', cx: p[0], cy: p[1], r: 11, fill: 'none', stroke: data.failed,\n"
    "                     'stroke-width': 4});\n"
    "    }\n"
    "    s.routes.forEach(function (route) {\n"
    "      var points = route[1].map(function (v) { return xy(v).join(','); }).join(' ');\n"
    "      add('polyline', {'class': 'route', points: points, fill: 'none', stroke: data.route,\n"
    "                       'stroke-opacity': 0.6, 'stroke-width': Math.min(6, 1 + route[0]),\n"
    "                       'stroke-dasharray': '6 3', 'stroke-linejoin': 'round'});\n"
    "    });\n"
    "    var chosen = document.querySelectorAll('#span-table tr.chosen');\n"
    "    for (var k = 0; k < chosen.length; k++) chosen[k].classList.remove('chosen');\n"
    "    var row = document.querySelector('#span-table tr.scenario[data-row=\"' + r + '\"]');\n"
    "    if (row) row.classList.add('chosen');\n"
    "    picked.textContent = s.kind + ' ' + s.name + ' fails: ' + s.affected + ' paths affected, ' + s.restored +\n"
    "        ' restored, ' + s.ending + ' ending; ' + s.routes.length + ' restoration routes' +\n"
    "        (data.has_routes ? '' : ' (no routes file was given)');\n"
    "  }\n"
    "  function listen(selector) {\n"
    "    var found = document.querySelectorAll(selector);\n"
    "    for (var k = 0; k < found.length; k++)\n"
    "      found[k].addEventListener('click', function () { pick(Number(this.getAttribute('data-row'))); });\n"
    "  }\n"
    "  listen('#targets [data-row]');\n"
    "  listen('#span-table tr.scenario');\n"
    "})();\n"
    "//]]></script>\n";

double percent_of(const PathRow& row) { return studyfiles::path_percent(row); }

// A JSON string: quotes and backslashes escaped, control characters as \u.
std::string json_string(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      out += text_printf("\\u%04x", static_cast<unsigned char>(c));
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The scenarios as the script reads them, inside a <script> element of
// type application/json: names escaped for JSON, and '<' and '&' as \u
// escapes so that the text can close no element and stays well-formed XML.
std::string scenario_data(const PathView& view, const MapLayout& map) {
  const PathTable& t = view.table;
  std::string json = "{\"failed\":\"" + std::string(kFailedColour) + "\",\"route\":\"" + kRouteColour + "\",";
  json += std::string("\"has_routes\":") + (view.routes_file.empty() ? "false" : "true") + ",\"nodes\":[";
  for (std::size_t k = 0; k < map.x.size(); ++k) json += text_printf("%s[%.1f,%.1f]", k ? "," : "", map.x[k], map.y[k]);
  json += "],\"spans\":[";
  for (std::size_t k = 0; k < view.spans.size(); ++k)
    json += text_printf("%s[%d,%d]", k ? "," : "", view.spans[k].from_node, view.spans[k].to_node);
  json += "],\"rows\":[";
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    const PathRow& row = t.rows[r];
    const PathView::Scenario& s = view.scenarios[r];
    json += (r ? "," : "") + std::string("{\"kind\":") + json_string(row.kind) + ",\"name\":" + json_string(row.name) +
            text_printf(",\"affected\":%d,\"ending\":%d,\"restored\":%d,\"node\":%d,\"spans\":[", row.affected, row.ending,
                        row.restored, s.node);
    for (std::size_t k = 0; k < s.spans.size(); ++k) json += text_printf("%s%d", k ? "," : "", s.spans[k]);
    json += "],\"routes\":[";
    for (std::size_t k = 0; k < s.routes.size(); ++k) {
      json += text_printf("%s[%lld,[", k ? "," : "", s.routes[k].first);
      for (std::size_t j = 0; j < s.routes[k].second.size(); ++j) json += text_printf("%s%d", j ? "," : "", s.routes[k].second[j]);
      json += "]]";
    }
    json += "]}";
  }
  json += "]}";
  std::string safe;
  for (char c : json) safe += c == '<' ? std::string("\\u003c") : c == '&' ? std::string("\\u0026") : std::string(1, c);
  return "<script type=\"application/json\" id=\"scenario-data\">" + safe + "</script>\n";
}

// Over the spans: a ring round every node in its failure's colour, a wide
// invisible line over every span with a row and a ring for every node with
// one (what a click picks), and the group the picks are drawn into.
std::string overlay(const PathView& view, const MapLayout& map) {
  const PathTable& t = view.table;
  std::string out = "<g id=\"targets\">\n";
  for (const SpanResult& span : view.spans) {
    if (!span.has_row) continue;
    int row = -1;
    for (std::size_t r = 0; r < t.rows.size() && row < 0; ++r)
      if (t.rows[r].kind == "span" && t.rows[r].name == std::to_string(span.span)) row = static_cast<int>(r);
    const std::size_t a = static_cast<std::size_t>(span.from_node - 1), b = static_cast<std::size_t>(span.to_node - 1);
    out += text_printf("<line class=\"hit\" data-row=\"%d\" data-span=\"%d\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>\n",
                       row, span.span, map.x[a], map.y[a], map.x[b], map.y[b]);
  }
  for (std::size_t v = 1; v < view.node_row.size(); ++v) {
    const int row = view.node_row[v];
    if (row < 0) continue;
    const PathRow& r = t.rows[static_cast<std::size_t>(row)];
    out += text_printf(
        "<circle class=\"ring\" data-row=\"%d\" data-node=\"%zu\" cx=\"%.1f\" cy=\"%.1f\" r=\"7.5\" fill=\"%s\">"
        "<title>node %s: %d affected, %d restored (%.2f%%), %d ending</title></circle>\n",
        row, v, map.x[v - 1], map.y[v - 1], restorability_colour(percent_of(r)).c_str(), html_escaped(r.name).c_str(),
        r.affected, r.restored, percent_of(r), r.ending);
  }
  return out + "</g>\n<g id=\"picks\"></g>\n";
}

void append_scenarios(const PathTable& t, std::string& out) {
  out +=
      "<table id=\"span-table\">\n<thead><tr><th>kind</th><th>name</th><th>from</th><th>to</th>"
      "<th data-type=\"number\">affected</th><th data-type=\"number\">ending</th><th data-type=\"number\">restored</th>"
      "<th data-type=\"number\">bound</th><th data-type=\"number\">percent</th></tr></thead>\n<tbody>\n";
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    const PathRow& row = t.rows[r];
    std::string from, to;
    if (row.kind == "span") {
      const studyfiles::PathSpan& s = t.spans[static_cast<std::size_t>(std::stoi(row.name) - 1)];
      from = s.from;
      to = s.to;
    }
    out += text_printf("<tr class=\"scenario\" data-row=\"%zu\"><td>%s</td><td>%s</td><td>%s</td><td>%s</td>", r,
                       row.kind.c_str(), html_escaped(row.name).c_str(), html_escaped(from).c_str(),
                       html_escaped(to).c_str());
    out += text_printf("<td class=\"num\">%d</td><td class=\"num\">%d</td><td class=\"num\">%d</td><td class=\"num\">%s</td>"
                       "<td class=\"num\">%.2f</td></tr>\n",
                       row.affected, row.ending, row.restored, t.has_bound ? text_printf("%.2f", row.bound).c_str() : "-",
                       percent_of(row));
  }
  out += "</tbody>\n</table>\n";
}

}  // namespace

std::string paths_page(const studyfiles::NodeList& nodes, const PathView& view, Axes axes) {
  const PathTable& t = view.table;
  std::string out = page_opening("Path restoration of " + t.paths_file + " over " + t.netdata_file, kPathsStyle);
  out += "<h2>Summary</h2>\n<pre id=\"summary\">" + html_escaped(studyfiles::path_summary_text(t)) + "</pre>\n";
  out +=
      "<h2>Map</h2>\n<p>Each span, and the ring round each node, in the colour of its own failure's restorability: "
      "the share of the paths it affects that are restored (a dashed grey span affects none). "
      "Click a span, a node or a scenario below to draw what fails and its restoration routes.</p>\n";
  if (!view.groups_note.empty()) out += "<p>" + html_escaped(view.groups_note) + "</p>\n";
  out += "<p id=\"picked\">No scenario picked.</p>\n";
  const MapLayout map = map_layout(nodes, axes);
  out += map_figure(nodes, view.spans, axes, [&view](const MapLayout& m) { return overlay(view, m); });
  out += "<h2>Scenarios</h2>\n<p>Click a scenario to draw it on the map; click a column heading to sort by it.</p>\n";
  append_scenarios(t, out);
  out += scenario_data(view, map);
  out += kPickScript;
  out += page_closing();
  return out;
}

}  // namespace capview
