// The two CSV files of a network kept in a spreadsheet: nodes
// (name,latitude,longitude) and links (a,b with optional km and working),
// each with a header line naming its columns, in any order.
#pragma once

#include <string>
#include <string_view>

#include "error.h"
#include "raw_network.h"

Error read_csv(std::string_view nodes_text, const std::string& nodes_file, std::string_view links_text,
               const std::string& links_file, RawNetwork& out);
