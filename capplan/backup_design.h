// Shared backup path protection and dedicated 1+1 protection: each working
// path gets one backup route, fixed in advance, that no scenario which
// affects the path also fails (it avoids the failed spans and nodes of
// every such scenario). A span's spare is, under shared protection, the
// most backup channels that any one scenario activates on it; under 1+1,
// every backup crossing it.
//
// What the plans are made of:
// - One backup per path, not per demand: a path list holds a line per
//   working channel, and channels of one demand that take different backups
//   can share spare with different others, which a backup per demand would
//   forbid; the backups file then has a route on every line of the path
//   list. Paths with the same ends and the same scenarios affecting them are
//   planned as one commodity with a count, so that the model grows with the
//   routes, not with the channels.
// - Spans, nodes and groups alike: a scenario asks nothing of a path it
//   ends (an end node fails), and of the paths it affects (pathrestore's
//   problem_of), a backup that crosses none of its failed spans and enters
//   none of its failed nodes.
// - Between two nodes joined by parallel spans, a backup crosses the
//   cheapest span that no scenario affecting its path fails (the lowest
//   numbered of equals), so that its nodes alone say which spans it takes.
//   The least cost is over such backups.
// - 1+1: every backup holds channels of its own, so a span's spare is at
//   least the number of backups crossing it; kept spare counts toward it,
//   as it does toward shared protection's most per scenario. With kept
//   spare, each path's cheapest route alone is no longer the best plan.
// - A path that no scenario affects (one span long, under node failures)
//   needs no spare in either scheme; it is given a route all the same (the
//   cheapest that avoids its own spans and inner nodes, else its own route).
// - A path whose ends no route joins once the failed spans and nodes of
//   every scenario affecting it are taken away (a bridge on its route) is
//   unprotected: named, with an empty backup; the others are planned.
//
// How they are found (plan_search.h's steps): a first plan, path by path,
// each taking the route that adds the least spare over the others', then
// again while that lowers the cost; the linear program over backup routes
// grown by column generation, a route priced by the shortest route under
// the prices of its activations' spare rows (never enumerated), and by row
// generation (a spare row joins once violated, the program then solved
// again by the dual simplex before routes are priced); its bound that of
// Lagrangian relaxation of the spare rows under each round's prices (the
// linear optimum over every route once nothing more joins), raised by the
// volume algorithm when the pricing stops at its time or its solves grow
// slow; its solution, and the volume algorithm's average of routes,
// rounded path by path and improved as the first plan was, then a local
// search that moves the backups off one span at a time (on large networks
// also on a thread of its own beside the program's solves); then CBC over the
// routes and rows priced in, started from the best plan, when that program
// solves from scratch in time. The lower bound holds over every route;
// CBC's own bound, over the routes priced in only, is not taken.
#pragma once

#include <cstddef>
#include <vector>

#include "error.h"
#include "path_inputs.h"
#include "plan_search.h"

namespace capplan {

struct BackupStudy : PathInputs {
  bool dedicated = false;       // 1+1: each backup has spare of its own
  // From this many groups of alike paths on, the local search runs on a
  // thread of its own beside the linear program (tests lower it).
  std::size_t shake_alongside = 1000;
};

struct BackupDesign : PlanBounds {
  // Per path of the path list, in its order: the backup route's node
  // numbers from the path's first node to its last; empty for a path that
  // no backup route protects.
  std::vector<std::vector<int>> backups;
  std::vector<int> unprotected;  // the paths (indexes) that no route protects
  std::vector<long long> spare;  // per span index: kept spare plus planned spare
  // PlanBounds: cost (of the added spare), the lower bound, optimal, note, fault.
};

// The least-cost backups and spare, within the options' time.
BackupDesign plan_backups(const BackupStudy& study, const PlanOptions& options);

// The steps of the search apart, for tests and measures. The volume
// ascent of the Lagrangian bound alone, from zero prices and for at most
// `steps` steps, with no linear program: its bound (a true one, the linear
// program's optimum at best) and the plan its average of routes rounds to.
BackupDesign ascend_backups(const BackupStudy& study, const PlanOptions& options, int steps);
// The local search alone (each path in turn takes the route that adds the
// least spare over the others' backups, until none lowers the cost), from
// `backups`, one per path of the path list as BackupDesign has them (a
// valid backup for each path some scenario affects and a route joins); the
// plan it ends with, without lower bound.
BackupDesign improve_backups(const BackupStudy& study, const PlanOptions& options,
                             const std::vector<std::vector<int>>& backups);

// The proof, apart from how the plan was found: each backup joins its
// path's ends, visits no node twice, crosses spans that exist, and fails in
// no scenario that affects its path; each span's spare holds its kept spare
// and the backups every scenario activates on it (1+1: all that cross it).
// The first fault found, or no error.
Error check_backups(const BackupStudy& study, const BackupDesign& design);

}  // namespace capplan
