// A pathsweep table placed on the node list with its routes: the scenarios'
// failed spans and node, refusals of another network or another run naming
// the line, and the page's data holding no character that could end it.
#include "paths.h"

#include <gtest/gtest.h>

#include <string>

using studyfiles::NodeList;
using studyfiles::PathTable;
using studyfiles::RoutesFile;

namespace capview {
namespace {

NodeList square() {
  NodeList nodes;
  nodes.nodes = {{"A", 0.0, 0.0, true}, {"B", 10.0, 0.0, true}, {"C", 10.0, 10.0, true}, {"D<&>", 0.0, 10.0, true}};
  return nodes;
}

// A ring A-B-C-D-A: spans 1 and 2 fail, node B fails, group "g" (no groups
// file here: the page says so).
PathTable ring() {
  PathTable t;
  t.writer = "pathsweep (meshrestore) 1.0.0";
  t.nodes_file = "square.txt";
  t.netdata_file = "square.dat";
  t.paths_file = "paths.txt";
  t.groups_file = "no-such-groups.txt";
  t.fail = "spans,nodes,groups";
  t.paths = 3;
  t.demand_count = 2;
  t.spans = {{"A", "B", 2, 1, 0}, {"B", "C", 1, 1, 0}, {"C", "D<&>", 0, 1, 0}, {"D<&>", "A", 0, 2, 0}};
  t.rows = {{"span", "1", 2, 0, 1, 0}, {"span", "2", 1, 0, 1, 0}, {"node", "B", 0, 3, 0, 0}, {"group", "g", 3, 0, 1, 0}};
  return t;
}

RoutesFile routes() {
  RoutesFile r;
  r.header = {"pathsweep (meshrestore) 1.0.0", "square.txt", "square.dat", "paths.txt", false, 0};
  r.routes = {{"span", "1", 1, {"A", "D<&>", "C", "B"}, 8}, {"group", "g", 1, {"A", "D<&>", "C"}, 9}};
  return r;
}

TEST(CapviewPaths, ScenariosOnTheNodeListWithTheirRoutes) {
  PathView view;
  const RoutesFile r = routes();
  ASSERT_EQ(match_paths(square(), "square.txt", "t.ps", ring(), "r.txt", &r, view), "");
  ASSERT_EQ(view.scenarios.size(), 4u);
  EXPECT_EQ(view.scenarios[0].spans, (std::vector<int>{1}));
  EXPECT_EQ(view.scenarios[2].node, 2);
  EXPECT_EQ(view.scenarios[2].spans, (std::vector<int>{1, 2}));
  ASSERT_EQ(view.scenarios[0].routes.size(), 1u);
  EXPECT_EQ(view.scenarios[0].routes[0].second, (std::vector<int>{1, 4, 3, 2}));
  EXPECT_EQ(view.spans[0].working, 2);  // the paths span 1's failure affects
  EXPECT_EQ(view.spans[0].restored, 1);
  EXPECT_FALSE(view.spans[2].has_row);
  EXPECT_EQ(view.node_row[2], 2);
  EXPECT_NE(view.groups_note.find("no-such-groups.txt could not be read"), std::string::npos);
  // The page: the names escaped in the HTML, the data with no '<' or '&'
  // that could end its element.
  const std::string page = paths_page(square(), view, Axes::automatic);
  const std::size_t data = page.find("id=\"scenario-data\">");
  ASSERT_NE(data, std::string::npos);
  const std::string json = page.substr(data, page.find("</script>", data) - data);
  EXPECT_EQ(json.find_first_of("<&", 1), std::string::npos) << json;
  EXPECT_NE(json.find("\"name\":\"g\""), std::string::npos);
  EXPECT_NE(page.find("D&lt;&amp;&gt;"), std::string::npos);
}

TEST(CapviewPaths, RefusesAnotherNetworkOrRunNamingTheLine) {
  PathView view;
  NodeList other = square();
  other.nodes[2].name = "X";
  EXPECT_EQ(match_paths(other, "other.txt", "t.ps", ring(), "", nullptr, view),
            "t.ps:15: span 2 names C, which is not a node of other.txt: the table is of another network");
  other = square();
  other.nodes[1].name = "Y";
  EXPECT_EQ(match_paths(other, "other.txt", "t.ps", ring(), "", nullptr, view),
            "t.ps:14: span 1 names B, which is not a node of other.txt: the table is of another network");
  RoutesFile r = routes();
  r.header.stub_release = true;
  EXPECT_EQ(match_paths(square(), "square.txt", "t.ps", ring(), "r.txt", &r, view),
            "r.txt:1: the routes are of another run than the table t.ps (files, stub release or the most spans of a route "
            "differ)");
  r = routes();
  r.routes[1].name = "h";
  EXPECT_EQ(match_paths(square(), "square.txt", "t.ps", ring(), "r.txt", &r, view), "r.txt:9: the table t.ps has no row group h");
  r = routes();
  r.routes[0].nodes[1] = "E";
  EXPECT_EQ(match_paths(square(), "square.txt", "t.ps", ring(), "r.txt", &r, view),
            "r.txt:8: the route names E, which is not a node of square.txt: the file is of another network");
}

}  // namespace
}  // namespace capview
