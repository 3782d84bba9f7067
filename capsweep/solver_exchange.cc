#include "solver_exchange.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "shell.h"
#include "textio.h"

using studyfiles::Answer;
using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::RelaxInputArc;
using studyfiles::format_relax_input;
using studyfiles::kAnswerFile;
using studyfiles::kPathFile;
using studyfiles::kRelaxInputFile;
using studyfiles::parse_answer;

namespace {

constexpr int kStatusExchange = 1;

}  // namespace

std::string relax_input(int demand, int n_node, int n_edge, int e, int bidirectional,
                        const std::vector<EdgeRecord>& edges, int from, int to) {
  std::vector<RelaxInputArc> arcs;
  for (int k = 1; k <= n_edge; ++k) {
    const EdgeRecord& r = edges[static_cast<std::size_t>(k - 1)];
    const bool cut = k == e || (bidirectional == 1 && k == e + 1);
    arcs.push_back(RelaxInputArc{r.from, r.to, r.cost, cut ? 0 : r.spare});
  }
  return format_relax_input(n_node, arcs, from, to, demand);
}

void CreateFileForRelax(int demand, int n_node, int n_edge, int e, int bidirectional,
                        const std::vector<EdgeRecord>& edges, int from, int to) {
  File f = open_file(kRelaxInputFile, "w");
  if (!f) stop_with(kStatusExchange, "ERROR--cannot open the file RELAX.INP for writing!!!\n");
  const std::string text = relax_input(demand, n_node, n_edge, e, bidirectional, edges, from, to);
  if (!write_and_finish(f, text)) stop_with(kStatusExchange, "can not write RELAX.INP\n");
}

Answer read_answer() {
  std::optional<std::string> text = read_whole_file(kAnswerFile);
  if (!text) stop_with(kStatusExchange, "ERROR--cannot open the file TEMP.OUT for reading!!!\n");
  std::optional<Answer> answer = parse_answer(*text);
  if (!answer)
    stop_with(kStatusExchange,
              "ERROR--the file TEMP.OUT does not hold is_feas, elapsed_time, cpu_time and opt_cost!!!\n");
  return *answer;
}

std::string solver_command(int silence) { return silence ? "relax > /dev/null" : "relax"; }

Trial solver_trial(const Netdata& net, int e, int silence) {
  return [&net, e, silence](int demand) {
    const EdgeRecord& cut = net.edges[static_cast<std::size_t>(e - 1)];
    std::remove(kAnswerFile);
    std::remove(kPathFile);
    CreateFileForRelax(demand, net.n_node, net.n_record, e, net.bidirectional ? 1 : 0, net.edges, cut.from, cut.to);
    run_shell_command(solver_command(silence));
    return read_answer();
  };
}
