// The routes file on any bytes: what the reader accepts holds what it
// promises (a kind, a name, channels above 0, two nodes or more), and its
// header written again reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "routes_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  studyfiles::RoutesFile file;
  if (studyfiles::read_routes_file(fuzz_text(data, size), "r.txt", file)) return 0;
  for (const studyfiles::RouteLine& r : file.routes)
    if (r.channels < 1 || r.nodes.size() < 2 || r.name.empty() || (r.kind != "span" && r.kind != "node" && r.kind != "group"))
      __builtin_trap();
  const std::string header = studyfiles::format_routes_header(file.header);
  studyfiles::RoutesFile again;
  if (studyfiles::read_routes_file(header, "r.txt", again)) __builtin_trap();
  if (studyfiles::format_routes_header(again.header) != header || !again.routes.empty()) __builtin_trap();
  return 0;
}
