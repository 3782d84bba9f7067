#include "path_list.h"

#include <cstdio>

#include "scanner.h"

namespace netrestore {

namespace {

void report_short_line(const PathLine& line) {
  const std::size_t m = line.names.size();
  const char* text = line.text.c_str();
  if (m == 0) std::printf("error! empty line in line %d: %s\n", line.line_number, text);
  if (m <= 1) std::printf("error! incorrect path format (only have one nodeID) in line %d: %s\n", line.line_number, text);
  if (m <= 2) {
    std::printf("incorrect path format, only have two nodeID, without 45 terminaator\n");
    std::printf("in line %d: %s\n", line.line_number, text);
  }
}

// One working channel on the span between two neighbours of a path.
Error count_pair(Network& net, const PathLine& line, std::size_t j, const std::string& file_name) {
  const int x = net.findID(line.names[j]);
  const int y = net.findID(line.names[j + 1]);
  if (x == y) {
    print_duplicated_node(x, line.line_number, line.text, j == 0);
    return Error();
  }
  const SpanEntry span = SpanEntry::between(x, y);
  if (Error error = net.record_span(span.lower, span.higher, file_name, line.line_number)) return error;
  ++net.W.at(span.lower, span.higher);
  return Error();
}

Error count_path(Network& net, const PathLine& line, const std::string& file_name) {
  const std::size_t m = line.names.size();
  report_short_line(line);
  if (m < 2) return Error();  // no path: nothing to count
  // A line of two names is taken as a path of two nodes without its terminator.
  const std::size_t path_nodes = m == 2 ? 2 : m - 1;
  ++net.I[net.findID(line.names[0])];
  for (std::size_t j = 0; j + 1 < path_nodes; ++j) {
    if (Error error = count_pair(net, line, j, file_name)) return error;
  }
  if (m == 2 || line.names[m - 1] == kPathTerminator) {
    ++net.I[net.findID(line.names[path_nodes - 1])];
  } else {
    std::printf("incorrect path format, the path line should terminate with 45.\n");
    std::printf("    in line %d: %s\n", line.line_number, line.text.c_str());
  }
  return Error();
}

}  // namespace

std::string path_line(const std::vector<const std::string*>& names) {
  std::string line;
  for (const std::string* name : names) line += *name + " ";
  return line + std::string(kPathTerminator) + "\n";
}

std::vector<std::string> split_names(std::string_view line) {
  line = without_line_end(line);
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (line[pos] == ' ') {
      ++pos;
      continue;
    }
    std::size_t end = line.find(' ', pos);
    if (end == std::string_view::npos) end = line.size();
    names.emplace_back(line.substr(pos, end - pos));
    pos = end;
  }
  return names;
}

PathList parse_path_list(std::string_view text) {
  PathList list;
  const std::vector<std::string_view> lines = lines_as_read(text);
  if (!lines.empty()) list.title = lines[0];
  for (std::size_t k = 1; k < lines.size(); ++k)
    list.lines.push_back({static_cast<int>(k) + 1, std::string(lines[k]), split_names(lines[k])});
  return list;
}

std::string cut_at_last_blank(std::string_view line) {
  const std::size_t blank = line.rfind(' ');
  if (blank == std::string_view::npos) return std::string(without_line_end(line));
  return std::string(line.substr(0, blank));
}

Error count_paths(Network& net, const PathList& paths, const std::string& file_name) {
  for (const PathLine& line : paths.lines) {
    if (Error error = count_path(net, line, file_name)) return error;
  }
  return Error();
}

}  // namespace netrestore
