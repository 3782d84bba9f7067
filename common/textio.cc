#include "textio.h"

#include <sys/stat.h>


File open_file(const std::string& name, const char* mode) {
  return File(std::fopen(name.c_str(), mode));
}

bool read_line(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::getc(f)) != EOF) {
    any = true;
    if (c == '\n') return true;
    line.push_back(static_cast<char>(c));
  }
  return any;
}

bool read_line(std::string_view text, std::size_t& pos, std::string& line) {
  line.clear();
  if (pos >= text.size()) return false;
  std::size_t end = text.find('\n', pos);
  if (end == std::string_view::npos) {
    line.assign(text.substr(pos));
    pos = text.size();
  } else {
    line.assign(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return true;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
