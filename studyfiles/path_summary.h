// The figures of a whole pathsweep table, made from the table alone, so
// that capview shows what pathsweep printed: per kind of scenario the
// network restorability R (restored over affected, summed over the kind's
// scenarios), the paths hit, affected, restored and ending, the scenarios
// restored in full and below their bound; the least restorable scenarios
// of those that leave paths unrestored;
// availability when the table has it. And the table as CSV.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "path_table.h"

namespace studyfiles {

std::string path_summary_text(const PathTable& table);

// A heading line, then one line per scenario:
// kind,name,from,to,affected,ending,restored,restorability[,bound]
// (from and to empty but for a span).
std::string path_csv_text(const PathTable& table);

// The share of the year a row's failure lasts: a span's from its length and
// the cut rate, a node's from the node rate; 0 for a group, or when the
// table has no rate for the row's kind.
double row_unavailability(const PathTable& table, const PathRow& row);

// Expected working paths down at a random moment, from single failures.
struct PathAvailability {
  double ending = 0.0;      // paths ending at a failed node
  double unrestored = 0.0;  // affected paths not restored
};
PathAvailability path_availability_of(const PathTable& table);

// Up to `most` of the rows that leave affected paths unrestored, the least
// restorable first (compared exactly, as fractions; ties in table order);
// indexes into the rows.
std::vector<std::size_t> least_restorable(const PathTable& table, std::size_t most);

// Up to `most` demands, the least available first (ties in demand order);
// indexes into the demands.
std::vector<std::size_t> least_available(const PathTable& table, std::size_t most);

}  // namespace studyfiles
