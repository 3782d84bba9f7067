#include <gtest/gtest.h>

#include "csv.h"
#include "gml.h"
#include "netimport.h"
#include "sndlib.h"

TEST(Gml, PassesOverNestedListsCommentsAndOtherKeys) {
  RawNetwork net;
  const char* text =
      "# written by hand\n"
      "graph [ directed 1\n"
      "  node [ id 3 graphics [ x 1.5 y -2 fill \"#ff0000\" ] label 42 LATITUDE 1e1 longitude -5 ]\n"
      "  edge [ source 4 target 3 ]\n"
      "  node [ id 4 label \"a &amp; &quot;b&quot;\"\n"
      "  ]\n"
      "]\n";
  ASSERT_FALSE(read_gml(text, "n.gml", net));
  ASSERT_EQ(net.nodes.size(), 2u);
  EXPECT_EQ(net.nodes[0].label, "42");
  EXPECT_TRUE(net.nodes[0].located);
  EXPECT_DOUBLE_EQ(net.nodes[0].latitude, 10.0);
  EXPECT_DOUBLE_EQ(net.nodes[0].longitude, -5.0);
  EXPECT_FALSE(net.nodes[1].located);
  EXPECT_EQ(net.nodes[1].label, "a & \"b\"");
  EXPECT_EQ(net.nodes[1].line, 5);
  ASSERT_EQ(net.links.size(), 1u);  // an edge before the node it names
  EXPECT_EQ(net.links[0].a, 1);
  EXPECT_EQ(net.links[0].b, 0);
  ASSERT_EQ(net.notes.size(), 1u);
  EXPECT_EQ(net.notes[0], "n.gml:2: the graph is directed: each edge is taken as a span both ways");
}

TEST(Gml, NamesTheLineOfEachFault) {
  const std::pair<const char*, const char*> cases[] = {
      {"graph [\n node [ id 1.5 ]\n]", "n.gml:2: a node id is not a whole number"},
      {"graph [\n node [ label \"x\" ]\n]", "n.gml:2: expected a node id"},
      {"graph [\n edge [ source 1 ]\n node [ id 1 ]\n]", "n.gml:2: expected the target of an edge"},
      {"graph [\n node [ id 1 Latitude \"north\" ]\n]", "n.gml:2: Latitude is not a number"},
      {"graph [\n node [ id 1 Longitude 181 ]\n]", "n.gml:2: Longitude 181 lies outside -180 to 180"},
      {"graph [ node [ id 1 ] ] ]", "n.gml:1: a ']' closes no list"},
      {"graph [\n node [ id 1 ]\n\n", "n.gml:1: a list opened here with '[' is never closed"},
      {"graph [ node\n", "n.gml:2: the file ends before the value of node"},
      {"graph [ 7 ]", "n.gml:1: expected a key, found '7'"},
      {"node [ id 1 ]", "n.gml: no graph [ ... ] in the file"},
      {"graph [ node [ id 1 label \"\x01\xff\" ] node x ]", "n.gml:1: the value of node is not a number, a string or a list: 'x'"},
  };
  for (const auto& [text, message] : cases) {
    RawNetwork net;
    const Error e = read_gml(text, "n.gml", net);
    EXPECT_EQ(e.text(), message) << text;
  }
}

TEST(Gml, RefusesListsNestedWithoutEnd) {
  RawNetwork net;
  std::string text = "graph [";
  for (int k = 0; k < 100000; ++k) text += " a [";
  EXPECT_EQ(read_gml(text, "n.gml", net).text(), "n.gml:1: lists nested deeper than 64");
}

