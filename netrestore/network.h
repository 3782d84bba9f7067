// The node table and span entries that routeweave and linkweave build from
// their lists: nodes by number, the spans that end at each node in the order
// they were first met, and per-span channel tables.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace netrestore {

// Node numbers run from 1 to 399; number 0 stands for a name not found.
constexpr int kNodeSlots = 400;
constexpr int kLargestNodeNumber = kNodeSlots - 1;
constexpr std::size_t kMaxSpansPerNode = 40;
constexpr std::size_t kMaxNameLength = 51;

// A span as recorded at each of its two ends: lower node number first.
struct SpanEntry {
  int lower = 0;
  int higher = 0;
  // The span between two different nodes, given in any order.
  static SpanEntry between(int x, int y) { return x < y ? SpanEntry{x, y} : SpanEntry{y, x}; }
  // The end that is not `here`.
  int other_end(int here) const { return lower == here ? higher : lower; }
};

struct Node {
  int number = 0;
  float v = 0;  // first coordinate, as read
  float h = 0;  // second coordinate, as read
  std::vector<SpanEntry> spans;
  std::string name;
};

// A value per span, indexed by lower node number, then higher node number.
template <typename T>
class SpanTable {
 public:
  T& at(int lower, int higher) { return cells_[index(lower, higher)]; }
  T at(int lower, int higher) const { return cells_[index(lower, higher)]; }

 private:
  static std::size_t index(int lower, int higher) {
    return static_cast<std::size_t>(lower) * kNodeSlots + static_cast<std::size_t>(higher);
  }
  std::vector<T> cells_ = std::vector<T>(static_cast<std::size_t>(kNodeSlots) * kNodeSlots);
};

struct Network {
  std::vector<Node> node = std::vector<Node>(kNodeSlots);
  std::vector<long long> I = std::vector<long long>(kNodeSlots);  // end-point counts
  SpanTable<long long> W;                                          // working channels
  SpanTable<long long> S;                                          // spare channels
  int noOfNodes = 0;
  int largestNodeID = 0;

  // The number of the first node (1 upwards) called `name`, or 0.
  int findID(std::string_view name) const;
  // True when node n holds the span entry (a, b).
  bool ExistSpanEntry(int n, int a, int b) const;
  // Records the span (a, b), a < b, at both ends unless it is there already.
  // When an end has no room for another span, nothing is recorded and that
  // end's number is returned.
  std::optional<int> AddSpan(int a, int b);
  // AddSpan for a span met on line `line` of `file_name`, refusing it with a
  // message naming the node that has no room left.
  Error record_span(int a, int b, const std::string& file_name, int line);
  // Sum of the working channels over the spans of node i.
  long long working_total(int i) const;
  // Sum of the spare channels over the spans of node i.
  long long spare_total(int i) const;
};

// The report of a line whose neighbouring names are one node: its line
// number and text as read, indented by three blanks for the first pair of
// a line and by five for a later one.
void print_duplicated_node(int id, int line_number, const std::string& text, bool first_pair);

// The first node (1 to noOfNodes) with the most spans, and that count;
// both 0 when no node has a span.
struct LargestSpan {
  int nodeWithLargestSpan = 0;
  int largestSpan = 0;
};
LargestSpan find_largest_span(const Network& net);

// The first node (1 to noOfNodes) with the largest working total, and the
// total; both 0 when every total is 0 or less.
struct LargestWorking {
  int nodeWithLargestWorkingChannels = 0;
  long long noOfWorkingChannels = 0;
};
LargestWorking find_largest_working(const Network& net);

// The spare channels of a span with w working channels: the smallest whole
// number not below w times the ratio, the product in double precision.
// Empty when that is no number or lies outside the range of int.
std::optional<long long> spare_channels(long long w, double ratio);

// A number text converted as the programs take their delay and ratio: as
// much of it as reads as a floating-point number, 0 when none does.
double number_from_text(const std::string& text);

}  // namespace netrestore
