// An experiment's result table: the file that the restoration run scripts
// start with two header lines and that each simulator run extends by one
// row, one row per cut span. The simulators vetrun, kimber, ospel and dunvar
// write its rows; capview reads the finished table (BASE.TAG.res).
//
//   vtr.restoration results on net.rst
//   =========================================
//   1        2             7      7      9      3.412      1.904      2        418       21      3
//
// The header's first word is the method's tag (vtr, kmb, osp, dunv) followed
// by ".restoration"; its second line is a run of '=' (40 or 41, as the script
// that made the file writes them). Every row begins with the six fields that
// any tool may rely on, blank-separated: the two end nodes as the /b= word
// named them, the working channels lost, the channels restored, the bound
// (the maximum flow between the ends over the spare of the other spans), and
// the completion time in ms of the last restored path (0 when nothing was
// restored). Then: the completion time of the first restored path, the
// number of successively shortest routes, the messages sent, the spare
// channel-spans used, and the number of restoration paths.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace studyfiles {

// The simulators that write these tables, in the order they are listed and
// shown: the tag that names a table (its title's first word, netres.TAG.res,
// BASE.TAG.res) and the simulator's name.
struct ExperimentMethod {
  const char* tag;
  const char* name;
};
inline constexpr ExperimentMethod kExperimentMethods[] = {
    {"vtr", "vetrun"}, {"kmb", "kimber"}, {"osp", "ospel"}, {"dunv", "dunvar"}};
inline constexpr std::size_t kExperimentMethodCount = std::size(kExperimentMethods);

struct ExperimentRow {
  int line = 0;  // line of the table file; not written
  std::string from, to;  // as the /b= word named them
  int lost = 0;          // working channels lost
  int restored = 0;      // channels restored
  int bound = 0;         // maximum flow between the ends over the other spans' spare
  double last_ms = 0.0;  // completion time of the last restored path
  double first_ms = 0.0; // completion time of the first restored path
  int routes = 0;        // successively shortest routes between the ends
  long long messages = 0;       // messages sent during the restoration
  long long channel_spans = 0;  // spare channel-spans seized
  int paths = 0;                // restoration paths
};

// "%-8s %-8s %6d %6d %6d %10.3f %10.3f %6d %10lld %8lld %6d\n"
inline constexpr const char* kExperimentRowFormat = "%-8s %-8s %6d %6d %6d %10.3f %10.3f %6d %10lld %8lld %6d\n";

std::string format_experiment_row(const ExperimentRow& row);

// The header's first line, "vtr.restoration results on net.rst\n", as the
// run scripts echo it.
std::string format_experiment_title(const std::string& tag, const std::string& netrestore_file);

struct ExperimentTable {
  std::string tag;              // vtr, kmb, osp or dunv (as the title names it)
  std::string netrestore_file;  // the netrestore file the title names
  std::vector<ExperimentRow> rows;
};

// Reads a whole table: the two header lines, then rows (blank lines are
// passed over). Returns the error that names the file and the line, or no
// error; on an error, `table` holds what was read before it.
Error read_experiment_table(std::string_view text, const std::string& file_name, ExperimentTable& table);

}  // namespace studyfiles
