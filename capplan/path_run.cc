#include "path_run.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "backup_design.h"
#include "path_list.h"
#include "path_plan.h"
#include "path_study.h"
#include "planner.h"
#include "results.h"
#include "routes_file.h"
#include "sweep.h"
#include "text_format.h"
#include "textio.h"
#include "version.h"
#include "wholefile.h"

namespace capplan {

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "capplan: %s\n", message.c_str());
  return 1;
}

// No output may be an input, nor another output.
Error check_outputs(const std::vector<const std::string*>& inputs, const std::vector<const std::string*>& outputs) {
  for (std::size_t a = 0; a < outputs.size(); ++a) {
    if (outputs[a]->empty()) continue;
    for (const std::string* input : inputs)
      if (!input->empty() && same_file(*outputs[a], *input))
        return Error::of("refusing to write " + *outputs[a] + ": it is the input file " + *input);
    for (std::size_t b = a + 1; b < outputs.size(); ++b)
      if (!outputs[b]->empty() && same_file(*outputs[a], *outputs[b]))
        return Error::of("refusing to write two outputs into " + *outputs[b]);
  }
  return {};
}

// Writes the outputs in order, naming each in the lines, then prints the
// summary.
int write_and_print(const std::vector<Output>& outputs, const SpanNetwork& spans, const studyfiles::NodeList& nodes,
                    const Plan& shown, const PlanBounds& bounds, ResultLines lines, int status,
                    std::chrono::steady_clock::time_point start) {
  if (Error error = write_outputs(outputs, lines)) return fail(error.text());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fputs(result_text(spans, nodes, shown, bounds, lines, seconds).c_str(), stdout);
  return status;
}

const char* method_name(PathMethod m) {
  return m == PathMethod::path ? "path-restorable" : m == PathMethod::sbpp ? "shared backup" : "dedicated 1+1";
}

std::string path_nodes(const pathrestore::Network& net, const std::vector<int>& nodes) {
  std::string text;
  for (int v : nodes) text += (text.empty() ? "" : " ") + net.name_of(v);
  return text;
}

int run_path(const PathRunOptions& o, const StudyNames& inputs, const std::string& planned,
             const studyfiles::NodeList& nodes, const studyfiles::Netdata& net, const SpanNetwork& spans,
             const PathPlanStudy& study, ResultLines lines, const PlanOptions& plan_options,
             std::chrono::steady_clock::time_point start) {
  const PathPlan plan = plan_path_spare(study, plan_options);
  if (plan.fault) return fail(plan.fault.text() + "; nothing written");
  if (Error proof = prove_path_plan(study, plan.spare, plan.unrestorable, plan.restorations))
    return fail(proof.text() + "; nothing written");
  std::vector<pathrestore::ScenarioOutcome> outcomes(plan.restorations.size());
  for (std::size_t s = 0; s < outcomes.size(); ++s) outcomes[s].routes = plan.restorations[s];
  lines.after_summary.push_back(text_printf("  routes priced in   %12d%s\n", plan.routes,
                                            plan.priced_out ? "  (no other route prices in)" : ""));
  lines.proved = text_printf("proved: %zu scenarios restore every affected path%s over the planned spare, each route checked\n",
                             study.scenarios->size(), plan.unrestorable.empty() ? "" : " that a surviving route joins");
  for (const Unrestorable& u : plan.unrestorable) {
    const pathrestore::Scenario& s = (*study.scenarios)[static_cast<std::size_t>(u.scenario)];
    const pathrestore::Demand& d = study.paths->demands[static_cast<std::size_t>(u.demand)];
    lines.after_proof.push_back(text_printf(
        "unrestorable: %s %s: no surviving route joins %s and %s, no spare restores its %d affected paths\n",
        pathrestore::kind_word(s.kind), s.name.c_str(), study.net->name_of(d.from).c_str(),
        study.net->name_of(d.to).c_str(), u.affected));
  }
  Plan shown;
  shown.spare = plan.spare;
  const studyfiles::RoutesHeader header{version_line("capplan"), inputs.nodes, planned, o.paths, o.stub_release,
                                        o.max_spans};
  const std::size_t n_unrestorable = plan.unrestorable.size();
  const int status = n_unrestorable == 0 ? 0 : 2;
  const int written = write_and_print(
      {{planned, [&] { return studyfiles::format_netdata(planned_netdata(net, plan.spare)); }},
       {o.restoration, [&] { return pathrestore::routes_file_text(header, *study.net, *study.scenarios, outcomes); }}},
      spans, nodes, shown, plan, lines, status, start);
  if (written == status && n_unrestorable > 0) {
    std::vector<char> hit(study.scenarios->size(), 0);
    for (const Unrestorable& u : plan.unrestorable) hit[static_cast<std::size_t>(u.scenario)] = 1;
    const long long scenarios = std::count(hit.begin(), hit.end(), 1);
    std::printf("%zu %s of %lld %s no surviving route: the plan restores every other affected path\n", n_unrestorable,
                n_unrestorable == 1 ? "demand" : "demands", scenarios, scenarios == 1 ? "scenario has" : "scenarios have");
  }
  return written;
}

