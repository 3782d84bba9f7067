// The simulators' reading of a network description of either version, with
// its path section, and, on small networks that it accepts, a run of each
// method on the first span with the checks every run must pass.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "restoresim.h"

namespace {

bool small(const restoresim::Network& net) {
  if (net.node_count() > 40 || net.spans.size() > 80 || net.paths.size() > 200) return false;
  for (const restoresim::Span& s : net.spans)
    if (s.working > 50 || s.spare > 50) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const net_read read = read_net_any(fuzz_text(data, size), "net.rst");
  if (read.error) return 0;
  restoresim::Network net;
  if (restoresim::build_network(read.description, "net.rst", net) || net.spans.empty() || !small(net)) return 0;
  restoresim::Cut cut;
  cut.span = 0;
  cut.from = net.spans[0].a;
  cut.to = net.spans[0].b;
  for (restoresim::Method m : {restoresim::Method::vetrun, restoresim::Method::kimber, restoresim::Method::ospel,
                               restoresim::Method::dunvar}) {
    const restoresim::RunResult r = restoresim::run_method(m, net, cut, restoresim::Options());
    std::vector<long long> used(net.spans.size(), 0);
    for (const restoresim::RestorationPath& p : r.paths)
      for (int s : p.spans) used[static_cast<std::size_t>(s)] += p.channels;
    for (std::size_t s = 0; s < net.spans.size(); ++s)
      if (used[s] > net.spans[s].spare || (static_cast<int>(s) == cut.span && used[s] > 0)) __builtin_trap();
    if (r.restored > r.lost) __builtin_trap();
  }
  return 0;
}
