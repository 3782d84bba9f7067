// The reader of SNDlib's native text form: the sections NODES ( name ( lon
// lat ) ... ), LINKS ( id ( a b ) ... ) and DEMANDS ( id ( a b ) unit value
// max_path_length ... ), one entry a line, '#' starting a comment; the other
// sections are passed over.
#pragma once

#include <string>
#include <string_view>

#include "error.h"
#include "raw_network.h"

// The first line of every file of this form starts with this text.
constexpr std::string_view kSndlibMark = "?SNDlib native format";

Error read_sndlib(std::string_view text, const std::string& file_name, RawNetwork& out);
