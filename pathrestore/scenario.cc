#include "scenario.h"

#include <algorithm>
#include <map>

namespace pathrestore {

const char* kind_word(ScenarioKind kind) {
  switch (kind) {
    case ScenarioKind::span:
      return "span";
    case ScenarioKind::node:
      return "node";
    case ScenarioKind::group:
      return "group";
  }
  return "?";
}

Error parse_fail_kinds(const std::string& text, FailKinds& out) {
  out = FailKinds{};
  std::size_t pos = 0;
  for (;;) {
    const std::size_t comma = text.find(',', pos);
    const std::string word = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    bool* kind = word == "spans" ? &out.spans : word == "nodes" ? &out.nodes : word == "groups" ? &out.groups : nullptr;
    if (kind == nullptr)
      return Error::of("--fail wants spans, nodes or groups, comma-separated, not '" + text + "'");
    if (*kind) return Error::of("--fail names " + word + " twice");
    *kind = true;
    if (comma == std::string::npos) return {};
    pos = comma + 1;
  }
}

std::vector<Scenario> scenarios_of(const Network& net, const FailKinds& kinds, const studyfiles::GroupsFile* groups) {
  std::vector<Scenario> out;
  if (kinds.spans)
    for (int k = 0; k < net.span_count(); ++k) {
      const studyfiles::Span& s = net.spans[static_cast<std::size_t>(k)];
      if (s.working > 0 || s.spare > 0) out.push_back({ScenarioKind::span, std::to_string(k + 1), k + 1, {k}, {}});
    }
  if (kinds.nodes)
    for (int v = 1; v <= net.n_node; ++v)
      out.push_back({ScenarioKind::node, net.name_of(v), v, net.spans_at[static_cast<std::size_t>(v)], {v}});
  if (kinds.groups && groups != nullptr)
    for (std::size_t g = 0; g < groups->groups.size(); ++g) {
      Scenario s{ScenarioKind::group, groups->groups[g].name, static_cast<int>(g) + 1, {}, {}};
      for (int k : groups->groups[g].spans) s.failed_spans.push_back(k - 1);
      out.push_back(std::move(s));
    }
  for (Scenario& s : out) {
    std::sort(s.failed_spans.begin(), s.failed_spans.end());
    s.failed_spans.erase(std::unique(s.failed_spans.begin(), s.failed_spans.end()), s.failed_spans.end());
  }
  return out;
}

ScenarioProblem problem_of(const Network& net, const WorkingPaths& paths, const Scenario& scenario, bool stub_release) {
  ScenarioProblem p;
  p.span_failed.assign(net.spans.size(), 0);
  p.node_failed.assign(static_cast<std::size_t>(net.n_node) + 1, 0);
  for (int k : scenario.failed_spans) p.span_failed[static_cast<std::size_t>(k)] = 1;
  for (int v : scenario.failed_nodes) {
    p.node_failed[static_cast<std::size_t>(v)] = 1;
    for (int k : net.spans_at[static_cast<std::size_t>(v)]) p.span_failed[static_cast<std::size_t>(k)] = 1;
  }
  std::vector<char> is_hit(paths.paths.size(), 0);
  for (int k : scenario.failed_spans)
    for (int q : paths.paths_on_span[static_cast<std::size_t>(k)]) is_hit[static_cast<std::size_t>(q)] = 1;
  for (int v : scenario.failed_nodes)
    for (int q : paths.paths_at_node[static_cast<std::size_t>(v)]) is_hit[static_cast<std::size_t>(q)] = 1;

  p.capacity.assign(net.spans.size(), 0);
  for (std::size_t k = 0; k < net.spans.size(); ++k)
    if (!p.span_failed[k]) p.capacity[k] = net.spans[k].spare;
  std::map<int, int> affected_of, ending_of;  // by demand
  for (std::size_t q = 0; q < paths.paths.size(); ++q) {
    if (!is_hit[q]) continue;
    const WorkingPath& path = paths.paths[q];
    p.hit.push_back(static_cast<int>(q));
    if (p.node_failed[static_cast<std::size_t>(path.nodes.front())] || p.node_failed[static_cast<std::size_t>(path.nodes.back())]) {
      ++p.ending;
      ++ending_of[path.demand];
    } else {
      ++p.affected;
      ++affected_of[path.demand];
    }
    if (stub_release)
      for (int k : path.spans)
        if (!p.span_failed[static_cast<std::size_t>(k)]) ++p.capacity[static_cast<std::size_t>(k)];
  }
  for (const auto& [d, count] : affected_of) {
    const Demand& demand = paths.demands[static_cast<std::size_t>(d)];
    p.demands.push_back({d, demand.from, demand.to, count});
  }
  p.ending_demands.assign(ending_of.begin(), ending_of.end());
  return p;
}

}  // namespace pathrestore
