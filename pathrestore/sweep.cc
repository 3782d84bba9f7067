#include "sweep.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

#include "check.h"

namespace pathrestore {

namespace {

ScenarioOutcome outcome_of(const Network& net, const WorkingPaths& paths, const Scenario& scenario,
                           const SweepOptions& options, Error& fault) {
  const ScenarioProblem problem = problem_of(net, paths, scenario, options.stub_release);
  ScenarioResult result = restore(net, problem, options.restore);
  if (Error e = check_routes(net, problem, result.routes, result.restored, options.restore.max_spans))
    fault = Error::of(std::string(kind_word(scenario.kind)) + " " + scenario.name + ": " + e.text());
  ScenarioOutcome o;
  o.affected = problem.affected;
  o.ending = problem.ending;
  o.restored = result.restored;
  o.bound = result.bound;
  o.step = result.step;
  o.routes = std::move(result.routes);
  std::map<int, int> down;
  for (const auto& [d, n] : problem.ending_demands) down[d] += n;
  for (std::size_t i = 0; i < problem.demands.size(); ++i) {
    const int lost = problem.demands[i].affected - static_cast<int>(result.restored_per_demand[i]);
    if (lost > 0) down[problem.demands[i].demand] += lost;
  }
  o.down.assign(down.begin(), down.end());
  return o;
}

}  // namespace

Error sweep(const Network& net, const WorkingPaths& paths, const std::vector<Scenario>& scenarios,
            const SweepOptions& options, std::vector<ScenarioOutcome>& out) {
  out.assign(scenarios.size(), {});
  std::vector<Error> faults(scenarios.size());
  std::atomic<std::size_t> next{0}, done{0};
  std::mutex failure_mutex;
  std::exception_ptr failure;
  auto work = [&] {
    try {
      for (;;) {
        const std::size_t s = next.fetch_add(1);
        if (s >= scenarios.size()) return;
        out[s] = outcome_of(net, paths, scenarios[s], options, faults[s]);
        const std::size_t now_done = ++done;
        if (options.progress) options.progress(now_done, scenarios.size());
      }
    } catch (...) {
      std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
      next = scenarios.size();
    }
  };
  const std::size_t workers =
      std::max<std::size_t>(1, std::min<std::size_t>(static_cast<std::size_t>(std::max(options.threads, 1)), scenarios.size()));
  {
    std::vector<std::jthread> pool;
    for (std::size_t t = 1; t < workers; ++t) pool.emplace_back(work);
    work();
  }
  if (failure) std::rethrow_exception(failure);
  for (Error& e : faults)
    if (e) return std::move(e);
  return {};
}

std::vector<double> demand_unavailability(const WorkingPaths& paths, const std::vector<ScenarioOutcome>& outcomes,
                                          const std::vector<double>& scenario_unavailability) {
  std::vector<double> down(paths.demands.size(), 0.0);
  for (std::size_t s = 0; s < outcomes.size(); ++s)
    for (const auto& [d, n] : outcomes[s].down) down[static_cast<std::size_t>(d)] += scenario_unavailability[s] * n;
  for (std::size_t d = 0; d < down.size(); ++d) down[d] /= static_cast<double>(paths.demands[d].paths.size());
  return down;
}

std::string routes_file_text(const studyfiles::RoutesHeader& header, const Network& net,
                             const std::vector<Scenario>& scenarios, const std::vector<ScenarioOutcome>& outcomes) {
  std::string text = studyfiles::format_routes_header(header);
  for (ScenarioKind kind : {ScenarioKind::span, ScenarioKind::node, ScenarioKind::group})
    for (std::size_t s = 0; s < scenarios.size(); ++s)
      if (scenarios[s].kind == kind) text += format_routes(kind_word(kind), scenarios[s].name, outcomes[s].routes, net);
  return text;
}

}  // namespace pathrestore
