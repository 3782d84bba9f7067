// What the unit tests of capsweep share: a results file in memory.
#pragma once

#include <cstdio>
#include <string>

// A temporary file that the code under test writes as its results file.
class MemoryFile {
 public:
  MemoryFile() : f_(std::tmpfile()) {}
  ~MemoryFile() { std::fclose(f_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::FILE* get() const { return f_; }

  // Everything written so far.
  std::string text() const {
    std::fflush(f_);
    std::rewind(f_);
    std::string s;
    int c;
    while ((c = std::getc(f_)) != EOF) s.push_back(static_cast<char>(c));
    return s;
  }

 private:
  std::FILE* f_;
};
