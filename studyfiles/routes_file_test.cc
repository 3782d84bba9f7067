// The routes file: written and read back, refused with the line at fault.
#include "routes_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace studyfiles;

namespace {

TEST(RoutesFile, WrittenAndReadBack) {
  RoutesHeader h{"pathsweep (meshrestore) 1.0.0", "n.txt", "net.dat", "p.txt", true, 4};
  const std::string text = format_routes_header(h) + format_route_line({"span", "1", 2, {"A", "C"}, 0}) +
                           format_route_line({"span", "1", 1, {"A", "E", "D", "C"}, 0}) +
                           format_route_line({"node", "B", 1, {"A", "C"}, 0});
  RoutesFile f;
  const Error e = read_routes_file(text, "r.txt", f);
  ASSERT_FALSE(e) << e.text();
  EXPECT_EQ(f.header.writer, h.writer);
  EXPECT_EQ(f.header.paths_file, "p.txt");
  EXPECT_TRUE(f.header.stub_release);
  EXPECT_EQ(f.header.max_spans, 4);
  ASSERT_EQ(f.routes.size(), 3u);
  EXPECT_EQ(f.routes[1].kind, "span");
  EXPECT_EQ(f.routes[1].name, "1");
  EXPECT_EQ(f.routes[1].channels, 1);
  EXPECT_EQ(f.routes[1].nodes, (std::vector<std::string>{"A", "E", "D", "C"}));
  EXPECT_EQ(f.routes[1].line, 9);
  EXPECT_EQ(f.routes[2].kind, "node");

  const std::string header = format_routes_header(h);
  const struct {
    std::string text;
    const char* message;
  } bad[] = {
      {"", "r.txt:1: not a routes file: no title line"},
      {header.substr(0, header.find("# nodes")), "r.txt:3: expected the line '# nodes ...' of the header"},
      {header + "link 1 1 A C\n", "r.txt:8: expected a route: span, node or group, then its name"},
      {header + "span\n", "r.txt:8: expected the scenario's name"},
      {header + "span 1 0 A C\n", "r.txt:8: expected the channels of the route, a whole number above 0"},
      {header + "span 1 x A C\n", "r.txt:8: expected the channels of the route, a whole number above 0"},
      {header + "span 1 1 A\n", "r.txt:8: a route names at least two nodes"},
  };
  for (const auto& c : bad) {
    RoutesFile g;
    EXPECT_EQ(read_routes_file(c.text, "r.txt", g).text(), c.message) << c.text;
  }
}

}  // namespace
