// The span list: five title lines, then one span per line, "name name
// unused working spare miles". netimport writes it; linkweave reads it and
// puts its spans into the node and span tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network.h"

namespace netrestore {

constexpr int kSpanListTitleLines = 5;

// A span line. The writer takes the fields from `a` on; the reader sets the
// line's number, its text and whether it was complete as well.
struct SpanLine {
  int line_number = 0;  // in the file, the first title line being line 1
  std::string text;     // as read, line feed included
  bool complete = false;  // all six fields were read
  std::string a;
  std::string b;
  int working = 0;
  int spare = 0;
  double miles = 0;  // written "%f"; read as "%f" reads it, to float precision
};

// The five title lines (the first is `title`), then "a b 0 working spare
// miles" per span.
std::string format_span_list(const std::string& title, const std::vector<SpanLine>& spans);

// Every line after the title lines, complete or not.
std::vector<SpanLine> parse_span_list(std::string_view text);

// The span tables of linkweave beside the shared node table.
struct SpanNetwork {
  Network net;
  SpanTable<float> M;  // span length in miles
  int noOfSpans = 0;   // span lines read, skipped lines left out
};

// Puts each span line into the tables: a span named again takes the later
// line's values. Lines that are incomplete, have a negative channel count
// or join a node to itself are reported and add nothing. Stops only when a
// node would get more spans than its record holds.
Error count_spans(SpanNetwork& sn, const std::vector<SpanLine>& lines, const std::string& file_name);

// The number of path lines: one per working channel of every span written
// under its lower end (1 to noOfNodes).
long long path_count(const Network& net);

}  // namespace netrestore
