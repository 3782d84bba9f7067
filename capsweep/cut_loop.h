// The span-cut loop with the command relax: every span cut in turn (see
// cut_span), each trial solved by relax through its exchange files, and each
// cut's path report converted and filed.
#pragma once

#include <cstdio>
#include <string>

#include "cut_span.h"
#include "inputs.h"
#include "network.h"

// Cuts every span of `net` in turn, solving with the command relax, and
// writes the rows into `results`, which is flushed after every cut: a failed
// write stops the run with a message naming `results_name`.
void cut_loop(const Options& options, const studyfiles::Netdata& net, const studyfiles::NodeList& nodes,
              std::FILE* results, const std::string& results_name);
