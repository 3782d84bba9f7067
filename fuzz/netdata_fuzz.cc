// capsweep's netdata reader on any bytes; for a file it accepts, the
// statistics, the demand bound of every cut and the RELAX.INP text of its
// first trial, which the solver's reader must read back.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "cut_span.h"
#include "fuzz_input.h"
#include "inputs.h"
#include "relax_input.h"
#include "solver_exchange.h"
#include "statistics.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::RelaxProblem;
using studyfiles::read_relax_input;

namespace {
constexpr int kLargestFuzzedNetwork = 1000000;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const NetDataRead read = parse_netdata(fuzz_text(data, size), "net.dat");
  if (read.error) return 0;
  const Netdata& net = read.data;
  // The statistics keep per-node totals: a header naming a hundred million
  // nodes is read at once but costs seconds and gigabytes there by design,
  // which is no fault for the fuzzer to find.
  if (net.n_node > kLargestFuzzedNetwork) return 0;
  if (static_cast<long long>(net.edges.size()) != net.n_record) __builtin_trap();
  for (const EdgeRecord& r : net.edges) {
    if (r.from < 1 || r.from > net.n_node || r.to < 1 || r.to > net.n_node) __builtin_trap();
  }
  static std::FILE* nowhere = std::fopen("/dev/null", "w");
  print_net_stats(nowhere, net, net_stats(net));
  const int stride = net.bidirectional ? 2 : 1;
  for (long long e = 1; e <= net.n_record; e += stride) {
    const DemandBound bound = demand_bound(net, static_cast<int>(e));
    if (bound.demand <= 0 || bound.demand > INT_MAX) continue;
    const EdgeRecord& cut = net.edges[static_cast<std::size_t>(e - 1)];
    const std::string text = relax_input(static_cast<int>(bound.demand), net.n_node, net.n_record, static_cast<int>(e),
                                         net.bidirectional ? 1 : 0, net.edges, cut.from, cut.to);
    RelaxProblem problem;
    static_cast<void>(read_relax_input(text, "RELAX.INP", problem));
  }
  return 0;
}
