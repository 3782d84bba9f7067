#include "shell.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool is_plain_shell_char(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '_': case '.': case '/': case ':': case '@': case '%':
    case '+': case '=': case ',': case '-':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string shell_word(std::string_view word) {
  bool plain = !word.empty();
  for (char c : word) plain = plain && is_plain_shell_char(c);
  if (plain) return std::string(word);
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  quoted += '\'';
  return quoted;
}

std::string path_word(const std::string& path) {
  return shell_word(!path.empty() && path[0] == '-' ? "./" + path : path);
}

int run_shell_command(const std::string& command) {
  std::fflush(stdout);
  return std::system(command.c_str());
}

bool command_succeeded(int system_result) {
  return system_result != -1 && WIFEXITED(system_result) && WEXITSTATUS(system_result) == 0;
}
