// The path-restorable plan's linear program by cuts on the spare alone
// (Benders' decomposition): a master program over the spans' added spare,
// min sum of cost x spare, whose rows are metric inequalities, each found by
// one scenario's linear restoration (pathrestore::RestorationLp) over the
// master's spare falling short. With link prices mu from that restoration's
// dual, every plan that restores the scenario in full meets
//   sum over surviving spans k of mu[link of k] x spare[k]
//      >= sum over its demands of affected x min(1, price of the cheapest route under mu)
//         - sum over links of mu x (released channels + kept spare),
// and the master's spare breaks it by the shortfall. The master's optimum
// over any set of such rows is a lower bound on the plan (a relaxation of
// the program over every route), rising round by round, so it holds
// whenever the time runs out; once no scenario falls short it is the
// program's optimum.
//
// The rounds separate at a point between the master's spare and the last
// spare known to restore every scenario (starting from the most any plan
// needs on every span), which moves towards the master's spare whenever no
// scenario falls short there: the cuts of such points are deeper than
// those of the master's own spare, whose early solutions swing far. The
// point is half way at first; each time it is cut it comes half as near the
// master's spare (to a fiftieth of the way), each time it restores twice
// as near (to half way): near the restorable spare few scenarios fall
// short, and the rounds are quick. When a
// point's cuts leave the master's spare untouched, the next round separates
// at the master's spare itself. The scenarios are separated on every core,
// each with its own restoration program; the cuts join in scenario order.
#pragma once

#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "path_model.h"
#include "path_plan.h"
#include "restoration.h"

namespace capplan {

// sum over `spans` of coef x added spare >= rhs.
struct SpareCut {
  std::vector<int> spans;  // span indexes, ascending
  std::vector<double> coefs;
  double rhs = 0;
  // How far `added` (per span) falls short of the cut: above 0 when the cut
  // removes it.
  double violation(const std::vector<double>& added) const;
};

// The cuts of one scenario.
class CutSeparator {
 public:
  // A scenario falling short by no more than this many channels is restored.
  static constexpr double kShortfall = 1e-6;
  // Link prices below this give the cut no coefficient (they only harm the
  // master program's numerics).
  static constexpr double kTinyPrice = 1e-9;

  // `study` and `m` must outlive it.
  CutSeparator(const PathPlanStudy& study, const ScenarioModel& m);

  // The cut of the scenario's linear restoration over kept plus `added`
  // spare (per span), when that restoration falls short; else none, and
  // `restores` tells whether the scenario was shown to restore in full (its
  // program may stop after `rounds` solves short of either: asked again, it
  // goes on from the routes it has).
  std::optional<SpareCut> cut_at(const std::vector<double>& added, bool& restores, int rounds = 0);
  int routes() const { return lp_.routes(); }

 private:
  const PathPlanStudy& study_;
  const ScenarioModel& m_;
  pathrestore::RestorationLp lp_;
  double affected_ = 0;  // of the demands that can be restored
};

struct CutProgram {
  std::vector<double> spare;       // per span: the added spare of the master's last optimum
  double bound = 0;                // that optimum: no plan costs less
  // Per span: the last added spare every scenario restores in the linear
  // program (once solved out, the last such point short of the master's
  // own spare, when there was one), and its cost.
  std::vector<double> restorable;
  double upper = std::numeric_limits<double>::infinity();
  bool solved_out = false;  // the master's spare restores every scenario: `bound` is the program's optimum
  int rounds = 0;           // master solves
  int routes = 0;           // the restoration routes the scenarios' programs priced in
  std::vector<SpareCut> cuts;
};

// Where the rounds may start from: cuts already found, and an added spare
// (per span) known to restore every scenario in the linear program.
struct CutStart {
  std::vector<SpareCut> cuts;
  std::vector<double> restorable;
};

// The rounds, each span's spare between 0 and `spare_high`, until the
// master's spare restores every scenario, `most_rounds` master solves
// (0: no limit) or `stop` (asked between scenarios). `tick` is called
// between rounds, on the calling thread. From `start`, when it holds cuts,
// the first round separates between the master's optimum over them and its
// restorable spare.
CutProgram solve_by_cuts(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, double spare_high,
                         int most_rounds, const std::function<bool()>& stop, const std::function<void()>& tick,
                         const CutStart& start = {});

}  // namespace capplan
