// The study as a comma-separated table, one row per cut span, for people who
// go on in a spreadsheet, R or pandas.
#pragma once

#include <string>
#include <vector>

#include "study.h"

namespace capview {

// Header "span,from,to,working,restored,percent,feasible", then one line per
// span; a name holding a comma, a quote or a line end is quoted.
std::string csv_text(const std::vector<SpanResult>& spans);

}  // namespace capview
