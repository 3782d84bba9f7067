// Helpers shared by the fuzz targets: the input bytes as text, and a split
// of them into several parts for targets that read more than one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

inline std::string_view fuzz_text(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The text cut at every NUL byte: "nodes\0paths" gives "nodes" and "paths".
inline std::vector<std::string_view> fuzz_parts(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t end = text.find('\0', pos);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(pos));
      return parts;
    }
    parts.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
}

// Two files in one input: the parts before and after the first NUL byte;
// without one, the whole input is the second file and `first` the first.
inline std::pair<std::string_view, std::string_view> fuzz_two_files(std::string_view text, std::string_view first) {
  const std::size_t cut = text.find('\0');
  if (cut == std::string_view::npos) return {first, text};
  return {text.substr(0, cut), text.substr(cut + 1)};
}
