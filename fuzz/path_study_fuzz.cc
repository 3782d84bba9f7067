// pathsweep's inputs on any bytes: a node list, a netdata file, a path list
// and a groups file, cut at NUL bytes (missing ones are those of a fixed
// triangle). A study the readers accept, when small, has every scenario
// restored, and every restoration must pass its proof.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "study.h"
#include "sweep.h"

namespace {

const char* const kDefaults[] = {"triangle\n1 A 0 0\n2 B 1 0\n3 C 0 1\n",
                                 "1\n3\n6\n1 1 2 100 2 2\n2 2 1 100 2 2\n3 2 3 200 2 1\n4 3 2 200 2 1\n5 3 1 300 1 1\n6 1 3 300 1 1\n",
                                 "paths\nA B 45\nA B 45\nB C 45\nC A 45\n", "ducts\nduct A-B C-A\n"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> parts = fuzz_parts(fuzz_text(data, size));
  std::string texts[4];
  for (std::size_t k = 0; k < 4; ++k) texts[k] = k < parts.size() ? std::string(parts[k]) : kDefaults[k];
  Options o;
  o.fail = {true, true, true};
  o.groups = "groups.txt";
  o.nodes_file = "nodes.txt";
  o.netdata_file = "net.dat";
  o.paths_file = "paths.txt";
  PathStudy study;
  if (path_study_of(o, texts[0], texts[1], texts[2], texts[3], study)) return 0;
  static_cast<void>(pathrestore::unused_working_text(study.net, study.paths));
  if (study.net.n_node > 8 || study.net.spans.size() > 12 || study.paths.paths.size() > 40) return 0;
  for (const studyfiles::Span& s : study.net.spans)
    if (s.spare > 50) return 0;
  const std::vector<pathrestore::Scenario> scenarios = pathrestore::scenarios_of(study.net, o.fail, &study.groups);
  for (bool stub : {false, true}) {
    pathrestore::SweepOptions options;
    options.stub_release = stub;
    options.restore.ip_seconds = 0;
    options.restore.max_spans = stub ? 3 : 0;
    std::vector<pathrestore::ScenarioOutcome> outcomes;
    if (pathrestore::sweep(study.net, study.paths, scenarios, options, outcomes)) __builtin_trap();
  }
  return 0;
}
