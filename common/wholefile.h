// Whole files: a file read into memory at once, so that readers can work on
// its text as a byte buffer, and a written file closed with its write
// errors noticed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "error.h"
#include "textio.h"

// The whole content of the file; empty when it cannot be opened or read (a
// directory, for instance).
std::optional<std::string> read_whole_file(const std::string& name);

// Flushes and closes a file written through the handle; false when any write
// to it failed (a full disk, for instance).
bool finish_writing(File& file);

// Writes the whole text through a handle already opened, then finishes it as
// finish_writing does; false when the handle is empty or any write failed.
// For a program whose message for a file that cannot be created differs
// from the one for a failed write.
bool write_and_finish(File& file, std::string_view text);

// Writes the whole text into the file (created or truncated) and closes it,
// every write and the close checked: "can not write NAME" when any failed.
Error write_text_file(const std::string& name, std::string_view text);

// The whole file into `text`, or "cannot read NAME: REASON" (the system's
// words for the failure).
Error read_file_or_reason(const std::string& name, std::string& text);

// Writes the whole text into the file (created or truncated) and closes it,
// or "cannot write NAME: REASON".
Error write_file_or_reason(const std::string& name, std::string_view text);
