// The routes file on any bytes: what the reader accepts holds what it
// promises (a kind, a name, channels above 0, two nodes or more), and its
// header written again reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "routes_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pathrestore::RoutesFile file;
  if (pathrestore::read_routes_file(fuzz_text(data, size), "r.txt", file)) return 0;
  for (const pathrestore::RouteLine& r : file.routes)
    if (r.channels < 1 || r.nodes.size() < 2 || r.name.empty() || (r.kind != "span" && r.kind != "node" && r.kind != "group"))
      __builtin_trap();
  const std::string header = pathrestore::format_routes_header(file.header);
  pathrestore::RoutesFile again;
  if (pathrestore::read_routes_file(header, "r.txt", again)) __builtin_trap();
  if (pathrestore::format_routes_header(again.header) != header || !again.routes.empty()) __builtin_trap();
  return 0;
}
