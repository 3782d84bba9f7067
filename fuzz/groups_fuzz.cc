// The shared-risk groups file on any bytes, over a fixed network whose node
// names hold '-': a file the reader accepts is written again and read back
// with the same groups and spans.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "groups.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const studyfiles::NodeList nodes{{{"x"}, {"x-y"}, {"y"}, {"z"}, {"A"}, {"B"}}};
  static const std::vector<studyfiles::Span> spans{{1, 4}, {2, 4}, {3, 4}, {5, 6}, {6, 5}, {1, 5}, {2, 3}};
  studyfiles::GroupsFile groups;
  if (studyfiles::read_groups(fuzz_text(data, size), "g.txt", nodes, spans, groups)) return 0;
  const std::string text = studyfiles::format_groups(groups, nodes, spans);
  studyfiles::GroupsFile again;
  if (studyfiles::read_groups(text, "g.txt", nodes, spans, again)) __builtin_trap();
  if (again.groups.size() != groups.groups.size()) __builtin_trap();
  for (std::size_t g = 0; g < groups.groups.size(); ++g)
    if (again.groups[g].name != groups.groups[g].name || again.groups[g].spans != groups.groups[g].spans) __builtin_trap();
  return 0;
}
