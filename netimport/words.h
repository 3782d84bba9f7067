// Pieces of input text as the readers need them: a decimal number that is
// all of a field, and a field as a message shows it.
#pragma once

#include <string>
#include <string_view>

// A piece of an input file as a message shows it: unprintable bytes as \xNN
// and at most 40 characters, so that a 1 MB label makes a short message.
std::string shown(std::string_view text);

// A finite decimal number ("12", "-3.5", "1e3") that is the whole text.
bool parse_decimal(std::string_view text, double& value);
