// The path-restorable plan's linear program on large networks, by its
// Lagrangian dual alone: the capacity rows (per scenario and link: the
// routes over the link at most its released and kept channels plus the
// added spare) priced by multipliers pi, each span's multipliers summed over
// the scenarios at most its cost (else its spare would pay), the rest splits
// by scenario into least-price routes:
//   L(pi) = sum over scenarios s, demands d it affects of
//             affected(s, d) x price of d's cheapest surviving route under pi[s]
//           - sum over s and links l of pi[s][l] x (released + kept on l).
// Every L(pi) is a lower bound on the plan. It is raised by the volume
// algorithm (Barahona and Anbil): each step moves from the multipliers of
// the best bound along a running average of the subgradients, by Polyak's
// step towards the cost of the best averaged routing, and projects back
// onto the spans' capped simplexes. The running average of the least-price
// routings is itself a routing of every scenario in full, so the spare it
// needs on each link (beyond the released and kept channels, on the link's
// cheapest span) is a solution of the linear program: its cost bounds the
// optimum from above. Its cuts and that spare are where the cuts on the
// spare (path_cuts.h) start.
//
// A step prices every scenario once (a least-price route search per source
// of its affected demands), on every core: no linear program is solved, so
// it keeps to the time and memory of the routes alone.
#pragma once

#include <functional>
#include <limits>
#include <vector>

#include "path_cuts.h"
#include "path_model.h"
#include "path_plan.h"

namespace capplan {

struct VolumeAscent {
  double bound = 0;  // the best L(pi) met: no plan costs less
  // Per span: the added spare of the cheapest average routing met (a
  // solution of the linear program), and its cost.
  std::vector<double> spare;
  double spare_cost = std::numeric_limits<double>::infinity();
  int steps = 0;
  // Each scenario's cut (path_cuts.h) at the multipliers of better bounds
  // met along the way, the last's included: a master program over them has
  // its optimum at least the bound.
  std::vector<SpareCut> cuts;
};

// The ascent from multipliers spread evenly over the scenarios, until
// `stop` (asked between steps), the bound meets the spare's cost, or the
// steps shrink to nothing, or the bound levels off. `spare_high`: the most
// added spare any span needs (the cuts lean on it). `tick` is called after
// each step with the bound so far.
VolumeAscent ascend_by_volume(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, double spare_high,
                              const std::function<bool()>& stop, const std::function<void(double)>& tick);

}  // namespace capplan
