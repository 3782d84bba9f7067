// The solver's RELAX.INP reader on any bytes; a small problem that it
// accepts is solved too, and its paths and answer texts made.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "relax_input.h"
#include "relax_output.h"
#include "relax_solve.h"

using studyfiles::RelaxArc;
using studyfiles::RelaxProblem;
using studyfiles::read_relax_input;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RelaxProblem p;
  if (read_relax_input(fuzz_text(data, size), "RELAX.INP", p)) return 0;
  if (p.source < 1 || p.source > p.node_count || p.sink < 1 || p.sink > p.node_count) __builtin_trap();
  for (const RelaxArc& a : p.arcs) {
    if (a.from < 1 || a.from > p.node_count || a.to < 1 || a.to > p.node_count) __builtin_trap();
  }
  if (p.node_count > 64 || p.arcs.size() > 256) return 0;
  const RelaxSolution solution = solve_relax(p);
  long long total = 0;
  for (const RelaxPath& path : solution.paths) total += path.bandwidth;
  if (total != solution.routed) __builtin_trap();  // the paths carry the whole flow
  path_out_text(p, solution);
  temp_out_text(solution, 0.0, 0.0);
  summary_line(p, solution);
  return 0;
}
