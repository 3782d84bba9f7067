// The study as one self-contained HTML page: the summary, a map of the
// network with every span coloured by the share of its working capacity
// that can be restored, a legend, and the per-span table, sortable by any
// column. No external scripts, fonts or style sheets: it opens offline. The
// page is well-formed XML as well as HTML.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "netdata.h"
#include "node_list.h"
#include "study.h"
#include "summary.h"

namespace capview {

// The text with &, <, >, " and ' written as character references.
std::string html_escaped(const std::string& text);

// The page's beginning up to its <h1> heading (the title, escaped), with the
// version that wrote it as the page's generator and the common style sheet
// and more_style after it; and its end: the line naming that version, and
// the script that sorts the table of id "span-table" by a clicked column
// heading.
std::string page_opening(const std::string& title, const std::string& more_style);
std::string page_closing();

// Which coordinate of the node list runs north.
enum class Axes {
  automatic,    // the first, when only it can be a latitude; else the second
  east_first,   // x then y, or longitude then latitude
  north_first,  // latitude then longitude, or the vertical coordinate first
};

std::string page_html(const studyfiles::NodeList& nodes, const std::vector<SpanResult>& spans, const Summary& summary,
                      const StudyFiles& files, Axes axes = Axes::automatic);

// Where each node is drawn on the map, in pixels, and the map's size.
struct MapLayout {
  double width = 0.0, height = 0.0;
  std::vector<double> x, y;  // node k at index k - 1
};

// Nodes at their coordinates, scaled to fit with the aspect kept, north up.
// Automatic axes take the first coordinate as east and the second as north,
// unless every first lies within +-90 and some second beyond: then the first
// is a latitude. Longitude and latitude (every north within +-90, every east
// within +-180) are drawn with a degree of longitude shortened as at the
// network's middle latitude. A node list without coordinates places the
// nodes on a circle.
MapLayout map_layout(const studyfiles::NodeList& nodes, Axes axes = Axes::automatic);

// What a page draws over the spans of the map and under the nodes, placed
// by the map's layout.
using MapOverlay = std::function<std::string(const MapLayout&)>;

// The map of the spans coloured by their restorability, the overlay (when
// given) and the legend, as one figure of id "map-figure".
std::string map_figure(const studyfiles::NodeList& nodes, const std::vector<SpanResult>& spans, Axes axes,
                       const MapOverlay& overlay);

// A node's label: its text starts at (x, y), is centred on x, or ends there.
enum class Anchor { start, middle, end };
struct Label {
  double x = 0.0, y = 0.0;
  Anchor anchor = Anchor::start;
};

// Puts every label beside its node (to the right or left, above or below)
// where it covers the least of the other labels and nodes, so that the names
// stay legible on a crowded map.
std::vector<Label> place_labels(const studyfiles::NodeList& nodes, const MapLayout& map);

// Colour of a span restored to the given percent: red at 0, amber at 50,
// green at 100, as "#rrggbb".
std::string restorability_colour(double percent);

}  // namespace capview
