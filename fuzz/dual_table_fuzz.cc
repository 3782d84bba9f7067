// dualsweep's results table on any bytes: a table the reader accepts is
// written again as read, read back the same, and summarised as dualsweep
// and its gather summarise it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dual_summary.h"
#include "dual_table.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  studyfiles::DualTable table;
  if (studyfiles::read_dual_table(fuzz_text(data, size), "t.dual", table)) return 0;
  const std::string text = studyfiles::format_dual_table(table);
  studyfiles::DualTable again;
  if (studyfiles::read_dual_table(text, "t.dual", again)) __builtin_trap();
  if (studyfiles::format_dual_table(again) != text) __builtin_trap();
  static_cast<void>(studyfiles::dual_summary_text(table));
  static_cast<void>(studyfiles::dual_csv_text(table));
  return 0;
}
