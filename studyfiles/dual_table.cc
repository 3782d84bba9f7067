#include "dual_table.h"

#include <optional>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

namespace {

constexpr const char* kTitle = "# dualsweep: every pair of spans cut at once\n";
constexpr const char* kWrittenBy = "# written by ";
constexpr const char* kColumns = "# span_i span_j w_i w_j r_i r_j ends_of_i ends_of_j R_ij";

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string format_dual_header(const DualTable& t) {
  std::string h = kTitle;
  if (!t.written_by.empty()) h += kWrittenBy + t.written_by + "\n";
  h += "# netdata " + t.netdata_file + "\n";
  h += "# nodes " + t.nodes_file + "\n";
  h += t.has_bound ? "# bound yes\n" : "# bound no\n";
  if (t.cut_rate.empty())
    h += "# availability none\n";
  else
    h += "# availability cut-rate " + t.cut_rate + " repair-hours " + t.repair_hours + " length " + t.length_unit +
         "\n";
  if (t.slices > 0) h += text_printf("# slice %d/%d\n", t.slice, t.slices);
  h += text_printf("# spans %zu\n", t.spans.size());
  for (std::size_t k = 0; k < t.spans.size(); ++k) {
    const DualSpan& s = t.spans[k];
    h += text_printf("# span %zu %s %s working %d restored %d length %d\n", k + 1, s.from.c_str(), s.to.c_str(),
                     s.working, s.restored, s.cost);
  }
  h += kColumns;
  h += t.has_bound ? " bound\n" : "\n";
  return h;
}

int dual_span_line(const DualTable& t, int k) {
  // The title, the line of the program that wrote it (when known), the
  // netdata, nodes, bound and availability lines, the slice line of a
  // slice's table, the spans line, then one line per span.
  return 6 + (t.written_by.empty() ? 0 : 1) + (t.slices > 0 ? 1 : 0) + k;
}

double dual_percent(const DualTable& t, const DualRow& row) {
  const DualSpan& a = t.spans[static_cast<std::size_t>(row.i - 1)];
  const DualSpan& b = t.spans[static_cast<std::size_t>(row.j - 1)];
  const long long lost = static_cast<long long>(a.working) + b.working;
  return lost > 0 ? static_cast<double>(static_cast<long long>(row.r_i) + row.r_j) * 100.0 / static_cast<double>(lost)
                  : 0.0;
}

std::string format_dual_row(const DualTable& t, const DualRow& row) {
  const DualSpan& a = t.spans[static_cast<std::size_t>(row.i - 1)];
  const DualSpan& b = t.spans[static_cast<std::size_t>(row.j - 1)];
  std::string line = text_printf("%-5d %-5d %6d %6d %6d %6d  %s %s  %s %s  %6.2f%%", row.i, row.j, a.working, b.working,
                                 row.r_i, row.r_j, a.from.c_str(), a.to.c_str(), b.from.c_str(), b.to.c_str(),
                                 dual_percent(t, row));
  if (t.has_bound) line += text_printf(" %10.2f", row.bound);
  return line + "\n";
}

std::string format_dual_table(const DualTable& t) {
  std::string text = format_dual_header(t);
  for (const DualRow& row : t.rows) text += format_dual_row(t, row);
  return text;
}

namespace {

// Reads the lines of one table in turn.
class TableReader {
 public:
  TableReader(std::string_view text, const std::string& file) : lines_(lines_as_read(text)), file_(file) {}

