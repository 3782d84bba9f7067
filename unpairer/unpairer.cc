#include "unpairer.h"

#include <cstdio>
#include <string>
#include <vector>

#include "textio.h"

namespace {

constexpr int kStatusSyntax = 1;
constexpr int kStatusFile = 5;

// The spare header of the single form: 26 characters.
constexpr const char* kSpareHeader = "        DS3\nN1  N2  LINK#\n";

// One pass over the input: skips the two header lines, then writes the span
// found at `first_field` (0 for the first span, 3 for the second) of every
// data line. A line without enough numbers for that span is skipped and
// named on standard output.
void write_spans(std::FILE* in, std::FILE* out, const std::string& in_name, std::size_t first_field) {
  const std::size_t needed = first_field + 3;
  std::string line;
  int line_no = 0;
  while (read_line(in, line)) {
    if (++line_no <= 2) continue;
    std::vector<int> n = scan_ints(line, needed);
    if (n.size() < needed) {
      std::printf("%s:%d: fewer than %zu numbers, line skipped\n", in_name.c_str(), line_no, needed);
      continue;
    }
    std::fprintf(out, "%-3d %-3d %d\n", n[first_field], n[first_field + 1], n[first_field + 2]);
  }
}

}  // namespace

int unpairer_main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("command syntax: unpairer spare2in1lineFile spare1in1lineFile \n");
    return kStatusSyntax;
  }
  const std::string in_name = argv[1];
  const std::string out_name = argv[2];
  std::printf("old spare file is %s\n", in_name.c_str());
  std::printf("new spare file is %s\n", out_name.c_str());

  if (same_file(in_name, out_name)) {
    std::printf("new spare file %s is the old spare file; it is left as it is\n", out_name.c_str());
    return kStatusFile;
  }
  File in = open_file(in_name, "r");
  if (!in) {
    std::printf("can not open %s\n", in_name.c_str());
    return kStatusFile;
  }
  File out = open_file(out_name, "w");
  if (!out) {
    std::printf("can not open %s\n", out_name.c_str());
    return kStatusFile;
  }
  std::fputs(kSpareHeader, out.get());
  write_spans(in.get(), out.get(), in_name, 0);

  in = open_file(in_name, "r");
  if (!in) {
    std::printf("can not open %s\n", in_name.c_str());
    return kStatusFile;
  }
  write_spans(in.get(), out.get(), in_name, 3);
  return 0;
}