int run_backups(const PathRunOptions& o, const std::string& planned, const studyfiles::NodeList& nodes,
                const studyfiles::Netdata& net, const SpanNetwork& spans, const PathPlanStudy& study,
                const std::string& title, ResultLines lines, const PlanOptions& plan_options,
                std::chrono::steady_clock::time_point start) {
  BackupStudy backup{study, o.method == PathMethod::dedicated};
  const BackupDesign design = plan_backups(backup, plan_options);
  if (design.fault) return fail(design.fault.text() + "; nothing written");
  if (Error proof = check_backups(backup, design)) return fail("the plan fails its proof: " + proof.text() + "; nothing written");
  lines.proved = text_printf("proved: %zu backups avoid every scenario that affects their paths; every span's spare holds %s\n",
                             design.backups.size() - design.unprotected.size(),
                             o.method == PathMethod::dedicated ? "every backup that crosses it"
                                                                : "the backups each scenario activates on it");
  for (int q : design.unprotected) {
    const pathrestore::WorkingPath& path = study.paths->paths[static_cast<std::size_t>(q)];
    lines.after_proof.push_back(text_printf("unprotected: %s:%d (%s): no route avoids every scenario that affects it\n",
                                            o.paths.c_str(), path.line, path_nodes(*study.net, path.nodes).c_str()));
  }
  Plan shown;
  shown.spare = design.spare;
  const auto backups_text = [&] {
    std::string text = title;
    for (const std::vector<int>& route : design.backups) {
      std::vector<const std::string*> names;
      for (int v : route) names.push_back(&study.net->name_of(v));
      text += netrestore::path_line(names);
    }
    return text;
  };
  const std::size_t n = design.unprotected.size();
  const int status = n == 0 ? 0 : 2;
  const int written = write_and_print({{planned, [&] { return studyfiles::format_netdata(planned_netdata(net, design.spare)); }},
                                       {o.backups, backups_text}},
                                      spans, nodes, shown, design, lines, status, start);
  if (written == status && n > 0)
    std::printf("%zu %s no backup: the plan protects every other path\n", n, n == 1 ? "path has" : "paths have");
  return written;
}

}  // namespace

int run_path_method(const PathRunOptions& o, const StudyNames& inputs, const std::string& planned,
                    const studyfiles::NodeList& nodes, const studyfiles::Netdata& net, const SpanNetwork& spans,
                    bool kept_spare, const PlanOptions& plan_options, std::chrono::steady_clock::time_point start) {
  if (Error e = check_outputs({&inputs.nodes, &inputs.netdata, &o.paths, &o.groups}, {&planned, &o.restoration, &o.backups}))
    return fail(e.text());
  std::string path_text, group_text;
  if (Error e = read_file_or_reason(o.paths, path_text)) return fail(e.text());
  if (!o.groups.empty())
    if (Error e = read_file_or_reason(o.groups, group_text)) return fail(e.text());
  studyfiles::SpanRules rules;
  rules.program_does = "capplan plans spans";
  rules.cost_read = false;
  rules.spare_read = false;
  pathrestore::PathStudy read;
  if (Error e = pathrestore::path_study_of(nodes, net, {inputs.nodes, inputs.netdata, o.paths, o.groups}, rules, path_text,
                                           group_text, read))
    return fail(e.text());
  if (const std::string unused = pathrestore::unused_working_text(read.net, read.paths); !unused.empty())
    std::fprintf(stderr, "capplan: warning: %s\n", unused.c_str());
  const std::vector<pathrestore::Scenario> scenarios =
      pathrestore::scenarios_of(read.net, o.fail, o.fail.groups ? &read.groups : nullptr);

  PathPlanStudy study;
  study.net = &read.net;
  study.paths = &read.paths;
  study.scenarios = &scenarios;
  for (const PlanSpan& s : spans.spans) {
    study.cost.push_back(s.cost);
    study.kept.push_back(s.spare);
  }
  study.stub_release = o.stub_release;
  study.max_spans = o.max_spans;

  ResultLines lines;
  lines.heading = text_printf("%s plan for %s (nodes %s, paths %s, failing %s%s): %zu spans, %d nodes, %zu working paths, %zu scenarios",
                              method_name(o.method), inputs.netdata.c_str(), inputs.nodes.c_str(), o.paths.c_str(),
                              o.fail_text.c_str(), o.stub_release ? ", stub release" : "", spans.spans.size(),
                              spans.n_node, read.paths.paths.size(), scenarios.size());
  lines.kept_spare = kept_spare;
  if (o.method == PathMethod::path)
    return run_path(o, inputs, planned, nodes, net, spans, study, lines, plan_options, start);
  return run_backups(o, planned, nodes, net, spans, study, netrestore::parse_path_list(path_text).title, lines,
                     plan_options, start);
}

}  // namespace capplan
