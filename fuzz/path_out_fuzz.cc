// capsweep's readers of the solver's answers on any bytes: PATH.OUT
// converted with node names (some node numbers have none), and TEMP.OUT.
// Whatever record PATH.OUT reads as, written again it reads back the same.
#include <cstddef>
#include <cstdint>

#include "exchange.h"
#include "fuzz_input.h"
#include "path_report.h"
#include "solver_exchange.h"

using studyfiles::Node;
using studyfiles::NodeList;
using studyfiles::PathOutRead;
using studyfiles::format_path_out;
using studyfiles::parse_answer;
using studyfiles::read_path_out;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz_text(data, size);
  static const NodeList nodes = [] {
    NodeList n;
    for (const char* name : {"Seattle", "PaloAlto", "SanDiego", "SaltLake", "", "Boulder"}) {
      Node node;
      node.name = name;
      n.nodes.push_back(node);
    }
    return n;
  }();
  convert_report(text, nodes);
  PathOutRead read;
  if (!read_path_out(text, read)) {
    PathOutRead again;
    if (read_path_out(format_path_out(read.record), again) || again.record != read.record) __builtin_trap();
  }
  parse_answer(text);
  return 0;
}
