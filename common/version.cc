#include "version.h"

std::string version_line(std::string_view program) {
  return std::string(program) + " (meshrestore) " + toolkit_version();
}

std::string written_by(std::string_view program) { return "written by " + version_line(program); }
