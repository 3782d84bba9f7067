#include "search.h"

#include "network.h"
#include "results.h"

using studyfiles::Answer;
using studyfiles::ResultRow;
using studyfiles::format_trial_row;

namespace {

constexpr int kStatusSearch = 1;

void write_banner(const Search& s, const char* title_line) {
  std::fputs("\n---------------------------------------------------------------------------\n", s.results);
  std::fputs(title_line, s.results);
  std::fputs("---------------------------------------------------------------------------\n\n", s.results);
}

// One solver trial: counted, timed into the totals, and in debug mode its
// row up to the totals.
Answer counted_trial(Search& s, int demand, Totals& t) {
  ++t.run_count;
  Answer a = s.trial(demand);
  s.last_answer = a;
  t.elapsed_total += a.elapsed_time;
  t.cpu_total += a.cpu_time;
  if (s.debug) {
    std::fputs(format_trial_row(ResultRow{0, s.e, s.from_name, s.to_name, s.capacity, a.is_feas != 0, demand,
                                          a.elapsed_time, a.cpu_time, a.opt_cost, percent_of(demand, s.capacity)})
                   .c_str(),
               s.results);
  }
  return a;
}

void report(Search& s, int demand) {
  s.final_demand = demand;
  s.final_percent_res = percent_of(demand, s.capacity);
}

// After a step search: bisect between the last demand that did not route and
// the first that did (or the lower bound), unless they are neighbours.
void hand_over(Search& s, int lower, long long previous, long long current, int last_is_feas, Totals t) {
  const long long upper = last_is_feas ? previous : current;
  const long long low = last_is_feas ? current : lower;
  const long long distance = upper - low;
  if (distance < 0) {
    stop_at(s.out, kStatusSearch, "ERROR--bisection distance is less than zero!!! Exiting...");
  }
  if (last_is_feas && distance == 1) return;
  bisection(s, static_cast<int>(upper - distance / 2), static_cast<int>(upper), static_cast<int>(distance),
            static_cast<int>(low), last_is_feas, t);
}

// The loop both step searches share: steps down from D until a demand
// routes or the next would fall below the lower bound.
void step_search(Search& s, int demand, int lower, long long step, bool doubling, Totals t) {
  long long current = demand;
  long long previous = demand;
  int last_is_feas = 0;
  while (!last_is_feas) {
    if (current + step < lower) break;
    previous = current;
    current += step;
    Answer a = counted_trial(s, static_cast<int>(current), t);
    last_is_feas = a.is_feas;
    if (s.debug) std::fprintf(s.results, "%lf  %lf   %3d  %3lld\n", t.elapsed_total, t.cpu_total, t.run_count, step);
    report(s, static_cast<int>(current));
    if (doubling) step *= 2;
  }
  hand_over(s, lower, previous, current, last_is_feas, t);
}

}  // namespace

double percent_of(int demand, int capacity) {
  return static_cast<double>(demand) / static_cast<double>(capacity) * 100.0;
}

void exponential_stat(Search& s, int demand, int lower, Totals totals) {
  write_banner(s, "---------------------------EXPONENTIAL FIT-----------------------------------\n");
  step_search(s, demand, lower, -1, true, totals);
}

void linear_stat(Search& s, int demand, int lower, Totals totals) {
  if (s.debug) write_banner(s, "-----------------------------LINEAR FIT-------------------------------------\n");
  long long step = -((static_cast<long long>(demand) - lower) / 7);
  if (step == 0) step = -1;
  step_search(s, demand, lower, step, false, totals);
}

void bisection(Search& s, int start, int upper, int distance, int lower, int found, Totals t) {
  if (s.debug) write_banner(s, "------------------------------BISECTION--------------------------------------\n");
  int half = distance / 2;
  int current = start;
  while (upper - lower > 0 && half > 0) {
    Answer a = counted_trial(s, current, t);
    if (s.debug) std::fprintf(s.results, "%lf  %lf   %3d  %3d\n", t.elapsed_total, t.cpu_total, t.run_count, half);
    if (a.is_feas) {
      lower = current;
      half = (upper - current) / 2;
      current += half;
      found = 1;
    } else {
      upper = current;
      half = (current - lower) / 2;
      if (half == 0) half = 1;
      current = upper - half;
    }
  }
  if (!found && current > lower) {
    current = lower;
    if (s.debug) std::fputs("\n\n********** LAST ATTEMPT *********** Need to try lower bound!!\n\n", s.results);
    Answer a = counted_trial(s, current, t);
    if (s.debug) {
      std::fprintf(s.results, "%lf  %lf  %3d  %3d\n", t.elapsed_total, t.cpu_total, t.run_count, half);
      if (!a.is_feas)
        std::fputs("\n\n********** LAST ATTEMPT FAILED *********** NO RESTORATION POSSIBLE!!\n\n", s.results);
    }
    // Not even the lower bound routes: nothing is restorable.
    if (!a.is_feas) current = 0;
  } else if (current >= upper) {
    // No trial of the interval routed and the demand left is the upper
    // bound, which is known not to route (a demand bound of 1).
    current = 0;
  }
  report(s, current);
}