  Error read(DualTable& t) {
    if (lines_.empty() || lines_[0] != kTitle) return Error::at(file_, 1, "not a dualsweep table: no title line");
    next_ = 1;
    std::string_view line;
    if (header_line(kWrittenBy, line)) {
      if (line.empty()) return Error::at(file_, line_number() - 1, "the line of the program that wrote the table names none");
      t.written_by = std::string(line);
    }
    if (!header_line("# netdata ", line)) return missing("the netdata line");
    t.netdata_file = std::string(line);
    if (!header_line("# nodes ", line)) return missing("the nodes line");
    t.nodes_file = std::string(line);
    if (!header_line("# bound ", line) || (line != "yes" && line != "no")) return missing("the bound line (yes or no)");
    t.has_bound = line == "yes";
    if (Error e = read_availability(t)) return e;
    if (next_ < lines_.size() && starts_with(lines_[next_], "# slice ")) {
      // "K/N": the two numbers read as two words.
      std::string slice(without_line_end(lines_[next_]).substr(8));
      const std::size_t slash = slice.find('/');
      if (slash != std::string::npos) slice[slash] = ' ';
      FieldScanner f(slice, line_number());
      const std::optional<long long> k = f.next_whole_word(32);
      const std::optional<long long> n = f.next_whole_word(32);
      if (slash == std::string::npos || slice.find_first_of(" \t") != slash || slash + 1 >= slice.size() ||
          slice[slash + 1] < '0' || slice[slash + 1] > '9' || !k || !n || *n < 1 || *k < 1 || *k > *n ||
          !f.at_end())
        return here("the slice line must read K/N with 1 <= K <= N");
      t.slice = static_cast<int>(*k);
      t.slices = static_cast<int>(*n);
      ++next_;
    }
    if (Error e = read_spans(t)) return e;
    std::string columns = std::string(kColumns) + (t.has_bound ? " bound" : "");
    if (!header_line(columns, line) || !line.empty()) return missing("the column line");
    while (next_ < lines_.size()) {
      if (Error e = read_row(t)) return e;
      ++next_;
    }
    return {};
  }

 private:
  int line_number() const { return static_cast<int>(next_) + 1; }
  Error here(const std::string& what) const { return Error::at(file_, line_number(), what); }
  Error missing(const std::string& what) const { return here("expected " + what + " of the header"); }

  // The next line, when it begins with `prefix`: the rest of it, without its
  // line end.
  bool header_line(std::string_view prefix, std::string_view& rest) {
    if (next_ >= lines_.size()) return false;
    const std::string_view l = without_line_end(lines_[next_]);
    if (!starts_with(l, prefix)) return false;
    rest = l.substr(prefix.size());
    ++next_;
    return true;
  }

  Error read_availability(DualTable& t) {
    std::string_view line;
    const int at = line_number();
    if (!header_line("# availability ", line)) return missing("the availability line");
    if (line == "none") return {};
    FieldScanner f(line, at);
    const char* keys[] = {"cut-rate", "repair-hours", "length"};
    std::string* values[] = {&t.cut_rate, &t.repair_hours, &t.length_unit};
    for (int k = 0; k < 3; ++k) {
      if (f.next_word().value_or("") != keys[k]) return Error::at(file_, f.line(), "the availability line is garbled");
      std::optional<std::string> value = f.next_word();
      if (!value) return Error::at(file_, f.line(), "the availability line is garbled");
      *values[k] = *value;
    }
    if (!f.at_end()) return Error::at(file_, f.line(), "the availability line is garbled");
    for (const std::string* number : {&t.cut_rate, &t.repair_hours}) {
      FieldScanner digits(*number, at);
      const std::optional<double> v = digits.next_decimal_word();
      if (number->find_first_not_of("0123456789.") != std::string::npos || !v || !digits.at_end())
        return Error::at(file_, at, "the cut rate and the repair hours must be plain decimal numbers");
    }
    if (t.length_unit != "km" && t.length_unit != "miles") return Error::at(file_, at, "lengths are in km or miles");
    return {};
  }

