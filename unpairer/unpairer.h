// unpairer: rewrites a spare list holding two spans per data line as a spare
// list with one span per line: every first span in input order, then every
// second span in input order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What one pass over a paired spare list yields.
struct SpanPass {
  std::string lines;                  // "%-3d %-3d %d\n" lines, in input order
  std::vector<std::string> skipped;   // one message for each line skipped
};

// One pass over the text of a paired spare list named `name`: skips the two
// header lines, then takes from every data line the span whose numbers start
// at `first_field` (0 for the first span, 3 for the second). A line without
// enough numbers for that span is skipped with a message naming it.
SpanPass unpair_pass(std::string_view text, const std::string& name, std::size_t first_field);

// Runs the whole program on its arguments (argv[0] is the program name) and
// returns the exit status.
int unpairer_main(int argc, char** argv);
