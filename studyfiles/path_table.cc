#include "path_table.h"

#include <cstdlib>
#include <optional>
#include <set>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

namespace {

constexpr const char* kTitle = "# pathsweep: path restoration of every failure scenario\n";
constexpr const char* kColumns = "# kind name affected ending restored bound R ends";
constexpr const char* kKinds[] = {"span", "node", "group"};

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int kind_rank(std::string_view kind) {
  for (int k = 0; k < 3; ++k)
    if (kind == kKinds[k]) return k;
  return -1;
}

// A plain decimal number as the options take it: digits and one point at most.
bool plain_decimal(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
  if (text.find('.') != text.rfind('.') || text == ".") return false;
  return true;
}

}  // namespace

double two_decimals(double value) { return std::strtod(text_printf("%.2f", value).c_str(), nullptr); }

double path_percent(const PathRow& row) {
  return row.affected > 0 ? static_cast<double>(row.restored) * 100.0 / row.affected : 100.0;
}

std::string format_path_header(const PathTable& t) {
  std::string h = kTitle;
  h += "# written by " + t.writer + "\n";
  h += "# nodes " + t.nodes_file + "\n";
  h += "# netdata " + t.netdata_file + "\n";
  h += "# paths " + t.paths_file + "\n";
  h += "# groups " + (t.groups_file.empty() ? std::string("none") : t.groups_file) + "\n";
  h += "# fail " + t.fail + "\n";
  h += t.stub_release ? "# stub-release yes\n" : "# stub-release no\n";
  h += t.max_spans > 0 ? text_printf("# max-spans %d\n", t.max_spans) : "# max-spans none\n";
  h += t.has_bound ? "# bound yes\n" : "# bound no\n";
  if (!t.has_availability())
    h += "# availability none\n";
  else
    h += "# availability cut-rate " + (t.cut_rate.empty() ? "-" : t.cut_rate) + " node-rate " +
         (t.node_rate.empty() ? "-" : t.node_rate) + " repair-hours " + t.repair_hours + " length " + t.length_unit + "\n";
  h += text_printf("# working paths %d demands %d\n", t.paths, t.demand_count);
  h += text_printf("# spans %zu\n", t.spans.size());
  // Names are joined as they stand, not through a format: a name is any
  // word, a NUL byte included.
  for (std::size_t k = 0; k < t.spans.size(); ++k) {
    const PathSpan& s = t.spans[k];
    h += text_printf("# span %zu ", k + 1) + s.from + " " + s.to +
         text_printf(" working %d spare %d length %d\n", s.working, s.spare, s.length);
  }
  for (std::size_t k = 0; k < t.demands.size(); ++k) {
    const PathDemand& d = t.demands[k];
    h += text_printf("# demand %zu ", k + 1) + d.from + " " + d.to +
         text_printf(" paths %d unavailability %.6e\n", d.paths, d.unavailability);
  }
  return h + kColumns + "\n";
}

std::string format_path_row(const PathTable& t, const PathRow& row) {
  const std::string bound = t.has_bound ? text_printf("%.2f", row.bound) : "-";
  // "%-5s %-12s" without the format, as the header's names.
  std::string line = row.kind + std::string(row.kind.size() < 5 ? 5 - row.kind.size() : 0, ' ') + " " + row.name +
                     std::string(row.name.size() < 12 ? 12 - row.name.size() : 0, ' ') +
                     text_printf(" %8d %8d %8d %10s %7.2f%%", row.affected, row.ending, row.restored, bound.c_str(),
                                 path_percent(row));
  if (row.kind == "span") {
    const PathSpan& s = t.spans[static_cast<std::size_t>(std::atoi(row.name.c_str()) - 1)];
    line += "  " + s.from + " " + s.to;
  }
  return line + "\n";
}

std::string format_path_table(const PathTable& t) {
  std::string text = format_path_header(t);
  for (const PathRow& row : t.rows) text += format_path_row(t, row);
  return text;
}

namespace {

class TableReader {
 public:
  TableReader(std::string_view text, const std::string& file) : lines_(lines_as_read(text)), file_(file) {}

