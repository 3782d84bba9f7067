// The table for a spreadsheet: a heading line, then one line per pair,
// span_i,span_j,from_i,to_i,from_j,to_j,w_i,w_j,r_i,r_j,percent[,bound].
#pragma once

#include <string>

#include "dual_table.h"

std::string csv_text(const studyfiles::DualTable& table);
