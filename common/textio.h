// Line-oriented text input shared by every reader of the toolkit: files owned
// by RAII handles, lines read whole whatever their length, and whole numbers
// scanned the way "%d %d ..." scans them, without undefined overflow.
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

// The leading whole numbers of a text as "%d %d ..." reads them: white space
// skipped, an optional sign, digits. Scanning stops at the first field that
// is not a number, that lies outside the range of int, or after max_count
// numbers.
std::vector<int> scan_ints(std::string_view text, std::size_t max_count);

// One whole number from a single word, the word being all of it (no blanks,
// nothing after the digits); empty when it is not such a number or lies
// outside the range of int.
std::optional<int> parse_int(std::string_view word);

// True when the two names are the same text, or name the same existing file
// (same device and inode): writing to one would destroy the other.
bool same_file(const std::string& a, const std::string& b);