  Error read_spans(DualTable& t) {
    std::string_view line;
    const int at = line_number();
    if (!header_line("# spans ", line)) return missing("the spans line");
    FieldScanner count(line, at);
    std::optional<long long> n = count.next_whole_word(32);
    if (!n || *n < 0 || !count.at_end()) return Error::at(file_, at, "the spans line must give the number of spans");
    // A count beyond the lines left is refused before any span is read.
    if (static_cast<unsigned long long>(*n) > lines_.size() - next_) return here("fewer span lines than the spans line says");
    for (long long k = 1; k <= *n; ++k) {
      if (!header_line("# span ", line)) return missing(text_printf("the line of span %lld", k));
      FieldScanner f(line, line_number() - 1);
      DualSpan s;
      std::optional<long long> number = f.next_whole_word(32);
      std::optional<std::string> from = f.next_word(), to = f.next_word();
      bool ok = number && *number == k && from && to;
      long long values[3] = {0, 0, 0};
      const char* keys[] = {"working", "restored", "length"};
      for (int m = 0; ok && m < 3; ++m) {
        ok = f.next_word().value_or("") == keys[m];
        std::optional<long long> v = ok ? f.next_whole_word(32) : std::nullopt;
        ok = ok && v.has_value();
        if (ok) values[m] = *v;
      }
      if (!ok || !f.at_end()) return Error::at(file_, line_number() - 1, text_printf("the line of span %lld is garbled", k));
      if (values[0] < 0 || values[1] < 0 || values[1] > values[0])
        return Error::at(file_, line_number() - 1,
                         text_printf("span %lld restores %lld of %lld working channels", k, values[1], values[0]));
      s.from = *from;
      s.to = *to;
      s.working = static_cast<int>(values[0]);
      s.restored = static_cast<int>(values[1]);
      s.cost = static_cast<int>(values[2]);
      t.spans.push_back(std::move(s));
    }
    return {};
  }

  Error read_row(DualTable& t) {
    FieldScanner f(lines_[next_], line_number());
    const int n = static_cast<int>(t.spans.size());
    long long v[6];
    for (long long& x : v) {
      std::optional<long long> read = f.next_whole_word(32);
      if (!read) return here("expected a row: two span numbers, w_i, w_j, r_i, r_j");
      x = *read;
    }
    DualRow row{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[4]), static_cast<int>(v[5]), 0.0};
    if (v[0] < 1 || v[0] >= v[1] || v[1] > n) return here(text_printf("no pair of spans %lld and %lld (1..%d, the first the smaller)", v[0], v[1], n));
    if (!t.rows.empty()) {
      const DualRow& last = t.rows.back();
      if (row.i < last.i || (row.i == last.i && row.j <= last.j)) return here("rows out of span order");
    }
    const DualSpan& a = t.spans[static_cast<std::size_t>(row.i - 1)];
    const DualSpan& b = t.spans[static_cast<std::size_t>(row.j - 1)];
    if (v[2] != a.working || v[3] != b.working) return here("the working channels differ from the span lines");
    if (a.working + b.working == 0) return here("a pair without working channels has no row");
    if (v[4] < 0 || v[4] > v[2] || v[5] < 0 || v[5] > v[3]) return here("a span restores more than it loses, or less than nothing");
    const std::string names[] = {a.from, a.to, b.from, b.to};
    for (const std::string& name : names)
      if (f.next_word().value_or("") != name) return here("the end names differ from the span lines");
    const std::string percent = text_printf("%6.2f%%", dual_percent(t, row));
    std::optional<std::string> p = f.next_word();
    if (!p || *p != std::string_view(percent).substr(percent.find_first_not_of(' '))) return here("R_ij is not (r_i + r_j) / (w_i + w_j)");
    if (t.has_bound) {
      std::optional<double> bound = f.next_decimal_word();
      if (!bound || !(*bound >= 0.0) || *bound > 1e15) return here("expected the bound");
      row.bound = *bound;
    }
    if (!f.at_end()) return here("more fields than a row has");
    t.rows.push_back(row);
    return {};
  }

  std::vector<std::string_view> lines_;
  const std::string& file_;
  std::size_t next_ = 0;
};

}  // namespace

Error read_dual_table(std::string_view text, const std::string& file_name, DualTable& out) {
  out = DualTable{};
  return TableReader(text, file_name).read(out);
}

}  // namespace studyfiles
