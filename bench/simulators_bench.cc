// simulators_bench NETRESTORE [benchmark options]: the time of one span cut
// per restoration method, and the event engine's events per second, over
// every span of the network in turn (grid300.rst, as simulators_grid.sh
// writes it). Run by hand.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "restoresim.h"

namespace {

restoresim::Network network;

void cut_every_span(benchmark::State& state, restoresim::Method method) {
  const restoresim::Options options;
  std::size_t next = 0;
  long long events = 0, cuts = 0;
  for (auto _ : state) {
    restoresim::Cut cut;
    cut.span = static_cast<int>(next);
    cut.from = network.spans[next].a;
    cut.to = network.spans[next].b;
    const restoresim::RunResult r = restoresim::run_method(method, network, cut, options);
    benchmark::DoNotOptimize(r.restored);
    events += r.events;
    ++cuts;
    next = (next + 1) % network.spans.size();
  }
  state.counters["events/s"] = benchmark::Counter(static_cast<double>(events), benchmark::Counter::kIsRate);
  state.counters["events/cut"] = static_cast<double>(events) / static_cast<double>(cuts);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: simulators_bench NETRESTORE [benchmark options]\n");
    return 1;
  }
  if (Error e = restoresim::load_network(argv[1], network)) {
    std::fprintf(stderr, "%s\n", e.text().c_str());
    return 1;
  }
  for (restoresim::Method m : {restoresim::Method::vetrun, restoresim::Method::kimber, restoresim::Method::ospel,
                               restoresim::Method::dunvar})
    benchmark::RegisterBenchmark(restoresim::method_name(m), cut_every_span, m)->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
