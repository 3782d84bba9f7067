#include "relax_input.h"

#include <array>
#include <climits>
#include <optional>
#include <span>

#include "scanner.h"
#include "textio.h"
#include "text_format.h"

namespace studyfiles {

namespace {

constexpr FieldRange kAnyInt{INT_MIN, INT_MAX};
constexpr std::size_t kNarrowField = 3;
constexpr std::size_t kWidestField = 11;  // "-2147483648"

// The value of a field as "%3d" prints it; nothing when "%3d" never prints
// this text: three columns right-justified, or wider without a leading blank;
// never a leading zero or "-0".
std::optional<long long> printed_field(std::string_view piece) {
  if (piece.size() < kNarrowField || piece.size() > kWidestField) return std::nullopt;
  std::size_t p = 0;
  if (piece.size() == kNarrowField) {
    while (p < piece.size() && piece[p] == ' ') ++p;
  }
  bool negative = p < piece.size() && piece[p] == '-';
  if (negative) ++p;
  if (p >= piece.size() || !is_digit(piece[p])) return std::nullopt;
  if (piece[p] == '0' && (negative || p + 1 != piece.size())) return std::nullopt;
  long long value = 0;
  for (; p < piece.size(); ++p) {
    if (!is_digit(piece[p])) return std::nullopt;
    value = value * 10 + (piece[p] - '0');
  }
  return negative ? -value : value;
}

bool in_range(long long value, const FieldRange& range) { return value >= range.low && value <= range.high; }

// One reading of a line; the lines of the file have at most five fields.
constexpr std::size_t kMaxFields = 5;
struct Reading {
  std::array<long long, kMaxFields> value{};
  std::size_t count = 0;
  bool operator==(const Reading&) const = default;
};

// The first two different readings found.
struct Readings {
  std::array<Reading, 2> reading;
  std::size_t count = 0;
  void add(const Reading& r) {
    if (count < 2 && !(count == 1 && reading[0] == r)) reading[count++] = r;
  }
};

using Ranges = std::span<const FieldRange>;

// Tries every width for the field that starts at pos; keeps the complete
// readings, stopping at the second.
struct FieldSearch {
  std::string_view line;
  Ranges ranges;
  Reading current;
  Readings found;

