#include "experiment_table.h"

#include <cmath>
#include <optional>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

std::string format_experiment_row(const ExperimentRow& row) {
  return text_printf(kExperimentRowFormat, row.from.c_str(), row.to.c_str(), row.lost, row.restored, row.bound,
                     row.last_ms, row.first_ms, row.routes, row.messages, row.channel_spans, row.paths);
}

std::string format_experiment_title(const std::string& tag, const std::string& netrestore_file) {
  return tag + ".restoration results on " + netrestore_file + "\n";
}

namespace {

constexpr std::string_view kTitleMiddle = ".restoration results on ";

// Reads the fields of one row; the name of the first field that is wrong,
// or nullptr.
const char* read_row(FieldScanner& words, ExperimentRow& row) {
  row.from = words.next_word().value_or("");
  row.to = words.next_word().value_or("");
  if (row.to.empty()) return "the two end nodes";
  int* counts[] = {&row.lost, &row.restored, &row.bound};
  const char* count_names[] = {"the working channels lost", "the channels restored", "the bound"};
  for (int i = 0; i < 3; ++i) {
    std::optional<long long> n = words.next_whole_word(32);
    if (!n || *n < 0) return count_names[i];
    *counts[i] = static_cast<int>(*n);
  }
  double* times[] = {&row.last_ms, &row.first_ms};
  for (double* value : times) {
    std::optional<double> d = words.next_decimal_word();
    if (!d || !(*d >= 0) || std::isinf(*d)) return "the completion times";  // NaN fails >= too
    *value = *d;
  }
  std::optional<long long> routes = words.next_whole_word(32);
  if (!routes || *routes < 0) return "the number of routes";
  row.routes = static_cast<int>(*routes);
  long long* totals[] = {&row.messages, &row.channel_spans};
  for (long long* value : totals) {
    std::optional<long long> n = words.next_whole_word(64);
    if (!n || *n < 0) return "the messages and channel-spans";
    *value = *n;
  }
  std::optional<long long> paths = words.next_whole_word(32);
  if (!paths || *paths < 0) return "the number of paths";
  row.paths = static_cast<int>(*paths);
  if (!words.at_end()) return "the end of the row";
  return nullptr;
}

}  // namespace

Error read_experiment_table(std::string_view text, const std::string& file_name, ExperimentTable& table) {
  const std::vector<std::string_view> lines = lines_as_read(text);
  if (lines.empty()) return Error::at(file_name, 1, "expected TAG.restoration results on FILE");
  const std::string_view title = without_line_end(lines[0]);
  const std::size_t middle = title.find(kTitleMiddle);
  if (middle == std::string_view::npos || middle == 0 || middle + kTitleMiddle.size() >= title.size())
    return Error::at(file_name, 1, "expected TAG.restoration results on FILE");
  table.tag = std::string(title.substr(0, middle));
  table.netrestore_file = std::string(title.substr(middle + kTitleMiddle.size()));
  const std::string_view rule = lines.size() > 1 ? without_line_end(lines[1]) : std::string_view();
  if (rule.empty() || rule.find_first_not_of('=') != std::string_view::npos)
    return Error::at(file_name, 2, "expected a line of '='");
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const int line_number = static_cast<int>(i) + 1;
    FieldScanner words(without_line_end(lines[i]), line_number);
    if (words.at_end()) continue;
    ExperimentRow row;
    row.line = line_number;
    if (const char* wrong = read_row(words, row)) return Error::at(file_name, line_number, std::string("expected ") + wrong);
    table.rows.push_back(std::move(row));
  }
  return Error();
}

}  // namespace studyfiles