  Error read(PathTable& t) {
    if (lines_.empty() || lines_[0] != kTitle) return Error::at(file_, 1, "not a pathsweep table: no title line");
    next_ = 1;
    std::string_view line;
    if (!header_line("# written by ", line) || line.empty()) return missing("the line of the program that wrote it");
    t.writer = std::string(line);
    const std::pair<const char*, std::string*> files[] = {
        {"# nodes ", &t.nodes_file}, {"# netdata ", &t.netdata_file}, {"# paths ", &t.paths_file}, {"# groups ", &t.groups_file}};
    for (const auto& [prefix, value] : files) {
      if (!header_line(prefix, line) || line.empty()) return missing(std::string("the ") + (prefix + 2) + "line");
      *value = std::string(line);
    }
    if (t.groups_file == "none") t.groups_file.clear();
    if (Error e = read_fail(t)) return e;
    if (!header_line("# stub-release ", line) || (line != "yes" && line != "no")) return missing("the stub-release line (yes or no)");
    t.stub_release = line == "yes";
    if (Error e = read_max_spans(t)) return e;
    if (!header_line("# bound ", line) || (line != "yes" && line != "no")) return missing("the bound line (yes or no)");
    t.has_bound = line == "yes";
    if (Error e = read_availability(t)) return e;
    if (Error e = read_counts(t)) return e;
    if (Error e = read_spans(t)) return e;
    if (t.has_availability())
      if (Error e = read_demands(t)) return e;
    if (!header_line(kColumns, line) || !line.empty()) return missing("the column line");
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

  bool header_line(std::string_view prefix, std::string_view& rest) {
    if (next_ >= lines_.size()) return false;
    // Carriage returns at the end are line-end debris, never part of a name.
    std::string_view l = without_line_end(lines_[next_]);
    while (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    if (!starts_with(l, prefix)) return false;
    rest = l.substr(prefix.size());
    ++next_;
    return true;
  }

  Error read_fail(PathTable& t) {
    std::string_view line;
    if (!header_line("# fail ", line)) return missing("the fail line");
    const std::string fail(line);
    std::set<std::string> seen;
    std::size_t pos = 0;
    for (;;) {
      const std::size_t comma = fail.find(',', pos);
      const std::string word = fail.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
      if ((word != "spans" && word != "nodes" && word != "groups") || !seen.insert(word).second)
        return Error::at(file_, line_number() - 1, "the fail line names spans, nodes or groups, each once");
      if (comma == std::string::npos) break;
      pos = comma + 1;
    }
    t.fail = fail;
    fail_kinds_ = seen;
    return {};
  }

  Error read_max_spans(PathTable& t) {
    std::string_view line;
    if (!header_line("# max-spans ", line)) return missing("the max-spans line");
    if (line == "none") return {};
    FieldScanner f(line, line_number() - 1);
    const std::optional<long long> h = f.next_whole_word(32);
    if (!h || *h < 1 || !f.at_end()) return Error::at(file_, line_number() - 1, "the max-spans line gives none or a number above 0");
    t.max_spans = static_cast<int>(*h);
    return {};
  }

  Error read_availability(PathTable& t) {
    std::string_view line;
    const int at = line_number();
    if (!header_line("# availability ", line)) return missing("the availability line");
    if (line == "none") return {};
    FieldScanner f(line, at);
    const char* keys[] = {"cut-rate", "node-rate", "repair-hours", "length"};
    std::string* values[] = {&t.cut_rate, &t.node_rate, &t.repair_hours, &t.length_unit};
    for (int k = 0; k < 4; ++k) {
      std::optional<std::string> key = f.next_word(), value = f.next_word();
      if (key.value_or("") != keys[k] || !value) return Error::at(file_, at, "the availability line is garbled");
      *values[k] = *value;
    }
    if (!f.at_end()) return Error::at(file_, at, "the availability line is garbled");
    for (std::string* rate : {&t.cut_rate, &t.node_rate})
      if (*rate == "-")
        rate->clear();
      else if (!plain_decimal(*rate))
        return Error::at(file_, at, "the rates must be plain decimal numbers, or -");
    if (!t.has_availability()) return Error::at(file_, at, "the availability line gives no rate");
    if (!plain_decimal(t.repair_hours)) return Error::at(file_, at, "the repair hours must be a plain decimal number");
    if (t.length_unit != "km" && t.length_unit != "miles") return Error::at(file_, at, "lengths are in km or miles");
    return {};
  }

  Error read_counts(PathTable& t) {
    std::string_view line;
    const int at = line_number();
    if (!header_line("# working paths ", line)) return missing("the line of the working paths and demands");
    FieldScanner f(line, at);
    const std::optional<long long> paths = f.next_whole_word(32);
    const bool word = f.next_word().value_or("") == "demands";
    const std::optional<long long> demands = word ? f.next_whole_word(32) : std::nullopt;
    if (!paths || !demands || *paths < 0 || *demands < 0 || *demands > *paths || !f.at_end())
      return Error::at(file_, at, "the line of the working paths and demands is garbled");
    t.paths = static_cast<int>(*paths);
    t.demand_count = static_cast<int>(*demands);
    return {};
  }

  // "# span K FROM TO working W spare S length L" and the like: the number K
  // in order, two names, then each key with a whole number.
  Error numbered_line(const char* prefix, long long k, const std::vector<const char*>& keys, std::string& from,
                      std::string& to, std::vector<long long>& values, const char* what) {
    std::string_view line;
    if (!header_line(prefix, line)) return missing(text_printf("the line of %s %lld", what, k));
    const int at = line_number() - 1;
    FieldScanner f(line, at);
    const std::optional<long long> number = f.next_whole_word(32);
    std::optional<std::string> a = f.next_word(), b = f.next_word();
    bool ok = number && *number == k && a && b;
    values.clear();
    for (const char* key : keys) {
      ok = ok && f.next_word().value_or("") == key;
      std::optional<long long> v = ok ? f.next_whole_word(32) : std::nullopt;
      ok = ok && v && *v >= 0;
      if (ok) values.push_back(*v);
    }
    if (!ok) return Error::at(file_, at, text_printf("the line of %s %lld is garbled", what, k));
    from = *a;
    to = *b;
    return {};
  }

  Error count_line(const char* prefix, long long& n, const char* what) {
    std::string_view line;
    const int at = line_number();
    if (!header_line(prefix, line)) return missing(std::string("the ") + what + " line");
    FieldScanner f(line, at);
    const std::optional<long long> count = f.next_whole_word(32);
    if (!count || *count < 0 || !f.at_end()) return Error::at(file_, at, std::string("the ") + what + " line must give their number");
    if (static_cast<unsigned long long>(*count) > lines_.size() - next_)
      return here(std::string("fewer lines than the ") + what + " line says");
    n = *count;
    return {};
  }

  Error read_spans(PathTable& t) {
    long long n = 0;
    if (Error e = count_line("# spans ", n, "spans")) return e;
    std::vector<long long> v;
    for (long long k = 1; k <= n; ++k) {
      PathSpan s;
      if (Error e = numbered_line("# span ", k, {"working", "spare", "length"}, s.from, s.to, v, "span")) return e;
      s.working = static_cast<int>(v[0]);
      s.spare = static_cast<int>(v[1]);
      s.length = static_cast<int>(v[2]);
      t.spans.push_back(std::move(s));
    }
    return {};
  }

  Error read_demands(PathTable& t) {
    if (static_cast<unsigned long long>(t.demand_count) > lines_.size() - next_)
      return here("fewer demand lines than the demands the header counts");
    long long paths = 0;
    for (long long k = 1; k <= t.demand_count; ++k) {
      std::string_view line;
      if (!header_line("# demand ", line)) return missing(text_printf("the line of demand %lld", k));
      const int at = line_number() - 1;
      FieldScanner f(line, at);
      PathDemand d;
      const std::optional<long long> number = f.next_whole_word(32);
      std::optional<std::string> a = f.next_word(), b = f.next_word();
      bool ok = number && *number == k && a && b && f.next_word().value_or("") == "paths";
      const std::optional<long long> n = ok ? f.next_whole_word(32) : std::nullopt;
      ok = ok && n && *n >= 1 && f.next_word().value_or("") == "unavailability";
      const std::optional<double> u = ok ? f.next_decimal_word() : std::nullopt;
      if (!ok || !u || !(*u >= 0.0) || *u > 1.0 || !f.at_end())
        return Error::at(file_, at, text_printf("the line of demand %lld is garbled", k));
      d.from = *a;
      d.to = *b;
      d.paths = static_cast<int>(*n);
      d.unavailability = std::strtod(text_printf("%.6e", *u).c_str(), nullptr);
      paths += *n;
      t.demands.push_back(std::move(d));
    }
    if (paths != t.paths) return Error::at(file_, line_number() - 1, "the demands' paths do not add up to the working paths");
    return {};
  }

  Error read_row(PathTable& t) {
    FieldScanner f(lines_[next_], line_number());
    PathRow row;
    row.kind = f.next_word().value_or("");
    const int rank = kind_rank(row.kind);
    if (rank < 0) return here("expected a row: span, node or group, then its name");
    if (!fail_kinds_.count(row.kind + "s")) return here("a " + row.kind + " row in a table whose fail line has no " + row.kind + "s");
    if (rank < last_rank_) return here("rows out of order: spans, then nodes, then groups");
    std::optional<std::string> name = f.next_word();
    if (!name) return here("expected the scenario's name");
    row.name = *name;
    long long v[3];
    for (long long& x : v) {
      const std::optional<long long> read = f.next_whole_word(32);
      if (!read || *read < 0) return here("expected affected, ending and restored paths");
      x = *read;
    }
    row.affected = static_cast<int>(v[0]);
    row.ending = static_cast<int>(v[1]);
    row.restored = static_cast<int>(v[2]);
    if (row.restored > row.affected) return here("a scenario restores more paths than it affects");
    std::optional<std::string> bound = f.next_word();
    if (!bound) return here("expected the bound");
    if (!t.has_bound) {
      if (*bound != "-") return here("a table without the bound has - in its place");
    } else {
      FieldScanner b(*bound, line_number());
      const std::optional<double> value = b.next_decimal_word();
      if (!value || !b.at_end() || !(*value >= 0.0) || *value > 1e12) return here("expected the bound");
      row.bound = two_decimals(*value);
      if (row.bound < row.restored || row.bound > row.affected)
        return here("the bound lies outside restored and affected");
    }
    const std::string percent = text_printf("%7.2f%%", path_percent(row));
    if (f.next_word().value_or("") != std::string_view(percent).substr(percent.find_first_not_of(' ')))
      return here("the restorability is not restored / affected");
    if (rank == 0) {
      if (Error e = check_span_row(t, row, f)) return e;
    } else if (!names_[rank].insert(row.name).second) {
      return here("the " + row.kind + " " + row.name + " has a row already");
    }
    if (!f.at_end()) return here("more fields than a row has");
    last_rank_ = rank;
    t.rows.push_back(std::move(row));
    return {};
  }

  Error check_span_row(const PathTable& t, const PathRow& row, FieldScanner& f) {
    FieldScanner n(row.name, line_number());
    const std::optional<long long> k = n.next_whole_word(32);
    if (!k || !n.at_end() || *k < 1 || *k > static_cast<long long>(t.spans.size()) || std::to_string(*k) != row.name)
      return here(text_printf("no span %s (1..%zu)", row.name.c_str(), t.spans.size()));
    if (*k <= last_span_) return here("span rows out of order");
    last_span_ = *k;
    if (row.ending != 0) return here("a span's failure ends no path");
    const PathSpan& s = t.spans[static_cast<std::size_t>(*k - 1)];
    if (f.next_word().value_or("") != s.from || f.next_word().value_or("") != s.to)
      return here("the end names differ from the span line");
    return {};
  }

  std::vector<std::string_view> lines_;
  const std::string& file_;
  std::size_t next_ = 0;
  std::set<std::string> fail_kinds_;
  int last_rank_ = 0;
  long long last_span_ = 0;
  std::set<std::string> names_[3];
};

}  // namespace

Error read_path_table(std::string_view text, const std::string& file_name, PathTable& out) {
  out = PathTable{};
  return TableReader(text, file_name).read(out);
}

}  // namespace studyfiles
