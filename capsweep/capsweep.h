// capsweep: for every span of a network, how much of its working capacity
// the solver `relax` can reroute over the spare capacity of the rest.
//
// Its modules in layers, each using only modules of the layers below it:
//
//   capsweep                  the run: inputs, statistics, then one of the loops
//   cut_loop    parallel      the loops over the spans: relax run as a command,
//                             or the cuts solved inside capsweep on threads (-j)
//   in_process                one thread's solver: the flow solve of flowsolve/
//                             behind cut_span, its path report from path_report
//   cut_span  solver_exchange one cut (bound, trials, searches, row, report);
//                             trials by running relax on its exchange files
//   search                    the searches over the solver trials of a cut
//   inputs  statistics  path_report  network
//                             options and study files; the network's figures;
//                             PATH.OUT made PATH.L; the records and the stop
//
// cut_loop uses cut_span, solver_exchange and path_report; parallel uses
// in_process and cut_span.
#pragma once

// Runs the whole program on its arguments (argv[0] is the program name) and
// returns the exit status.
int capsweep_main(int argc, char** argv);
