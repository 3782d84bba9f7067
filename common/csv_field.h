// A field of a CSV file: as it stands, or in double quotes (quotes inside
// doubled) when it holds a comma, a quote or a line end.
#pragma once

#include <string>

inline std::string csv_field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}
