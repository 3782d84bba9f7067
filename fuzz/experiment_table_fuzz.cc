// The experiment table reader on any bytes. What it accepts must come back
// the same when written and read again: the title, and every row once its
// times are rounded as the row format rounds them. An input of parts (node
// list, NUL, one to four tables separated by NULs) whose parts are all
// accepted is then compared as capview --experiment compares it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "experiment.h"
#include "experiment_table.h"
#include "fuzz_input.h"
#include "node_list.h"

using capview::Experiment;
using capview::ExperimentInput;
using capview::ExperimentSpan;
using capview::experiment_csv;
using capview::experiment_page;
using capview::experiment_summary;
using capview::match_experiment;

namespace {

std::string written(const studyfiles::ExperimentTable& table) {
  std::string text = studyfiles::format_experiment_title(table.tag, table.netrestore_file) + "========\n";
  for (const studyfiles::ExperimentRow& row : table.rows) text += studyfiles::format_experiment_row(row);
  return text;
}

// The table once written and read back; traps when the reader refuses it.
studyfiles::ExperimentTable reread(const studyfiles::ExperimentTable& table) {
  studyfiles::ExperimentTable again;
  if (studyfiles::read_experiment_table(written(table), "again.res", again)) __builtin_trap();
  if (again.tag != table.tag || again.netrestore_file != table.netrestore_file) __builtin_trap();
  if (again.rows.size() != table.rows.size()) __builtin_trap();
  return again;
}

void check_table(std::string_view text) {
  studyfiles::ExperimentTable table;
  const Error error = studyfiles::read_experiment_table(text, "net.vtr.res", table);
  if (error) {
    if (error.text().rfind("net.vtr.res:", 0) != 0) __builtin_trap();
    return;
  }
  // Written once, the times are rounded to the row format; from then on the
  // text stays the same.
  const studyfiles::ExperimentTable once = reread(table);
  if (written(reread(once)) != written(once)) __builtin_trap();
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    const studyfiles::ExperimentRow& a = table.rows[i];
    const studyfiles::ExperimentRow& b = once.rows[i];
    if (a.from != b.from || a.to != b.to || a.lost != b.lost || a.restored != b.restored || a.bound != b.bound ||
        a.routes != b.routes || a.messages != b.messages || a.channel_spans != b.channel_spans || a.paths != b.paths)
      __builtin_trap();
  }
}

void compare(const std::vector<std::string_view>& parts) {
  studyfiles::NodeList nodes;
  if (studyfiles::read_node_list(parts[0], "nodes.txt", nodes)) return;
  std::vector<ExperimentInput> tables;
  for (std::size_t p = 1; p < parts.size() && p <= 4; ++p) {
    ExperimentInput input;
    input.file = "t" + std::to_string(p) + ".res";
    if (studyfiles::read_experiment_table(parts[p], input.file, input.table)) return;
    tables.push_back(std::move(input));
  }
  Experiment experiment;
  if (!match_experiment(nodes, "nodes.txt", tables, experiment).empty()) return;
  for (const ExperimentSpan& span : experiment.spans) {
    for (int restored : span.restored)
      if (restored > span.lost || restored > span.bound) __builtin_trap();
  }
  experiment_summary(experiment);
  experiment_csv(experiment);
  experiment_page(experiment);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz_text(data, size);
  std::vector<std::string_view> parts = fuzz_parts(text);
  for (std::string_view part : parts) check_table(part);
  if (parts.size() >= 2) compare(parts);
  return 0;
}
