#include "cut_span.h"

#include <algorithm>

#include "results.h"

using studyfiles::Answer;
using studyfiles::EdgeRecord;
using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::ResultRow;
using studyfiles::format_result_row;
using studyfiles::kResultsHeader;

namespace {

constexpr int kStatusNegativeDemand = 1;
constexpr int kStatusNoStrategy = 1;

enum Strategy { kExponential = 1, kLinear = 2, kBisection = 3, kAll = 4 };

void announce_cut(std::FILE* out, const Options& options, int e, const EdgeRecord& cut, int span) {
  if (options.silence) {
    std::fprintf(out, "cut span #%d\n", span);
    return;
  }
  const std::string stars(78, '*');
  const std::string frame = "*" + std::string(76, ' ') + "*\n";
  std::fprintf(out, "\n%s\n%s", stars.c_str(), frame.c_str());
  std::fprintf(out, "*******************************EDGE #%d***************************************\n", span);
  std::fprintf(out, "%s%s\n\n", frame.c_str(), stars.c_str());
  std::fprintf(out, "\n\nYou have chosen to cut edge #%d. This edge connects\n", e);
  std::fprintf(out, "node %d and %d.\n", cut.from, cut.to);
}

void print_answer(std::FILE* out, const char* prefix, const Answer& a) {
  std::fprintf(out, "\n%sis_feas = %i.\n", prefix, a.is_feas);
  std::fprintf(out, "%selapsed_time = %lf.\n", prefix, a.elapsed_time);
  std::fprintf(out, "%scpu_time = %lf.\n", prefix, a.cpu_time);
  std::fprintf(out, "%sopt_cost = %lf.\n", prefix, a.opt_cost);
}

// The banner that closes each search of strategy 4 in the results file.
void write_closing_banner(std::FILE* results, int left, const char* words, int right) {
  const std::string line(81, '+');
  std::fprintf(results, "\n%s\n%s%s%s\n%s\n\n", line.c_str(), std::string(static_cast<std::size_t>(left), '+').c_str(),
               words, std::string(static_cast<std::size_t>(right), '+').c_str(), line.c_str());
}

void run_search(Search& s, int strategy, int demand, std::FILE* results) {
  switch (strategy) {
    case kExponential:
      exponential_stat(s, demand, 1, Totals{});
      break;
    case kLinear:
      linear_stat(s, demand, 1, Totals{});
      break;
    case kBisection:
      bisection(s, demand - (demand - 1) / 2, demand, demand - 1, 1, 0, Totals{});
      break;
    case kAll:
      exponential_stat(s, demand, 1, Totals{});
      write_closing_banner(results, 25, "END EXPONENTIAL RUN", 37);
      linear_stat(s, demand, 1, Totals{});
      write_closing_banner(results, 27, "END LINEAR RUN", 39);
      bisection(s, demand - (demand - 1) / 2, demand, demand - 1, 1, 0, Totals{});
      write_closing_banner(results, 26, "END BISECTION RUN", 38);
      break;
    default:
      stop_at(s.out, kStatusNoStrategy, "No strategy selected!!! Exiting...\n\n");
  }
}

// The demand bound of the cut, with its message; stops on a negative bound.
int cut_demand(std::FILE* out, const Options& options, const Netdata& net, int e) {
  const EdgeRecord& cut = net.edges[static_cast<std::size_t>(e - 1)];
  const DemandBound bound = demand_bound(net, e);
  if (!options.silence) {
    if (bound.least >= cut.capacity)
      std::fprintf(out, "100%% restoration is possible.\n\n");
    else
      std::fprintf(out, "100%% restoration is not possible -- %.2lf%% may be.",
                   static_cast<double>(bound.least) * 100.0 / cut.capacity);
  }
  if (bound.demand < 0) {
    std::fprintf(out, "ERROR--NEGATIVE DEMAND!!!\n");
    stop_at(out, kStatusNegativeDemand, "Bad data or something is wrong with the demand calculation!!! Exiting...\n");
  }
  return static_cast<int>(bound.demand);
}

// A cut whose bound is above zero: solver trial, search when needed, row,
// path report.
void restore_cut(const Options& options, const Netdata& net, const NodeList& nodes, const CutOutput& output, int e,
                 int demand, const CutSolver& solver) {
  std::FILE* out = output.out;
  std::FILE* results = output.results;
  const EdgeRecord& cut = net.edges[static_cast<std::size_t>(e - 1)];
  const int edge_column = (e + (net.bidirectional ? 2 : 1)) / 2;
  Row row{edge_column, nodes.name_of(cut.from), nodes.name_of(cut.to), cut.capacity, false, 0, Answer{}, 0.0};
  const Answer first = solver.trial(demand);
  if (!options.silence) print_answer(out, "", first);
  if (first.is_feas) {
    row.feasible = true;
    row.restored = demand;
    row.answer = first;
    row.percent = percent_of(demand, cut.capacity);
  } else {
    Search s{results, options.debug, e, row.from_name, row.to_name, cut.capacity, solver.trial, 0, 0.0, first, out};
    run_search(s, options.strategy, demand, results);
    row.answer = s.last_answer;
    if (!options.silence) print_answer(out, "Final ", row.answer);
    row.feasible = row.answer.is_feas != 0;
    row.restored = s.final_demand;
    row.percent = s.final_percent_res;
  }
  write_row(results, row);
  solver.file_report(out);
}

}  // namespace

void cut_span(const Options& options, const Netdata& net, const NodeList& nodes, const CutOutput& output, int e,
              const std::function<CutSolver()>& make_solver) {
  const EdgeRecord& cut = net.edges[static_cast<std::size_t>(e - 1)];
  announce_cut(output.out, options, e, cut, e / 2 + 1);
  const int demand = cut_demand(output.out, options, net, e);
  if (demand > 0) {
    restore_cut(options, net, nodes, output, e, demand, make_solver());
    return;
  }
  if (options.silence) return;
  std::fprintf(output.out, "There is nothing to restore--demand = 0!\n\n");
  write_row(output.results,
            Row{e, nodes.name_of(cut.from), nodes.name_of(cut.to), cut.capacity, false, 0, Answer{}, 0.0});
}

void write_results_header(std::FILE* results) { std::fputs(kResultsHeader, results); }

void write_row(std::FILE* results, const Row& row) {
  const Answer& a = row.answer;
  std::fputs(format_result_row(ResultRow{0, row.edge, row.from_name, row.to_name, row.capacity, row.feasible,
                                         row.restored, a.elapsed_time, a.cpu_time, a.opt_cost, row.percent})
                 .c_str(),
             results);
}

void print_cut_loop_heading() { std::printf("\n*********** CUT LINKS, ONE AT A TIME *******************\n\n"); }
