// The path list: a title line, then one path per line, the names of its
// nodes separated by blanks and ended by the terminator 45. netimport and
// morwick write it; routeweave reads it and counts its paths into the node
// table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network.h"

namespace netrestore {

// The last word of a path line.
inline constexpr std::string_view kPathTerminator = "45";

struct PathLine {
  int line_number = 0;  // in the file, the title line being line 1
  std::string text;     // as read, line feed included
  std::vector<std::string> names;
};

struct PathList {
  std::string title;  // as read, line feed included
  std::vector<PathLine> lines;
};

// A path line as netimport and morwick write it: the names of its nodes in order, each
// followed by a blank, then the terminator and a line feed.
std::string path_line(const std::vector<const std::string*>& names);

// Every text is a path list: lines that are no paths are reported when the
// paths are counted.
PathList parse_path_list(std::string_view text);

// The names of a line: separated by one or more blanks, the line end
// ending the last one.
std::vector<std::string> split_names(std::string_view line);

// A path line as the path section writes it: cut at its last blank, which
// drops the terminator and the line end; a line without a blank loses only
// its line end.
std::string cut_at_last_blank(std::string_view line);

// Counts the paths into the working channels W, the end-point counts I and
// the span entries, printing what is wrong with each line. Stops only when
// a node would get more spans than its record holds.
Error count_paths(Network& net, const PathList& paths, const std::string& file_name);

}  // namespace netrestore
