// Whole files in memory: read a text into a string for the readers that work
// on byte buffers, and write a finished text out in one go.
#pragma once

#include <string>

// Reads the whole file into text. On failure returns a message naming the
// file and the reason ("cannot read net.dat: No such file or directory");
// on success an empty string.
std::string read_whole_file(const std::string& name, std::string& text);

// Creates or truncates the file and writes text into it. On failure returns
// a message naming the file and the reason; on success an empty string.
std::string write_whole_file(const std::string& name, const std::string& text);
