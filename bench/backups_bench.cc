// The backup designs measured (shared backup path protection and 1+1) on a
// study as netimport writes it: one row per run, with the spare, the cost,
// the lower bound, the gap, the time, the peak memory and the proof. Run by
// hand (bench/backups_bench.sh):
//   build/bench/backups_bench [--seconds S] [--fail spans|nodes|...] [--dedicated] [--progress] NODES NETDATA PATHS
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backup_design.h"
#include "netdata.h"
#include "node_list.h"
#include "plan_bounds.h"
#include "run_clock.h"
#include "scenario.h"
#include "spans.h"
#include "wholefile.h"
#include "working_paths.h"

namespace {

int fail(const std::string& text) {
  std::fprintf(stderr, "backups_bench: %s\n", text.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 60;
  std::string fail_words = "spans";
  bool dedicated = false, progress = false;
  std::vector<std::string> files;
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "--seconds" && a + 1 < argc) {
      seconds = std::atof(argv[++a]);
    } else if (arg == "--fail" && a + 1 < argc) {
      fail_words = argv[++a];
    } else if (arg == "--dedicated") {
      dedicated = true;
    } else if (arg == "--progress") {
      progress = true;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 3)
    return fail("usage: backups_bench [--seconds S] [--fail KINDS] [--dedicated] [--progress] NODES NETDATA PATHS");
  std::vector<std::string> texts;
  for (const std::string& f : files) {
    const auto text = read_whole_file(f);
    if (!text) return fail("can not read " + f);
    texts.push_back(*text);
  }
  const capplan::RunClock clock(seconds);
  studyfiles::NodeList nodes;
  studyfiles::Netdata netdata;
  if (Error e = studyfiles::read_node_list(texts[0], files[0], nodes)) return fail(e.text());
  if (Error e = studyfiles::read_netdata(texts[1], files[1], netdata)) return fail(e.text());
  studyfiles::SpanRules rules;
  rules.program_does = "backups_bench plans spans";
  std::vector<studyfiles::Span> spans;
  if (Error e = studyfiles::spans_of_netdata(netdata, files[1], nodes, files[0], rules, spans)) return fail(e.text());
  const pathrestore::Network net = pathrestore::network_of(nodes, netdata.n_node, spans);
  pathrestore::WorkingPaths paths;
  if (Error e = pathrestore::read_working_paths(texts[2], files[2], files[0], net, paths)) return fail(e.text());
  pathrestore::FailKinds kinds;
  if (Error e = pathrestore::parse_fail_kinds(fail_words, kinds)) return fail(e.text());
  const std::vector<pathrestore::Scenario> scenarios = pathrestore::scenarios_of(net, kinds, nullptr);

  capplan::BackupStudy study{{&net, &paths, &scenarios, {}, std::vector<long long>(spans.size(), 0)}, dedicated};
  for (const studyfiles::Span& s : spans) study.cost.push_back(s.cost);
  capplan::Progress shown(clock, progress);
  capplan::PlanOptions options;
  options.seconds = seconds;
  options.clock = &clock;
  options.progress = &shown;
  const capplan::BackupDesign d = capplan::plan_backups(study, options);
  const double planned = clock.elapsed();
  const Error proof = d.fault ? Error{} : capplan::check_backups(study, d);
  const double took = clock.elapsed();
  long long working = 0, spare = 0;
  for (std::size_t k = 0; k < spans.size(); ++k) {
    working += spans[k].working;
    spare += d.fault ? 0 : d.spare[k];
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "%-9s %-6s %5d %5zu %6zu %8lld %8lld %8.2f%% %10lld %10lld %6.2f%% %7.1f s %7.1f s %6ld MB %3zu unprotected  "
      "%s%s\n",
      dedicated ? "1+1" : "shared", fail_words.c_str(), net.n_node, spans.size(), paths.paths.size(), working, spare,
      working ? 100.0 * static_cast<double>(spare) / static_cast<double>(working) : 0.0, d.cost, d.lower_bound,
      capplan::gap_percent(d.cost, static_cast<double>(d.lower_bound)), planned, took - planned, usage.ru_maxrss / 1024,
      d.unprotected.size(),
      d.fault ? ("FAULT " + d.fault.text()).c_str()
      : proof ? ("NOT PROVED " + proof.text()).c_str()
              : "proved",
      d.note.empty() ? "" : (" (" + d.note + ")").c_str());
  return d.fault || proof ? 1 : 0;
}
