#include "results.h"

#include <optional>

#include "scanner.h"
#include "text_format.h"
#include "textio.h"

namespace studyfiles {

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

// The ten fields that rows and trial rows share, up to the percent sign.
// Returns the name of the first field that is wrong, or nullptr.
const char* read_fields(FieldScanner& words, ResultRow& row) {
  std::optional<long long> edge = words.next_whole_word(32);
  if (!edge) return "the edge number";
  row.edge = static_cast<int>(*edge);
  row.from = words.next_word().value_or("");
  row.to = words.next_word().value_or("");
  if (row.to.empty()) return "the two end names";
  std::optional<long long> working = words.next_whole_word(32);
  if (!working) return "the working capacity";
  row.working = static_cast<int>(*working);
  const std::string feas = words.next_word().value_or("");
  if (feas != "Y" && feas != "N") return "Y or N";
  row.feasible = feas == "Y";
  std::optional<long long> restored = words.next_whole_word(32);
  if (!restored) return "the restored amount";
  row.restored = static_cast<int>(*restored);
  double* times[] = {&row.elapsed, &row.cpu, &row.cost};
  for (double* value : times) {
    std::optional<double> d = words.next_decimal_word();
    if (!d) return "the times and the cost";
    *value = *d;
  }
  // The percentage is read without its percent sign.
  std::string percent = words.next_word().value_or("");
  const bool has_sign = !percent.empty() && percent.back() == '%';
  if (has_sign) percent.pop_back();
  std::optional<double> p = has_sign ? FieldScanner(percent).next_decimal_word() : std::nullopt;
  if (!p) return "the percentage restored";
  row.percent = *p;
  return nullptr;
}

// True when the rest of the line is the running totals of a trial row:
// elapsed total, cpu total, run count and step or half.
bool totals_follow(FieldScanner words) {
  bool ok = words.next_decimal_word() && words.next_decimal_word() && words.next_whole_word(32) &&
            words.next_whole_word(32);
  return ok && words.at_end();
}

// Reads one line that holds a row, a trial row, or the first part of a trial
// row run together with what followed it (a last attempt writes its trial
// row without a line end when it writes no totals).
Error read_row_line(std::string_view line, int line_number, const std::string& file_name,
                    std::vector<ResultRow>& rows) {
  FieldScanner words(line);
  for (;;) {
    ResultRow row;
    row.line = line_number;
    if (const char* wrong = read_fields(words, row))
      return Error::at(file_name, line_number, std::string("expected ") + wrong + " in a row of the results table");
    if (words.nothing_left()) {  // a row ends right after its percent sign
      rows.push_back(std::move(row));
      return Error();
    }
    if (words.at_end() || totals_follow(words)) return Error();  // a trial row
  }
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

Error read_results(std::string_view text, const std::string& file_name, std::vector<ResultRow>& rows) {
  rows.clear();
  std::size_t pos = 0, header_pos = 0;
  std::string line, expected;
  int line_number = 0;
  while (read_line(kResultsHeader, header_pos, expected)) {
    ++line_number;
    if (!next_line(text, pos, line) || line != expected)
      return Error::at(file_name, line_number,
                       "not a results table of capsweep: header line " + std::to_string(line_number) + " differs");
  }
  while (next_line(text, pos, line)) {
    ++line_number;
    if (is_blank(line) || is_banner(line)) continue;
    if (Error error = read_row_line(line, line_number, file_name, rows)) return error;
  }
  return Error();
}

}  // namespace studyfiles