TEST(Sndlib, ReadsEntriesOfOneLineAndSkipsOtherSections) {
  RawNetwork net;
  const char* text =
      "?SNDlib native format; type: network; version: 1.0\n"
      "NODES (\n  a ( 1 2 ) # comment ( with a bracket\n  b ( 3 4 )\n)\n"
      "ADMISSIBLE_PATHS ( d ( p ( l ) ) )\n"
      "LINKS (\n  l ( a b ) 1 2 3 4 ( 5 ( 6 ) 7 )\n  m ( b a )\n)\n"
      "DEMANDS (\n  d ( b a ) 1 2.5 UNLIMITED\n)\n";
  ASSERT_FALSE(read_sndlib(text, "s.txt", net)) << read_sndlib(text, "s.txt", net).text();
  ASSERT_EQ(net.nodes.size(), 2u);
  EXPECT_DOUBLE_EQ(net.nodes[1].longitude, 3.0);
  EXPECT_DOUBLE_EQ(net.nodes[1].latitude, 4.0);
  EXPECT_EQ(net.links.size(), 2u);
  ASSERT_EQ(net.demands.size(), 1u);
  EXPECT_EQ(net.demands[0].a, 1);
  EXPECT_DOUBLE_EQ(net.demands[0].value, 2.5);
  EXPECT_EQ(net.demands[0].line, 12);
}

TEST(Sndlib, NamesTheLineOfEachFault) {
  const std::string head = "?SNDlib native format; type: network; version: 1.0\n";
  const std::pair<std::string, const char*> cases[] = {
      {"NODES (\n a ( 1 )\n)\n", "s.txt:3: expected the latitude of a, found ')'"},
      {"NODES (\n a ( 1 2 )\n a ( 1 2 )\n)\n", "s.txt:4: node a is given twice (first on line 3)"},
      {"NODES (\n a ( 1 2 )\n", "s.txt:2: the section NODES opened here is never closed"},
      {"NODES\n", "s.txt:2: the file ends; expected '(' after the section name NODES"},
      {"( x )", "s.txt:2: expected the name of a section, found '('"},
      {"NODES ( a ( 1 2 ) b ( 3 4 ) )\nDEMANDS (\n d ( a b ) 1\n)\n", "s.txt:4: expected a routing unit and a demand value after the two ends"},
  };
  for (const auto& [text, message] : cases) {
    RawNetwork net;
    EXPECT_EQ(read_sndlib(head + text, "s.txt", net).text(), message) << text;
  }
}

TEST(Csv, QuotedFieldsAndShortRows) {
  RawNetwork net;
  ASSERT_FALSE(read_csv("longitude,name,latitude\n1,\"a \"\"b\"\", c\",2\n,d\n", "n.csv", "b,a\nd,\"a \"\"b\"\", c\"\n",
                        "l.csv", net));
  ASSERT_EQ(net.nodes.size(), 2u);
  EXPECT_EQ(net.nodes[0].label, "a \"b\", c");
  EXPECT_TRUE(net.nodes[0].located);
  EXPECT_FALSE(net.nodes[1].located);  // no coordinates at all
  ASSERT_EQ(net.links.size(), 1u);
  EXPECT_EQ(net.links[0].a, 0);
  EXPECT_EQ(net.links[0].b, 1);
  RawNetwork bad;
  EXPECT_EQ(read_csv("name,latitude,longitude\n\"a,1,2\n", "n.csv", "a,b\n", "l.csv", bad).text(),
            "n.csv:2: a field opened here with '\"' is never closed");
  EXPECT_EQ(read_csv("name,latitude,longitude\nx,1,\n", "n.csv", "a,b\n", "l.csv", bad).text(),
            "n.csv:2: the longitude '' is not a number from -180 to 180");
  EXPECT_EQ(read_csv("", "n.csv", "a,b\n", "l.csv", bad).text(),
            "n.csv: empty file; expected the header line name,latitude,longitude");
}

TEST(Form, RecognisedByContent) {
  EXPECT_EQ(form_of("\n ?SNDlib native format; type: network; version: 1.0\n"), "SNDlib native");
  EXPECT_EQ(form_of("Creator \"x\"\ngraph\n[ ]"), "GML");
  EXPECT_EQ(form_of("graphs are [ not here"), "");
  EXPECT_EQ(form_of("name,latitude,longitude\n"), "");
}
