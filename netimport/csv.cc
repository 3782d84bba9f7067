#include "csv.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "text_format.h"
#include "words.h"

namespace {

struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

std::string trimmed(std::string_view s) {
  std::size_t a = 0;
  std::size_t b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return std::string(s.substr(a, b - a));
}

// The records of a CSV text: fields split at commas, a field in double quotes
// holding commas, line ends and "" for a quote; a line end with a carriage
// return taken as one. Records of nothing but empty fields are left out.
Error records_of(std::string_view text, const std::string& file, std::vector<Record>& out) {
  std::size_t pos = 0;
  int line = 1;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;  // the mark a spreadsheet may write first
  while (pos < text.size()) {
    Record r;
    r.line = line;
    std::string field;
    bool quoted = false;
    for (;;) {
      if (pos == text.size() || text[pos] == '\n' || (text[pos] == '\r' && (pos + 1 == text.size() || text[pos + 1] == '\n'))) {
        r.fields.push_back(quoted ? field : trimmed(field));
        if (pos < text.size()) pos += text[pos] == '\r' ? 2 : 1;
        ++line;
        break;
      }
      const char c = text[pos];
      if (c == ',') {
        r.fields.push_back(quoted ? field : trimmed(field));
        field.clear();
        quoted = false;
        ++pos;
      } else if (c == '"' && trimmed(field).empty()) {
        const int opened_on = line;
        field.clear();
        quoted = true;
        for (++pos;; ++pos) {
          if (pos == text.size()) return Error::at(file, opened_on, "a field opened here with '\"' is never closed");
          if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
              field += '"';
              ++pos;
              continue;
            }
            ++pos;
            break;
          }
          if (text[pos] == '\n') ++line;
          field += text[pos];
        }
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
        if (pos < text.size() && text[pos] != ',' && text[pos] != '\n' && text[pos] != '\r')
          return Error::at(file, line, "text after the closing '\"' of a field");
      } else {
        if (quoted) return Error::at(file, line, "text after the closing '\"' of a field");
        field += c;
        ++pos;
      }
    }
    if (std::any_of(r.fields.begin(), r.fields.end(), [](const std::string& f) { return !f.empty(); }))
      out.push_back(std::move(r));
  }
  return Error();
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The column of each name in the header; -1 for one it lacks.
std::map<std::string, int> columns(const Record& header, std::initializer_list<const char*> names) {
  std::map<std::string, int> at;
  for (const char* name : names) at[name] = -1;
  for (std::size_t k = 0; k < header.fields.size(); ++k) {
    const auto it = at.find(lower(header.fields[k]));
    if (it != at.end() && it->second < 0) it->second = static_cast<int>(k);
  }
  return at;
}

Error header_of(const std::vector<Record>& records, const std::string& file, const char* layout,
                std::initializer_list<const char*> needed, std::initializer_list<const char*> all,
                std::map<std::string, int>& at) {
  if (records.empty()) return Error::of(text_printf("%s: empty file; expected the header line %s", file.c_str(), layout));
  at = columns(records[0], all);
  for (const char* name : needed) {
    if (at[name] < 0)
      return Error::at(file, records[0].line, text_printf("the header names no column %s (expected %s)", name, layout));
  }
  return Error();
}

// The field of a column, empty when the record is short of it.
std::string field(const Record& r, int column) {
  return column >= 0 && static_cast<std::size_t>(column) < r.fields.size() ? r.fields[column] : std::string();
}

Error coordinate(const Record& r, const std::string& file, const std::string& text, const char* what, double limit,
                 double& out) {
  if (!parse_decimal(text, out) || std::fabs(out) > limit)
    return Error::at(file, r.line, text_printf("the %s '%s' is not a number from -%g to %g", what, shown(text).c_str(), limit, limit));
  return Error();
}

Error read_nodes(const std::vector<Record>& records, const std::string& file, RawNetwork& out,
                 std::map<std::string, int>& index) {
  std::map<std::string, int> at;
  if (Error e = header_of(records, file, "name,latitude,longitude", {"name", "latitude", "longitude"},
                          {"name", "latitude", "longitude"}, at))
    return e;
  for (std::size_t k = 1; k < records.size(); ++k) {
    const Record& r = records[k];
    RawNode n;
    n.line = r.line;
    n.label = n.key = field(r, at["name"]);
    if (n.key.empty()) return Error::at(file, r.line, "a node without a name");
    const std::string latitude = field(r, at["latitude"]);
    const std::string longitude = field(r, at["longitude"]);
    if (!latitude.empty() || !longitude.empty()) {
      if (Error e = coordinate(r, file, latitude, "latitude", 90.0, n.latitude)) return e;
      if (Error e = coordinate(r, file, longitude, "longitude", 180.0, n.longitude)) return e;
      n.located = true;
    }
    const auto [it, added] = index.emplace(n.key, static_cast<int>(out.nodes.size()));
    if (!added)
      return Error::at(file, r.line, text_printf("the node %s is named twice (first on line %d)", shown(n.key).c_str(),
                                                 out.nodes[it->second].line));
    out.nodes.push_back(std::move(n));
  }
  return Error();
}

Error read_links(const std::vector<Record>& records, const std::string& file, RawNetwork& out,
                 const std::map<std::string, int>& index) {
  std::map<std::string, int> at;
  if (Error e = header_of(records, file, "a,b[,km][,working]", {"a", "b"}, {"a", "b", "km", "working"}, at)) return e;
  out.has_working = at["working"] >= 0;
  for (std::size_t k = 1; k < records.size(); ++k) {
    const Record& r = records[k];
    RawLink l;
    l.line = r.line;
    for (const char* end : {"a", "b"}) {
      const std::string name = field(r, at[end]);
      const auto it = index.find(name);
      if (it == index.end())
        return Error::at(file, r.line, name.empty() ? text_printf("no node named in column %s", end)
                                                    : text_printf("the node %s is not in the nodes file", shown(name).c_str()));
      (end[0] == 'a' ? l.a : l.b) = it->second;
    }
    if (const std::string km = field(r, at["km"]); !km.empty()) {
      double value = 0;
      if (!parse_decimal(km, value) || value < 0 || value > 1.0e6)
        return Error::at(file, r.line, text_printf("the length '%s' is not a number of km from 0 to 1e6", shown(km).c_str()));
      l.km = value;
    } else if (at["km"] >= 0) {
      out.notes.push_back(text_printf("%s:%d: no km given: the great-circle length is taken", file.c_str(), r.line));
    }
    if (out.has_working) {
      const std::string working = field(r, at["working"]);
      double value = 0;
      if (!parse_decimal(working, value) || value < 0 || value > 1.0e9 || std::trunc(value) != value)
        return Error::at(file, r.line, text_printf("the working channels '%s' are not a whole number from 0 to 1e9", shown(working).c_str()));
      l.working = static_cast<long long>(value);
    }
    out.links.push_back(l);
  }
  return Error();
}

}  // namespace

Error read_csv(std::string_view nodes_text, const std::string& nodes_file, std::string_view links_text,
               const std::string& links_file, RawNetwork& out) {
  out.form = "CSV";
  out.file = nodes_file;
  out.link_file = links_file;
  std::vector<Record> nodes;
  std::vector<Record> links;
  if (Error e = records_of(nodes_text, nodes_file, nodes)) return e;
  if (Error e = records_of(links_text, links_file, links)) return e;
  std::map<std::string, int> index;
  if (Error e = read_nodes(nodes, nodes_file, out, index)) return e;
  return read_links(links, links_file, out, index);
}
