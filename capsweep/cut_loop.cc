#include "cut_loop.h"

#include "path_report.h"
#include "solver_exchange.h"

using studyfiles::Netdata;
using studyfiles::NodeList;

namespace {

constexpr int kStatusWrite = 1;

}  // namespace

void cut_loop(const Options& options, const Netdata& net, const NodeList& nodes, std::FILE* results,
              const std::string& results_name) {
  print_cut_loop_heading();
  const int stride = net.bidirectional ? 2 : 1;
  for (long long e = 1; e <= net.n_record; e += stride) {
    const int cut = static_cast<int>(e);
    cut_span(options, net, nodes, CutOutput{stdout, results}, cut, [&] {
      return CutSolver{solver_trial(net, cut, options.silence),
                       [&](std::FILE*) { convert(options.netdata_file, nodes); }};
    });
    if (std::fflush(results) != 0 || std::ferror(results))
      stop_with(kStatusWrite, text_printf("can not write %s\n", results_name.c_str()).c_str());
  }
}
