#include "path_cuts.h"

#include <algorithm>
#include <cmath>

#include "column_lp.h"
#include "every_core.h"
#include "linear_model.h"

namespace capplan {

namespace {

// The share of the master's spare in the point separated (the rest: the
// last spare known to restore every scenario): at most the first, halved
// each time that point is cut, down to the second, and doubled each time
// every scenario restores it. Near the restorable spare few scenarios fall
// short and a round is quick; on the 100-node made network without stub
// release the master's spare is so far from restoring that even the points
// a twentieth of the way towards it are cut. With a twentieth as the least
// share the 100-node plan with stub release ended 3.51% above its bound
// and the 50-node one without 0.53%; with a fiftieth 3.35% and 0.28%.
constexpr double kTowardMaster = 0.5;
constexpr double kLeastTowardMaster = 0.02;
// A scenario's restoration program stops once its prices show at least this
// share of the shortfall its solution leaves: the cut is then deep enough,
// and the rest of the column generation is spared.
constexpr double kDeep = 0.5;
// The most solves of a scenario's restoration program per cut asked: a
// program that needs more goes on at the next round.
constexpr int kRoundsPerCut = 30;
// The master's optimum and the cost of a restorable spare this close
// (relatively) are taken as met.
constexpr double kClose = 1e-7;

double cost_of(const PathPlanStudy& study, const std::vector<double>& added) {
  double cost = 0;
  for (std::size_t k = 0; k < added.size(); ++k) cost += static_cast<double>(study.cost[k]) * added[k];
  return cost;
}

// Each scenario's cut at `point`, on every core; `stopped` when `stop` ended
// it before every scenario was separated (the cuts found stay valid).
std::vector<std::optional<SpareCut>> separate(std::vector<CutSeparator>& separators, const std::vector<double>& point,
                                              const std::function<bool()>& stop, bool& stopped, bool& restores) {
  std::vector<std::optional<SpareCut>> cuts(separators.size());
  std::vector<char> restored(separators.size(), 0);
  stopped = on_every_core(separators.size(), stop, [&](std::size_t s) {
    bool r = false;
    cuts[s] = separators[s].cut_at(point, r, kRoundsPerCut);
    restored[s] = r;
  });
  restores = std::find(restored.begin(), restored.end(), 0) == restored.end();
  return cuts;
}

}  // namespace

double SpareCut::violation(const std::vector<double>& added) const {
  double lhs = 0;
  for (std::size_t i = 0; i < spans.size(); ++i) lhs += coefs[i] * added[static_cast<std::size_t>(spans[i])];
  return rhs - lhs;
}

CutSeparator::CutSeparator(const PathPlanStudy& study, const ScenarioModel& m)
    : study_(study), m_(m), lp_(m.links, m.problem, m.demands, study.max_spans) {
  for (int d : m.demands) affected_ += m.problem.demands[static_cast<std::size_t>(d)].affected;
}

std::optional<SpareCut> CutSeparator::cut_at(const std::vector<double>& added, bool& restores, int rounds) {
  restores = true;
  if (m_.demands.empty()) return std::nullopt;
  std::vector<double> capacity;
  for (std::size_t l = 0; l < m_.links.links.size(); ++l) {
    double c = static_cast<double>(m_.links.links[l].capacity);
    for (int k : m_.spans_of[l])
      c += static_cast<double>(study_.kept[static_cast<std::size_t>(k)]) + added[static_cast<std::size_t>(k)];
    capacity.push_back(c);
  }
  const pathrestore::LinearRestoration r = lp_.solve(capacity, kDeep, kShortfall, rounds);
  const double shortfall = affected_ - r.bound;
  restores = shortfall <= kShortfall && (r.solved || r.restored >= affected_ - kShortfall);
  if (shortfall <= kShortfall) return std::nullopt;
  // The prices' bound is sum of price x capacity plus the demands' term, so
  // the demands' term less the released and kept channels at their prices
  // is the shortfall plus the added spare at its prices.
  SpareCut cut;
  cut.rhs = shortfall;
  for (std::size_t k = 0; k < added.size(); ++k) {
    const int l = m_.link_of[k];
    if (l < 0) continue;
    const double mu = r.price[static_cast<std::size_t>(l)];
    if (mu <= 0) continue;
    // A price of a rounding error is no coefficient: with the span's spare
    // at most the affected paths (no restoration of the scenario uses more),
    // its term is taken off the right side instead.
    if (mu < kTinyPrice) {
      cut.rhs -= mu * (affected_ - added[k]);
      continue;
    }
    cut.spans.push_back(static_cast<int>(k));
    cut.coefs.push_back(mu);
    cut.rhs += mu * added[k];
  }
  return cut;
}

CutProgram solve_by_cuts(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, double spare_high,
                         int most_rounds, const std::function<bool()>& stop, const std::function<void()>& tick,
                         const CutStart& start) {
  const std::size_t n_span = study.cost.size();
  CutProgram out;
  std::vector<CutSeparator> separators;
  separators.reserve(models.size());
  for (const ScenarioModel& m : models) separators.emplace_back(study, m);
  lpsolve::ColumnLp master({}, {});
  for (std::size_t k = 0; k < n_span; ++k) master.add_column(static_cast<double>(study.cost[k]), 0.0, spare_high, {}, {});
  out.spare.assign(n_span, 0.0);
  out.restorable.assign(n_span, spare_high);
  out.upper = cost_of(study, out.restorable);
  // The first round separates at no spare at all: the master's first
  // optimum, before any cut.
  bool at_master = true;
  bool found_between = false;  // `restorable` is a point between, not the first box
  if (!start.cuts.empty() && start.restorable.size() == n_span) {
    for (const SpareCut& cut : start.cuts) {
      master.add_row(cut.rhs, lpsolve::LinearModel::kInfinity, cut.spans, cut.coefs);
      out.cuts.push_back(cut);
    }
    if (master.solve(0, lpsolve::ColumnLp::Simplex::dual)) {
      ++out.rounds;
      out.bound = std::max(0.0, master.objective());
      out.spare = master.values();
      for (double& v : out.spare) v = std::clamp(v, 0.0, spare_high);
      for (std::size_t k = 0; k < n_span; ++k) out.restorable[k] = std::clamp(start.restorable[k], 0.0, spare_high);
      out.upper = cost_of(study, out.restorable);
      at_master = false;
      found_between = true;
      if (tick) tick();
    }
  }
  double toward = kTowardMaster;
  for (;;) {
    std::vector<double> point = out.spare;
    if (!at_master)
      for (std::size_t k = 0; k < n_span; ++k) point[k] = toward * out.spare[k] + (1 - toward) * out.restorable[k];
    bool stopped = false, restores = false;
    const std::vector<std::optional<SpareCut>> found = separate(separators, point, stop, stopped, restores);
    bool any = false, removes_master = false;
    for (const std::optional<SpareCut>& cut : found) {
      if (!cut) continue;
      any = true;
      removes_master = removes_master || cut->violation(out.spare) > CutSeparator::kShortfall;
      master.add_row(cut->rhs, lpsolve::LinearModel::kInfinity, cut->spans, cut->coefs);
      out.cuts.push_back(*cut);
    }
    if (!at_master && any) toward = std::max(kLeastTowardMaster, toward / 2);
    if (!at_master && !any && restores) toward = std::min(kTowardMaster, toward * 2);
    if (stopped) break;
    if (!any) {
      // Some scenario neither cut nor shown restored: its program goes on
      // at the same point.
      if (!restores) continue;
      // The master's own spare, restored, solves the program out; the
      // restorable spare stays the last point between, when there was one:
      // its margin over the optimum spares the integral plan much repair.
      if (at_master && found_between) {
        out.solved_out = true;
        break;
      }
      out.restorable = point;
      out.upper = cost_of(study, point);
      found_between = !at_master;
      if (at_master || out.upper <= out.bound + kClose * std::max(1.0, out.upper)) {
        out.solved_out = true;
        break;
      }
      // The next round tries the master's spare itself: restored, the
      // program is solved out; else its cuts are those still missing.
      at_master = true;
      continue;
    }
    // Cuts that leave the master's spare as it is: the next round separates
    // at that spare itself.
    at_master = !removes_master;
    if (!removes_master) continue;
    if ((most_rounds > 0 && out.rounds >= most_rounds) || (stop && stop())) break;
    if (!master.solve(0, lpsolve::ColumnLp::Simplex::dual)) break;
    ++out.rounds;
    out.bound = std::max(out.bound, master.objective());
    out.spare = master.values();
    for (double& v : out.spare) v = std::clamp(v, 0.0, spare_high);
    if (tick) tick();
  }
  for (const CutSeparator& s : separators) out.routes += s.routes();
  return out;
}

}  // namespace capplan
