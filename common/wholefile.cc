#include "wholefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "textio.h"

namespace {

std::string failure(const char* what, const std::string& name, int error) {
  return std::string("cannot ") + what + " " + name + ": " + std::strerror(error);
}

}  // namespace

std::string read_whole_file(const std::string& name, std::string& text) {
  text.clear();
  File f = open_file(name, "rb");
  if (!f) return failure("read", name, errno);
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) text.append(chunk, n);
  if (std::ferror(f.get())) return failure("read", name, errno ? errno : EIO);
  return "";
}

std::string write_whole_file(const std::string& name, const std::string& text) {
  File f = open_file(name, "wb");
  if (!f) return failure("write", name, errno);
  if (std::fwrite(text.data(), 1, text.size(), f.get()) != text.size() || std::fflush(f.get()) != 0)
    return failure("write", name, errno ? errno : EIO);
  std::FILE* raw = f.release();
  if (std::fclose(raw) != 0) return failure("write", name, errno ? errno : EIO);
  return "";
}
