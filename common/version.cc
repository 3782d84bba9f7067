#include "version.h"

std::string version_line(std::string_view program) {
  return std::string(program) + " (meshrestore) " + toolkit_version();
}
