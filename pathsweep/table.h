// The results table and the routes file of a run, from its outcomes.
#pragma once

#include <string>
#include <vector>

#include "options.h"
#include "path_table.h"
#include "study.h"
#include "sweep.h"

// The table: header, spans, rows and, with availability, every demand's
// unavailability.
studyfiles::PathTable table_of(const Options& o, const PathStudy& study,
                               const std::vector<pathrestore::Scenario>& scenarios,
                               const std::vector<pathrestore::ScenarioOutcome>& outcomes);

std::string routes_text(const Options& o, const PathStudy& study, const std::vector<pathrestore::Scenario>& scenarios,
                        const std::vector<pathrestore::ScenarioOutcome>& outcomes);
