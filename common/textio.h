// Line-oriented text input shared by every reader of the toolkit: files owned
// by RAII handles and lines read whole whatever their length. The fields of a
// line are read with the scanner (scanner.h).
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FileCloser {
  void operator()(std::FILE* f) const { if (f) std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// fopen() with an owning handle; empty when the file cannot be opened.
File open_file(const std::string& name, const char* mode);

// Reads one line, whatever its length, without its line feed. Returns false
// at end of file when nothing was read; a last line without a line feed is
// still a line.
bool read_line(std::FILE* f, std::string& line);

// Reads one line from a byte buffer starting at pos (the buffer form of
// read_line, for readers that work on text in memory).
bool read_line(std::string_view text, std::size_t& pos, std::string& line);

// True when the two names are the same text, or name the same existing file
// (same device and inode): writing to one would destroy the other.
bool same_file(const std::string& a, const std::string& b);
