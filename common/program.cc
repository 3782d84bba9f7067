#include "program.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "version.h"

namespace {

// The name a program without ProgramInfo is known by: its file name.
std::string base_name(int argc, char** argv) {
  if (argc < 1 || !argv || !argv[0]) return "program";
  const char* slash = std::strrchr(argv[0], '/');
  return slash ? slash + 1 : argv[0];
}

}  // namespace

int run_out_of_memory_guarded(const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    std::fputs("out of memory\n", stderr);
    return 1;
  }
}

int run_guarded(const char* name, const std::function<int()>& body) {
  try {
    return run_out_of_memory_guarded(body);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name, e.what());
  } catch (...) {
    std::fprintf(stderr, "%s: an unexpected failure\n", name);
  }
  return 1;
}

int run_program(int argc, char** argv, int (*program)(int argc, char** argv)) {
  const std::string name = base_name(argc, argv);
  return run_guarded(name.c_str(), [&] { return program(argc, argv); });
}

int run_program(int argc, char** argv, const ProgramInfo& info, int (*program)(int argc, char** argv)) {
  return run_guarded(info.name, [&] {
    bool help = false, version = false;
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      if (arg == "--") break;
      help = help || arg == "--help" || arg == "-h";
      version = version || arg == "--version";
    }
    if (help) {
      std::fputs(info.help, stdout);
    } else if (version) {
      std::printf("%s\n", version_line(info.name).c_str());
    } else {
      return program(argc, argv);
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  });
}
