// The study as a comma-separated table, one row per cut span, for people who
// go on in a spreadsheet, R or pandas. Every table capview writes is a file
// of csv_file: its first line names the version that wrote it.
#pragma once

#include <string>
#include <vector>

#include "study.h"

namespace capview {

// Header "span,from,to,working,restored,percent,feasible", then one line per
// span; a name holding a comma, a quote or a line end is quoted.
std::string csv_text(const std::vector<SpanResult>& spans);

// The file of a table: "# written by capview (meshrestore) VERSION", then
// the table, its header line first.
std::string csv_file(const std::string& table);

}  // namespace capview
