// The path list that routeweave reads and the span list that linkweave
// reads, as netimport writes them.
#pragma once

#include <string>
#include <vector>

// routeweave's and linkweave's node table: node numbers up to 399, at most
// 40 spans at a node.
constexpr int kWeaveLargestNode = 399;
constexpr std::size_t kWeaveSpansPerNode = 40;

// A path line: the names of its nodes in order, then the terminator 45.
std::string path_line(const std::vector<const std::string*>& names);

struct SpanListLine {
  std::string a;
  std::string b;
  long long working = 0;
  long long spare = 0;
  double miles = 0.0;
};

// Five title lines (the first is `title`), then "a b 0 working spare miles"
// per span.
std::string format_span_list(const std::string& title, const std::vector<SpanListLine>& spans);
