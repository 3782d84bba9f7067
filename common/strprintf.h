// printf-style formatting into a std::string, for writers that build their
// output in memory (numbers still come out exactly as printf writes them).
#pragma once

#include <string>

// Formats like std::printf and returns the text, whatever its length.
std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends the formatted text to out.
void append_printf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
