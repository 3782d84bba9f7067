// From a network as read to the network of the study: self-loops left out,
// nodes without coordinates placed among their located neighbours or left
// out with their links, parallel links made one span, names made words.
// Every such decision is a note.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "raw_network.h"

// Names are words of these characters, at most this long.
constexpr std::size_t kLongestName = 16;

struct StudyNode {
  std::string name;
  double latitude = 0.0;
  double longitude = 0.0;
};

struct StudySpan {
  int a = 0;  // node indices, a < b
  int b = 0;
  double km = 0.0;
  long long metres = 0;  // the length the routing adds up, exactly
  std::optional<long long> working;  // when the file gives it
};

struct StudyDemand {
  int a = 0;  // node indices, a < b
  int b = 0;
  double value = 0.0;
};

struct TidyNetwork {
  std::vector<StudyNode> nodes;
  std::vector<StudySpan> spans;
  std::vector<StudyDemand> demands;  // one per pair, in order of the pair
  std::vector<std::string> notes;
  int nodes_left_out = 0;
  int nodes_placed = 0;
  int self_loops = 0;
  int parallel_links = 0;  // links merged into a span met before
  int renamed = 0;
};

// The length of the great circle between two points, in km. (The
// simulators compute theirs with arithmetic of their own: their event order
// depends on the last bits of every length.)
double great_circle_km(double lat1, double lon1, double lat2, double lon2);

// The label as a word of [A-Za-z0-9_]: every run of other characters one
// '_', none at either end, at most kLongestName characters; empty when
// nothing is left.
std::string word_of(std::string_view label);

// Refuses (with one line naming the file) what gives no two nodes joined by
// a span.
Error tidy(const RawNetwork& raw, TidyNetwork& out);
