// Shell commands for the programs that start them (capsweep, routeweave,
// linkweave): words are quoted only when they need it, and standard output
// is flushed before each command so that our lines and the command's own
// lines keep their order in a pipe or a file.
#pragma once

#include <string>
#include <string_view>

// The word unchanged when it holds only [A-Za-z0-9_./:@%+=,-] (and is not
// empty); otherwise the whole word in single quotes, each ' written as '\''.
std::string shell_word(std::string_view word);

// A file name as one shell word (see shell_word); a name that begins with
// '-' is given as ./NAME, so that no command takes it for an option.
std::string path_word(const std::string& path);

// Flushes standard output, then runs the command through the command
// interpreter. Returns what system() returns.
int run_shell_command(const std::string& command);

// True when what system() returned says the command ran and exited with
// status 0.
bool command_succeeded(int system_result);
