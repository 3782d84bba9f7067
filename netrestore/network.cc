#include "network.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "scanner.h"

namespace netrestore {

int Network::findID(std::string_view name) const {
  for (int i = 1; i < kNodeSlots; ++i) {
    // Records that no node line filled have empty names and never match.
    if (!node[i].name.empty() && node[i].name == name) return i;
  }
  return 0;
}

bool Network::ExistSpanEntry(int n, int a, int b) const {
  for (const SpanEntry& e : node[n].spans) {
    if (e.lower == a && e.higher == b) return true;
  }
  return false;
}

std::optional<int> Network::AddSpan(int a, int b) {
  const bool at_a = ExistSpanEntry(a, a, b);
  const bool at_b = ExistSpanEntry(b, a, b);
  if (!at_a && node[a].spans.size() >= kMaxSpansPerNode) return a;
  if (!at_b && node[b].spans.size() >= kMaxSpansPerNode) return b;
  if (!at_a) node[a].spans.push_back({a, b});
  if (!at_b) node[b].spans.push_back({a, b});
  return std::nullopt;
}

Error Network::record_span(int a, int b, const std::string& file_name, int line) {
  const std::optional<int> full = AddSpan(a, b);
  if (!full) return Error();
  return Error::at(file_name, line,
                   text_printf("node %d (%s) would have more than 40 spans", *full, node[*full].name.c_str()));
}

long long Network::working_total(int i) const {
  long long total = 0;
  for (const SpanEntry& e : node[i].spans) total += W.at(e.lower, e.higher);
  return total;
}

long long Network::spare_total(int i) const {
  long long total = 0;
  for (const SpanEntry& e : node[i].spans) total += S.at(e.lower, e.higher);
  return total;
}

void print_duplicated_node(int id, int line_number, const std::string& text, bool first_pair) {
  std::printf("Error: Duplicated nodeID, %d, should not exist in a path!\n", id);
  std::printf(first_pair ? "   in line %d: %s\n" : "     in line %d: %s\n", line_number, text.c_str());
}

LargestSpan find_largest_span(const Network& net) {
  LargestSpan largest;
  for (int i = 1; i <= net.noOfNodes; ++i) {
    const int count = static_cast<int>(net.node[i].spans.size());
    if (count > largest.largestSpan) largest = {i, count};
  }
  return largest;
}

LargestWorking find_largest_working(const Network& net) {
  LargestWorking largest;
  for (int i = 1; i <= net.noOfNodes; ++i) {
    const long long total = net.working_total(i);
    if (total > largest.noOfWorkingChannels) largest = {i, total};
  }
  return largest;
}

std::optional<long long> spare_channels(long long w, double ratio) {
  const double s = std::ceil(static_cast<double>(w) * ratio);
  if (!(s >= static_cast<double>(INT_MIN) && s <= static_cast<double>(INT_MAX))) return std::nullopt;
  return static_cast<long long>(s);
}

// strtod on the whole text: white space skipped, the rest after the number
// left unread.
double number_from_text(const std::string& text) { return FieldScanner(text).next_double().value_or(0.0); }

}  // namespace netrestore
