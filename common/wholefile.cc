#include "wholefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::optional<std::string> read_whole_file(const std::string& name) {
  File f = open_file(name, "rb");
  if (!f) return std::nullopt;
  std::string text;
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) text.append(chunk, got);
  if (std::ferror(f.get())) return std::nullopt;
  return text;
}

bool finish_writing(File& file) {
  if (!file) return false;
  const bool written = std::fflush(file.get()) == 0 && !std::ferror(file.get());
  return std::fclose(file.release()) == 0 && written;
}

bool write_and_finish(File& file, std::string_view text) {
  const bool written = file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return finish_writing(file) && written;
}

Error write_text_file(const std::string& name, std::string_view text) {
  File f = open_file(name, "wb");
  if (!write_and_finish(f, text)) return Error::of("can not write " + name);
  return Error();
}

Error read_file_or_reason(const std::string& name, std::string& text) {
  errno = 0;
  std::optional<std::string> read = read_whole_file(name);
  if (!read) return Error::of("cannot read " + name + ": " + std::strerror(errno ? errno : EIO));
  text = std::move(*read);
  return Error();
}

Error write_file_or_reason(const std::string& name, std::string_view text) {
  errno = 0;
  File f = open_file(name, "wb");
  if (f && std::fwrite(text.data(), 1, text.size(), f.get()) == text.size() && finish_writing(f)) return Error();
  return Error::of("cannot write " + name + ": " + std::strerror(errno ? errno : EIO));
}
