// The restorations of a pair of cut spans: one span restored as much as
// possible over the spare of every other span, with the flow solve that
// capsweep -j runs (flowsolve/), then the other over the spare the first
// left; both orders are tried and the larger total kept.
#pragma once

#include <utility>
#include <vector>

#include "relax_solve.h"
#include "study.h"

namespace dualsweep {

struct PairRestored {
  int r_i = 0;
  int r_j = 0;
  long long total() const { return static_cast<long long>(r_i) + r_j; }
};

// One thread's solver for the cuts of one study.
class PairSolver {
 public:
  explicit PairSolver(const DualStudy& study);

  // What capsweep restores when span k (1-based) alone is cut: the largest
  // amount that routes from the first record's from node to its to node,
  // within the demand bound.
  int single(int k);

  // Spans `first` and `second` both cut; `first` restored as much as
  // possible, then `second` over what is left. r_i is first's. When first's
  // restoration is no more than `enough`, second's is not solved (r_j 0).
  PairRestored order(int first, int second, long long enough = -1);

  // Spans i and j both cut: the better of the two orders, ties to i first.
  PairRestored pair(int i, int j);

 private:
  // The largest amount of span k's working that routes within `capacity_`,
  // at most `demand`; with `take`, what its flow puts on each span is taken
  // off capacity_.
  long long restore(int k, long long demand, bool take);
  // Per span, the units a flow puts on it either way, where not 0.
  static std::vector<std::pair<int, long long>> span_use(const std::vector<long long>& flow);
  void take_off(const std::vector<std::pair<int, long long>>& use);
  // capacity_: every record's spare, those of the two spans 0 (0: none).
  void open_all_but(int first, int second);

  // The restoration of a span cut alone, as the first of an order.
  struct Alone {
    bool known = false;
    long long routed = 0;
    std::vector<std::pair<int, long long>> use;
  };
  const Alone& alone(int k);

  const DualStudy& study_;
  RelaxSolver solver_;
  std::vector<long long> capacity_;  // per record, for the solve at hand
  std::vector<Alone> alone_;         // per span, once solved
};

}  // namespace dualsweep
