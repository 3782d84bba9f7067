// The toolkit's version: the project's version, and where the build came
// from a checkout, "+" and what `git describe` said of it
// ("1.0.0+9808fc9", "1.0.0+9808fc9-dirty"). --version prints it, and the
// headers of the files the toolkit's own programs write carry it, so that a
// results file says which version wrote it.
#pragma once

#include <string>
#include <string_view>

const char* toolkit_version();

// "capplan (meshrestore) 1.0.0+9808fc9": what `NAME --version` prints, and
// what a header line names as the file's writer.
std::string version_line(std::string_view program);

// "written by capview (meshrestore) 1.0.0+9808fc9": the line that heads a
// file the toolkit's own programs write (after the file form's comment mark,
// if it has one), so that the file says which version wrote it.
std::string written_by(std::string_view program);
