#include "wholefile.h"

#include <cstdio>

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
