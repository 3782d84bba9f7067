// The study as a comma-separated table, one row per cut span, for people who
// go on in a spreadsheet, R or pandas.
#pragma once

#include <string>
#include <vector>

#include "study.h"

// A CSV field: the text itself, or, when it holds a comma, a quote or a line
// end, the text in quotes with each quote doubled.
std::string csv_field(const std::string& text);

// Header "span,from,to,working,restored,percent,feasible", then one line per
// span; a name holding a comma, a quote or a line end is quoted.
std::string csv_text(const std::vector<SpanResult>& spans);
