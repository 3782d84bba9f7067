#include "results.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "text_format.h"
#include "textio.h"

const char* const kResultsHeader =
    "      Start  End   To             Poss     Elapsed     CPU                %\n"
    "Edge  Node   Node  Restore  Feas  Restore   Time       Time     Cost  Restored\n"
    "----  ----   ----  -------  ----  -------  -------     ----     ----  --------\n";

namespace {

std::string row_start(const ResultRow& row) {
  return text_printf(" %3d   %3s    %3s     %3d ", row.edge, row.from.c_str(), row.to.c_str(), row.working) +
         (row.feasible ? "   Y  " : "   N  ");
}

}  // namespace

std::string format_result_row(const ResultRow& row) {
  return row_start(row) + text_printf("    %3d    %9.6lf  %9.6lf   %3.0lf    %6.2lf%%\n", row.restored, row.elapsed,
                                      row.cpu, row.cost, row.percent);
}

std::string format_trial_row(const ResultRow& row) {
  return row_start(row) + text_printf("    %3d    %9.6lf  %9.6lf %3.0lf    %6.2lf%%  ", row.restored, row.elapsed,
                                      row.cpu, row.cost, row.percent);
}

namespace {

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Reads the blank-separated words of one line, one at a time.
class Words {
 public:
  explicit Words(std::string_view line) : line_(line) {}

  std::string_view next() {
    skip_blanks();
    std::size_t start = pos_;
    while (pos_ < line_.size() && !is_space(line_[pos_])) ++pos_;
    return line_.substr(start, pos_ - start);
  }
  bool at_end() const { return pos_ == line_.size(); }
  bool only_blanks_left() {
    std::size_t keep = pos_;
    skip_blanks();
    bool done = at_end();
    pos_ = keep;
    return done;
  }
  std::string_view rest() {
    skip_blanks();
    return line_.substr(pos_);
  }

 private:
  void skip_blanks() {
    while (pos_ < line_.size() && is_space(line_[pos_])) ++pos_;
  }
  std::string_view line_;
  std::size_t pos_ = 0;
};

std::optional<double> parse_double(std::string_view word) {
  double value = 0.0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || word.empty()) return std::nullopt;
  return value;
}

// The ten fields that rows and trial rows share, up to the percent sign.
// Returns the name of the first field that is wrong, or nullptr.
const char* read_fields(Words& words, ResultRow& row) {
  std::optional<int> edge = parse_int(words.next());
  if (!edge) return "the edge number";
  row.edge = *edge;
  row.from = std::string(words.next());
  row.to = std::string(words.next());
  if (row.to.empty()) return "the two end names";
  std::optional<int> working = parse_int(words.next());
  if (!working) return "the working capacity";
  row.working = *working;
  std::string_view feas = words.next();
  if (feas != "Y" && feas != "N") return "Y or N";
  row.feasible = feas == "Y";
  std::optional<int> restored = parse_int(words.next());
  if (!restored) return "the restored amount";
  row.restored = *restored;
  double* times[] = {&row.elapsed, &row.cpu, &row.cost};
  for (double* value : times) {
    std::optional<double> d = parse_double(words.next());
    if (!d) return "the times and the cost";
    *value = *d;
  }
  std::string_view percent = words.next();
  std::optional<double> p =
      percent.empty() || percent.back() != '%' ? std::nullopt : parse_double(percent.substr(0, percent.size() - 1));
  if (!p) return "the percentage restored";
  row.percent = *p;
  return nullptr;
}

// True when the rest of the line is the running totals of a trial row:
// elapsed total, cpu total, run count and step or half.
bool totals_follow(std::string_view text) {
  Words words(text);
  bool ok =
      parse_double(words.next()) && parse_double(words.next()) && parse_int(words.next()) && parse_int(words.next());
  return ok && words.only_blanks_left();
}

// Reads one line that holds a row, a trial row, or the first part of a trial
// row run together with what followed it (a last attempt writes its trial
// row without a line end when it writes no totals).
std::string read_row_line(std::string_view line, int line_number, const std::string& file_name,
                          std::vector<ResultRow>& rows) {
  Words words(line);
  ResultRow row;
  row.line = line_number;
  if (const char* wrong = read_fields(words, row))
    return file_name + ":" + std::to_string(line_number) + ": expected " + wrong + " in a row of the results table";
  if (words.at_end()) {  // a row ends right after its percent sign
    rows.push_back(std::move(row));
    return "";
  }
  std::string_view rest = words.rest();
  if (rest.empty() || totals_follow(rest)) return "";  // a trial row
  return read_row_line(rest, line_number, file_name, rows);
}

bool is_banner(std::string_view line) { return !line.empty() && (line[0] == '-' || line[0] == '+' || line[0] == '*'); }

bool is_blank(std::string_view line) {
  for (char c : line)
    if (!is_space(c)) return false;
  return true;
}

// One line of the file, a carriage return before its line feed dropped (a
// table that went through a text editor elsewhere).
bool next_line(std::string_view text, std::size_t& pos, std::string& line) {
  if (!read_line(text, pos, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

std::string read_results(std::string_view text, const std::string& file_name, std::vector<ResultRow>& rows) {
  rows.clear();
  std::size_t pos = 0, header_pos = 0;
  std::string line, expected;
  int line_number = 0;
  while (read_line(kResultsHeader, header_pos, expected)) {
    ++line_number;
    if (!next_line(text, pos, line) || line != expected)
      return file_name + ":" + std::to_string(line_number) + ": not a results table of capsweep: header line " +
             std::to_string(line_number) + " differs";
  }
  while (next_line(text, pos, line)) {
    ++line_number;
    if (is_blank(line) || is_banner(line)) continue;
    std::string error = read_row_line(line, line_number, file_name, rows);
    if (!error.empty()) return error;
  }
  return "";
}
