#include "table.h"

#include <cstdlib>

#include "path_summary.h"
#include "routes_file.h"
#include "text_format.h"
#include "version.h"

studyfiles::PathTable table_of(const Options& o, const PathStudy& study,
                               const std::vector<pathrestore::Scenario>& scenarios,
                               const std::vector<pathrestore::ScenarioOutcome>& outcomes) {
  const pathrestore::Network& net = study.net;
  studyfiles::PathTable t;
  t.writer = version_line("pathsweep");
  t.nodes_file = o.nodes_file;
  t.netdata_file = o.netdata_file;
  t.paths_file = o.paths_file;
  t.groups_file = o.groups;
  t.fail = o.fail_text;
  t.stub_release = o.stub_release;
  t.max_spans = o.max_spans;
  t.has_bound = o.bound;
  t.cut_rate = o.cut_rate;
  t.node_rate = o.node_rate;
  if (t.has_availability()) {
    t.repair_hours = o.repair_hours;
    t.length_unit = o.length_unit;
  }
  t.paths = static_cast<int>(study.paths.paths.size());
  t.demand_count = static_cast<int>(study.paths.demands.size());
  for (const studyfiles::Span& s : net.spans)
    t.spans.push_back({net.name_of(s.from), net.name_of(s.to), s.working, s.spare, s.cost});
  // Rows by kind, in the order --fail named the kinds or not: spans, nodes, groups.
  for (pathrestore::ScenarioKind kind :
       {pathrestore::ScenarioKind::span, pathrestore::ScenarioKind::node, pathrestore::ScenarioKind::group})
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
      if (scenarios[s].kind != kind) continue;
      const pathrestore::ScenarioOutcome& r = outcomes[s];
      t.rows.push_back({pathrestore::kind_word(kind), scenarios[s].name, r.affected, r.ending, static_cast<int>(r.restored),
                        o.bound ? studyfiles::two_decimals(r.bound) : 0.0});
    }
  if (t.has_availability()) {
    std::vector<double> u;
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
      studyfiles::PathRow row;
      row.kind = pathrestore::kind_word(scenarios[s].kind);
      row.name = scenarios[s].name;
      u.push_back(studyfiles::row_unavailability(t, row));
    }
    const std::vector<double> per_demand = pathrestore::demand_unavailability(study.paths, outcomes, u);
    for (std::size_t d = 0; d < study.paths.demands.size(); ++d) {
      const pathrestore::Demand& demand = study.paths.demands[d];
      studyfiles::PathDemand pd{net.name_of(demand.from), net.name_of(demand.to), static_cast<int>(demand.paths.size()),
                                per_demand[d]};
      // As the table holds it, so that the summary reads the same from the table.
      pd.unavailability = std::strtod(text_printf("%.6e", pd.unavailability).c_str(), nullptr);
      t.demands.push_back(pd);
    }
  }
  return t;
}

std::string routes_text(const Options& o, const PathStudy& study, const std::vector<pathrestore::Scenario>& scenarios,
                        const std::vector<pathrestore::ScenarioOutcome>& outcomes) {
  const studyfiles::RoutesHeader h{version_line("pathsweep"), o.nodes_file, o.netdata_file, o.paths_file, o.stub_release,
                                   o.max_spans};
  return pathrestore::routes_file_text(h, study.net, scenarios, outcomes);
}