  void run(std::size_t pos) {
    if (found.count >= 2) return;
    const std::size_t field = current.count;
    if (field == ranges.size()) {
      if (pos == line.size()) found.add(current);
      return;
    }
    const std::size_t fields_after = ranges.size() - field - 1;
    for (std::size_t width = kNarrowField; width <= kWidestField && pos + width <= line.size(); ++width) {
      if (line.size() - pos - width < kNarrowField * fields_after) break;
      std::optional<long long> value = printed_field(line.substr(pos, width));
      if (!value || !in_range(*value, ranges[field])) continue;
      current.value[current.count++] = *value;
      run(pos + width);
      --current.count;
    }
  }
};

// The numbers of a line apart by white space, when it holds exactly the
// wanted count, each in its range.
std::optional<Reading> spaced_reading(std::string_view line, Ranges ranges) {
  Reading reading;
  FieldScanner in(line);
  while (!in.at_end()) {
    if (reading.count == ranges.size()) return std::nullopt;
    const std::optional<long long> value = in.next_whole_word(32);
    if (!value || !in_range(*value, ranges[reading.count])) return std::nullopt;
    reading.value[reading.count++] = *value;
  }
  if (reading.count != ranges.size()) return std::nullopt;
  return reading;
}

std::string_view trim_right(std::string_view text) {
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

// Fields written by "%3d" with nothing between, or failing that, numbers
// apart by white space. When fields read as "%3d" output, the spaced
// reading can add nothing: numbers apart by blanks read the same either way.
Readings readings_of(std::string_view line, Ranges ranges) {
  if (ranges.size() > kMaxFields) return {};
  FieldSearch search{trim_right(line), ranges, {}, {}};
  search.run(0);
  if (search.found.count == 0) {
    if (std::optional<Reading> spaced = spaced_reading(line, ranges)) search.found.add(*spaced);
  }
  return search.found;
}

std::string reading_text(const Reading& reading) {
  std::string text;
  for (std::size_t i = 0; i < reading.count; ++i) text += (i == 0 ? "" : " ") + std::to_string(reading.value[i]);
  return text;
}

// Reads the file line by line, keeping the line number for error texts.
class InputReader {
 public:
  InputReader(std::string_view text, const std::string& name) : text_(text), name_(name) {}

  Error read(RelaxProblem& p) {
    p = RelaxProblem{};
    if (!read_count("the node count", 1, p.node_count) || !read_count("the arc count", 0, arc_count_) ||
        !read_arcs(p) || !read_supplies(p) || !check_rest() || !check_supplies(p) ||
        !check_cost_range(p)) {
      return error_;
    }
    return {};
  }

 private:
  struct Supply {
    int node;
    long long value;
    int line_no;
  };

  bool next_line() {
    if (!read_line(text_, pos_, line_)) return false;
    ++line_no_;
    return true;
  }

  bool fail_at(int line_no, const std::string& what) {
    error_ = Error::at(name_, line_no, what);
    return false;
  }
  bool fail(const std::string& what) { return fail_at(line_no_, what); }
  bool fail_at_end(const std::string& what) { return fail_at(line_no_ + 1, "the file ends before " + what); }

  bool read_count(const char* what, int least, int& count) {
    if (!next_line()) return fail_at_end(what);
    FieldScanner in(line_);
    const std::optional<long long> value = in.next_whole_word(32);
    if (!value || !in.at_end() || *value < least) {
      return fail(text_printf("expected %s, a whole number of at least %d", what, least));
    }
    count = static_cast<int>(*value);
    return true;
  }

  // The one reading of the current line, or an error: no reading (naming
  // the range that a plain reading breaks, when there is one), or two.
  // `line_kind` and `number` name the line ("arc line", 3) in error texts.
  std::optional<Reading> read_line_fields(Ranges ranges, const char* line_kind, int number,
                                          std::span<const char* const> names) {
    const Readings found = readings_of(line_, ranges);
    if (found.count == 1) return found.reading[0];
    const std::string what = text_printf("%s %d", line_kind, number);
    if (found.count > 1) {
      fail(what + " reads two ways: \"" + reading_text(found.reading[0]) + "\" or \"" +
           reading_text(found.reading[1]) + "\"");
      return std::nullopt;
    }
    const std::array<FieldRange, kMaxFields> any{kAnyInt, kAnyInt, kAnyInt, kAnyInt, kAnyInt};
    const Readings plain = readings_of(line_, Ranges(any).first(ranges.size()));
    for (std::size_t i = 0; plain.count == 1 && i < ranges.size(); ++i) {
      const long long value = plain.reading[0].value[i];
      if (in_range(value, ranges[i])) continue;
      if (ranges[i].low == ranges[i].high) {
        fail(text_printf("%s: %s %lld, expected %lld", what.c_str(), names[i], value, ranges[i].low));
      } else {
        fail(text_printf("%s: %s %lld is not in %lld..%lld", what.c_str(), names[i], value, ranges[i].low,
                         ranges[i].high));
      }
      return std::nullopt;
    }
    std::string expected;
    for (const char* n : names) expected += (expected.empty() ? "" : ", ") + std::string(n);
    fail("expected " + what + ": " + expected);
    return std::nullopt;
  }

  bool read_arcs(RelaxProblem& p) {
    static constexpr std::array<const char*, 5> kNames{"arc number", "from node", "to node", "cost", "capacity"};
    std::array<FieldRange, 5> ranges{FieldRange{0, 0}, {1, p.node_count}, {1, p.node_count}, kAnyInt, kAnyInt};
    for (int k = 1; k <= arc_count_; ++k) {
      if (!next_line()) return fail_at_end(text_printf("arc line %d", k));
      ranges[0] = {k, k};
      std::optional<Reading> r = read_line_fields(ranges, "arc line", k, kNames);
      if (!r) return false;
      const auto& v = r->value;
      if (v[4] < 0) return fail(text_printf("arc %d has a negative capacity, %lld", k, v[4]));
      p.arcs.push_back({static_cast<int>(v[1]), static_cast<int>(v[2]), v[3], v[4]});
    }
    return true;
  }

  // Node n is on the n-th supply line, as arc k is on the k-th arc line:
  // without that, "1011234" could be node 101 taking 1234 or node 1011
  // taking 234.
  bool read_supplies(const RelaxProblem& p) {
    static constexpr std::array<const char*, 2> kNames{"node number", "value"};
    for (int i = 1; i <= p.node_count; ++i) {
      if (!next_line()) return fail_at_end(text_printf("supply line %d", i));
      const std::array<FieldRange, 2> ranges{FieldRange{i, i}, kAnyInt};
      std::optional<Reading> r = read_line_fields(ranges, "supply line", i, kNames);
      if (!r) return false;
      supplies_.push_back({i, r->value[1], line_no_});
    }
    return true;
  }

  bool check_rest() {
    while (next_line()) {
      if (!trim_right(line_).empty()) return fail("unexpected text after the supply lines");
    }
    return true;
  }

  // One source (negative value), one sink (positive), sending and taking
  // the same amount.
  bool check_supplies(RelaxProblem& p) {
    for (const Supply& s : supplies_) {
      if (s.value < 0) {
        if (p.source != 0) return fail_at(s.line_no, text_printf("node %d is a second source (node %d is the first)", s.node, p.source));
        p.source = s.node;
        p.demand = -s.value;
      } else if (s.value > 0) {
        if (p.sink != 0) return fail_at(s.line_no, text_printf("node %d is a second sink (node %d is the first)", s.node, p.sink));
        p.sink = s.node;
        sink_value_ = s.value;
      }
    }
    if (p.source == 0 && p.sink == 0) return fail_whole("no demand: every supply value is 0");
    if (p.source == 0) return fail_whole("no source: no node has a negative value");
    if (p.sink == 0) return fail_whole("no sink: no node has a positive value");
    if (p.demand != sink_value_) {
      return fail_whole(text_printf("the supplies do not balance: node %d sends %lld, node %d takes %lld", p.source,
                                    p.demand, p.sink, sink_value_));
    }
    return true;
  }

  // The solve adds up cost times flow in 64 bits: refuse problems where that
  // sum could overflow (no network capsweep writes comes near).
  bool check_cost_range(const RelaxProblem& p) {
    __int128 total = 0;
    for (const RelaxArc& a : p.arcs) {
      total += cost_weight(a);
      if (total > kCostWeightLimit) return fail_whole("costs times capacities add up to more than the solver can hold");
    }
    return true;
  }

  bool fail_whole(const std::string& what) {
    error_ = Error::of(name_ + ": " + what);
    return false;
  }

  std::string_view text_;
  const std::string& name_;
  std::size_t pos_ = 0;
  int line_no_ = 0;
  std::string line_;
  Error error_;
  int arc_count_ = 0;
  std::vector<Supply> supplies_;
  long long sink_value_ = 0;
};

}  // namespace

std::vector<std::vector<long long>> read_fields(std::string_view line, const std::vector<FieldRange>& ranges) {
  const Readings found = readings_of(line, ranges);
  std::vector<std::vector<long long>> readings;
  for (std::size_t i = 0; i < found.count; ++i) {
    const Reading& r = found.reading[i];
    readings.emplace_back(r.value.begin(), r.value.begin() + static_cast<std::ptrdiff_t>(r.count));
  }
  return readings;
}

Error read_relax_input(std::string_view text, const std::string& name, RelaxProblem& out) {
  return InputReader(text, name).read(out);
}

}  // namespace studyfiles
