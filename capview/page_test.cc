#include "page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "version.h"

using studyfiles::NodeList;

namespace capview {

TEST(Page, ColourRunsFromRedThroughAmberToGreen) {
  EXPECT_EQ(restorability_colour(0.0), "#d73027");
  EXPECT_EQ(restorability_colour(50.0), "#f0a000");
  EXPECT_EQ(restorability_colour(100.0), "#1a9850");
  EXPECT_EQ(restorability_colour(150.0), "#1a9850");
  EXPECT_EQ(restorability_colour(25.0), "#e46814");
}

TEST(Page, LongitudeAndLatitudeAreDrawnNorthUpWithTheAspectKept) {
  NodeList lon_lat, lat_lon;
  // Places between 60 and 65 degrees north: a degree of longitude is drawn
  // as long as at 62.5 degrees.
  for (auto [name, lon, lat] : {std::tuple{"West", 0.0, 60.0}, {"East", 20.0, 60.0}, {"North", 0.0, 65.0}}) {
    lon_lat.nodes.push_back({name, lon, lat, true});
    lat_lon.nodes.push_back({name, lat, lon, true});
  }
  MapLayout map = map_layout(lon_lat);
  ASSERT_EQ(map.x.size(), 3u);
  EXPECT_LT(map.x[0], map.x[1]);  // east to the right
  EXPECT_LT(map.y[2], map.y[0]);  // north up
  double wide = map.x[1] - map.x[0], tall = map.y[0] - map.y[2];
  EXPECT_NEAR(wide / tall, 20.0 * std::cos(62.5 * 3.14159265358979 / 180.0) / 5.0, 1e-6);
  EXPECT_LE(map.x[1], map.width);
  EXPECT_LE(map.y[0], map.height);

  // Latitude first: told, or seen from a second coordinate beyond 90.
  MapLayout told = map_layout(lat_lon, Axes::north_first);
  EXPECT_EQ(told.x, map.x);
  EXPECT_EQ(told.y, map.y);
  lat_lon.nodes[1].second = 120.0;
  MapLayout seen = map_layout(lat_lon);
  EXPECT_LT(seen.x[0], seen.x[1]);
  EXPECT_LT(seen.y[2], seen.y[0]);
}

TEST(Page, LabelsOfNeighbouringNodesDoNotRunIntoEachOther) {
  NodeList list;
  list.nodes.push_back({"Westhaven", 0.0, 10.0, true});
  list.nodes.push_back({"Eastport", 0.1, 10.0, true});  // a few pixels apart on a wide map
  list.nodes.push_back({"Far", 30.0, 0.0, true});
  MapLayout map = map_layout(list);
  std::vector<Label> labels = place_labels(list, map);
  ASSERT_EQ(labels.size(), 3u);
  // They take different places: not both the preferred one, upper right.
  EXPECT_FALSE(labels[0].anchor == Anchor::start && labels[0].y < map.y[0] && labels[1].anchor == Anchor::start &&
               labels[1].y < map.y[1]);
  for (const Label& label : labels) {
    EXPECT_GE(label.y - 11.0, 0.0);
    EXPECT_LE(label.y, map.height);
  }
}

TEST(Page, EscapesNamesAndEmbedsEverything) {
  NodeList list;
  list.nodes.push_back({"A<&>", 0, 0, false});
  list.nodes.push_back({"B\"q", 0, 0, false});
  SpanResult span;
  span.span = 1;
  span.from_node = 1;
  span.to_node = 2;
  span.from = "A<&>";
  span.to = "B\"q";
  span.working = 4;
  span.restored = 3;
  std::vector<SpanResult> spans{span};
  std::string page = page_html(list, spans, summarize(spans), {"n.txt", "x&y.dat", "x&y.out"});
  EXPECT_EQ(page.find("A<&>"), std::string::npos);
  EXPECT_NE(page.find("A&lt;&amp;&gt;"), std::string::npos);
  EXPECT_NE(page.find("<title>span 1: A&lt;&amp;&gt;-B&quot;q, working 4, restored 3 (75.00%)</title>"),
            std::string::npos);
  EXPECT_NE(page.find("stand on a circle"), std::string::npos);
  EXPECT_EQ(page.find("src="), std::string::npos);
  EXPECT_EQ(page.find("href="), std::string::npos);
  // The version that wrote the page: as its generator, and at its foot.
  EXPECT_NE(page.find("<meta name=\"generator\" content=\"" + version_line("capview") + "\"/>"), std::string::npos);
  EXPECT_NE(page.find("<p id=\"written-by\">" + written_by("capview") + "</p>"), std::string::npos);
}

}  // namespace capview
