#include "pathsweep.h"

#include <cstdio>

#include <unistd.h>

#include "options.h"
#include "path_summary.h"
#include "progress_counter.h"
#include "study.h"
#include "sweep.h"
#include "table.h"
#include "wholefile.h"

const ProgramInfo kPathsweepInfo{"pathsweep", kPathsweepHelp};

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "pathsweep: %s\n", message.c_str());
  return 1;
}

}  // namespace

int pathsweep_main(int argc, char** argv) {
  Options o;
  if (std::string error = parse_options(argc, argv, o); !error.empty()) {
    std::fprintf(stderr, "pathsweep: %s\n%s", error.c_str(), kPathsweepUsage);
    return 1;
  }
  if (std::string error = check_outputs(o); !error.empty()) return fail(error);
  PathStudy study;
  if (Error e = read_path_study(o, study)) return fail(e.text());
  if (const std::string unused = pathrestore::unused_working_text(study.net, study.paths); !unused.empty())
    std::fprintf(stderr, "pathsweep: warning: %s\n", unused.c_str());

  const std::vector<pathrestore::Scenario> scenarios =
      pathrestore::scenarios_of(study.net, o.fail, o.fail.groups ? &study.groups : nullptr);
  ProgressCounter counter(o.progress || isatty(STDERR_FILENO) ? stderr : nullptr, "pathsweep", "scenarios",
                          scenarios.size());
  pathrestore::SweepOptions sweep_options;
  sweep_options.stub_release = o.stub_release;
  sweep_options.restore.max_spans = o.max_spans;
  sweep_options.restore.ip_seconds = o.exact_seconds;
  sweep_options.restore.exact_bound = o.bound;
  sweep_options.threads = o.threads;
  sweep_options.progress = [&](std::size_t, std::size_t) { counter.add(1); };
  std::vector<pathrestore::ScenarioOutcome> outcomes;
  if (Error e = pathrestore::sweep(study.net, study.paths, scenarios, sweep_options, outcomes))
    return fail("a restoration failed its proof: " + e.text());

  const studyfiles::PathTable table = table_of(o, study, scenarios, outcomes);
  if (Error e = write_file_or_reason(o.results_file, studyfiles::format_path_table(table))) return fail(e.text());
  std::fputs(studyfiles::path_summary_text(table).c_str(), stdout);
  std::fflush(stdout);
  if (!o.csv.empty())
    if (Error e = write_file_or_reason(o.csv, studyfiles::path_csv_text(table))) return fail(e.text());
  if (!o.routes.empty())
    if (Error e = write_file_or_reason(o.routes, routes_text(o, study, scenarios, outcomes))) return fail(e.text());
  return 0;
}
