// A restoration experiment side by side: the result tables that the run
// scripts leave, one per simulator (BASE.vtr.res, BASE.kmb.res, BASE.osp.res,
// BASE.dunv.res), matched span by span, with capsweep's results for the same
// network when given, and the figures that compare them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "experiment_table.h"
#include "node_list.h"
#include "results.h"

namespace capview {

// The simulators, in the order capview shows them: the tag that names a
// table (its title's first word) and the simulator's name.
inline constexpr const auto& kMethodNames = studyfiles::kExperimentMethods;
inline constexpr std::size_t kMethodCount = studyfiles::kExperimentMethodCount;

// One table as read, with the name of its file.
struct ExperimentInput {
  std::string file;
  studyfiles::ExperimentTable table;
};

// One method of the experiment: which simulator, and the table it wrote.
struct MethodRun {
  std::size_t method = 0;  // index into kMethodNames
  std::string file;
};

// One span cut, with every method's answer (in the order of
// Experiment::methods) and capsweep's.
struct ExperimentSpan {
  int span = 0;                    // 1, 2, ... in node-list order of the ends
  int from_node = 0, to_node = 0;  // from_node < to_node
  std::string from, to;            // the node list's names
  int lost = 0, bound = 0;
  std::vector<int> restored;
  std::vector<double> last_ms;  // completion time of the last restored path
  bool has_capsweep = false;    // capsweep's results have a row for the span
  int capsweep_restored = 0;    // 0 without a row: nothing was to restore
};

struct Experiment {
  std::string nodes_file;
  std::string netrestore_file;  // as the first table's title names it
  std::vector<MethodRun> methods;
  std::vector<ExperimentSpan> spans;  // ordered by from_node, then to_node
  std::string results_file;           // capsweep's; empty when not given
};

// Matches the tables: every table must be named by a simulator's tag (each
// tag once), and every table must cut the same spans, with the same working
// channels lost and the same bound, as the first; no row may restore more
// than the span lost or than its bound. A row names its ends by the node
// list's names or by node numbers. Returns the message that names the file
// (and the line), or an empty string.
std::string match_experiment(const studyfiles::NodeList& nodes, const std::string& nodes_file,
                             const std::vector<ExperimentInput>& tables, Experiment& experiment);

// Adds capsweep's results for the same network: each row answers the span
// between its end names (in either order; of two rows for one span, as a
// one-way table has them, the first answers) and must show the span's lost
// channels as its working capacity. A span without a row must have had
// nothing to restore (nothing lost, or a bound of 0), as capsweep -s leaves
// such cuts out.
std::string add_capsweep_results(const studyfiles::NodeList& nodes, const std::vector<studyfiles::ResultRow>& rows,
                                 const std::string& results_file, Experiment& experiment);

// Restored over lost channels in percent, 0 when nothing was lost.
double restorability(long long restored, long long lost);

struct Totals {
  long long lost = 0;
  long long bound = 0;  // the most that can be restored: min(lost, bound) per span
  std::vector<long long> restored;  // per method
  long long capsweep = 0;
};
Totals totals_of(const Experiment& experiment);

// The median (the mean of the two middle values of an even count), the
// nearest-rank 90th percentile (the value at rank ceil(0.9 n) of the sorted
// times) and the largest of the times; all 0 for no time.
struct TimeFigures {
  int spans = 0;
  double median = 0.0, p90 = 0.0, largest = 0.0;
};
double median_of(std::vector<double> values);
double nearest_rank(std::vector<double> values, int percent);
// Over the spans where the method (index into Experiment::methods) restored
// something.
TimeFigures time_figures(const Experiment& experiment, std::size_t method);

// How far the methods lie apart on a span: the largest less the smallest
// number restored, and the same of the time over the methods that restored
// something (0 when fewer than two did).
struct Spread {
  int restored = 0;
  double time = 0.0;
};
Spread spread_of(const ExperimentSpan& span);

// Up to ten spans on which the methods differ, most first (the larger spread
// of restored channels, then of time, then the span order); indexes into
// the spans. Spans on which they agree are left out.
std::vector<std::size_t> most_different(const Experiment& experiment);

// The comparison as printed on standard output (also shown on the page).
std::string experiment_summary(const Experiment& experiment);

// One line per span: "span,from,to,lost,bound", then "NAME_restored,NAME_ms"
// for each method, then "capsweep_restored" when capsweep's results were
// given.
std::string experiment_csv(const Experiment& experiment);

// The page: the summary, a chart of the channels restored per span and
// method beside the bound (and capsweep's), a chart of the time per span and
// method, and the per-span table, sortable by any column.
std::string experiment_page(const Experiment& experiment);

}  // namespace capview
