#include "network.h"

#include <cstdio>

#include "shell.h"
#include "textio.h"

void stop_with(int status, const char* message) { stop_at(stdout, status, message); }

void stop_at(std::FILE* out, int status, const char* message) {
  std::fputs(message, out);
  throw Stop{status};
}

void stop_on_failed_command(const std::string& command) {
  stop_with(1, text_printf("ERROR--the command %s failed!!!\n", command.c_str()).c_str());
}

void run_or_stop(const std::string& command) {
  if (!command_succeeded(run_shell_command(command))) stop_on_failed_command(command);
}
