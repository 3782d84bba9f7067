// printf-style formatting into a std::string, for error texts and the
// answer files whose layouts are C printf formats.
#pragma once

#include <string>

std::string text_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
