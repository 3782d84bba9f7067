#include "in_process.h"

#include <time.h>

#include <cstdlib>
#include <new>

#include "cut_network.h"
#include "path_report.h"
#include "relax_answer.h"

using studyfiles::Answer;
using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::RelaxProblem;

namespace {

constexpr int kStatusNoAnswer = 1;

double seconds_of(clockid_t clock) {
  timespec t{};
  ::clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

TextStream::TextStream() : file_(::open_memstream(&data_, &size_)) {
  if (!file_) throw std::bad_alloc();
}

TextStream::~TextStream() {
  std::fclose(file_);
  std::free(data_);
}

std::string TextStream::text() {
  if (std::fflush(file_) != 0) throw std::bad_alloc();
  return std::string(data_, size_);
}

InProcessSolver::InProcessSolver(const Options& options, const Netdata& net, const NodeList& nodes)
    : options_(options), net_(net), nodes_(nodes), solver_(relax_network(net)) {}

CutText InProcessSolver::run_cut(int e) {
  CutText text;
  TextStream out;
  TextStream results;
  closed_.assign(1, static_cast<std::size_t>(e - 1));
  if (net_.bidirectional && e < net_.n_record) closed_.push_back(static_cast<std::size_t>(e));
  try {
    cut_span(options_, net_, nodes_, CutOutput{out.get(), results.get()}, e,
             [&] { return for_cut(e, out.get(), text); });
  } catch (const Stop& stop) {
    text.stop = stop.status;
  }
  text.out = out.text();
  text.results = results.text();
  return text;
}

CutSolver InProcessSolver::for_cut(int e, std::FILE* out, CutText& text) {
  return CutSolver{[this, e, out, &text](int demand) { return trial(e, demand, out, text); },
                   [this, &text](std::FILE* report_out) { file_report(report_out, text); }};
}

// One trial as relax answers it: the verdict, its summary line unless in
// silence, and, where relax would refuse the problem, the stop a run
// without an answer file makes.
Answer InProcessSolver::trial(int e, int demand, std::FILE* out, CutText& text) {
  const EdgeRecord& cut = net_.edges[static_cast<std::size_t>(e - 1)];
  const std::string refusal = solver_.refusal(closed_, cut.from, cut.to, demand);
  if (!refusal.empty()) {
    text.errors += "relax: " + refusal + "\n";
    stop_at(out, kStatusNoAnswer, "ERROR--cannot open the file TEMP.OUT for reading!!!\n");
  }
  const double start = seconds_of(CLOCK_MONOTONIC);
  const double cpu_start = seconds_of(CLOCK_THREAD_CPUTIME_ID);
  last_ = solver_.solve(closed_, cut.from, cut.to, demand);
  Answer a;
  a.elapsed_time = seconds_of(CLOCK_MONOTONIC) - start;
  a.cpu_time = seconds_of(CLOCK_THREAD_CPUTIME_ID) - cpu_start;
  a.is_feas = last_.feasible ? 1 : 0;
  a.opt_cost = static_cast<double>(last_.cost);
  if (!options_.silence) std::fputs(summary_line(solver_.problem(), last_).c_str(), out);
  return a;
}

// The path report of the last trial, as convert() makes it from PATH.OUT.
void InProcessSolver::file_report(std::FILE* out, CutText& text) {
  const std::optional<PathReport> report = convert_report(path_out_text(solver_.problem(), last_), nodes_);
  if (!report) return;  // relax's own report always names the end nodes
  std::fwrite(report->echo.data(), 1, report->echo.size(), out);
  text.report_name = report_copy_name(options_.netdata_file, nodes_, *report);
  text.report_text = report->path_l;
}
