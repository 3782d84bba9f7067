// The restoration run scripts: the vetrun script written line by line, its
// kimber, ospel and dunvar siblings derived from it with sed, and the master
// script that runs all four.
#pragma once

#include <cstdio>
#include <string>

#include "outputs.h"

namespace netrestore {

// An echo argument naming a file: "TEXT NAME" in double quotes for an
// ordinary name, the whole text single-quoted when the name holds shell
// characters.
std::string echo_argument(const std::string& text, const std::string& name);

// The six lines before the run lines; the ruler holds `equals_signs` '='.
void write_script_opening(std::FILE* script, const std::string& netrestoreFile, int equals_signs);

// The two lines after the run lines: the final result file takes the
// running one, an earlier final result file being kept as .bak.
void write_script_closing(std::FILE* script, const std::string& base);

// The command that makes the script for `simulator` from the vetrun script,
// its results tagged `tag`.
std::string derive_command(const std::string& vetrun_script, const std::string& simulator, const std::string& tag,
                           const std::string& target);

// The master script's lines.
void write_master_script(std::FILE* master, const OutputNames& names);

// "chmod 755" naming the five scripts.
std::string chmod_command(const OutputNames& names);

// Once the vetrun script is closed: derives its siblings, writes the master
// script and makes the five scripts executable. Returns an exit status: 0,
// or 1 after a message when the master script cannot be written or a sed or
// chmod command fails ("fail to run COMMAND"; nothing after it is done).
int finish_scripts(const OutputNames& names);

}  // namespace netrestore
