// pathsweep's results table on any bytes: a table the reader accepts is
// written again as read, read back the same, and summarised as pathsweep
// and capview summarise it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "path_summary.h"
#include "path_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  studyfiles::PathTable table;
  if (studyfiles::read_path_table(fuzz_text(data, size), "t.ps", table)) return 0;
  const std::string text = studyfiles::format_path_table(table);
  studyfiles::PathTable again;
  if (studyfiles::read_path_table(text, "t.ps", again)) __builtin_trap();
  if (studyfiles::format_path_table(again) != text) __builtin_trap();
  static_cast<void>(studyfiles::path_summary_text(table));
  static_cast<void>(studyfiles::path_csv_text(table));
  return 0;
}
