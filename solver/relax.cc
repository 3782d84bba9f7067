#include "relax.h"

#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "relax_input.h"
#include "relax_output.h"
#include "relax_solve.h"
#include "textio.h"

namespace {

constexpr int kStatusFailure = 1;
const std::string kInputName = "RELAX.INP";
const std::string kVerdictName = "TEMP.OUT";
const std::string kPathsName = "PATH.OUT";

double seconds_of(clockid_t clock) {
  timespec t{};
  ::clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The whole file, or an error text.
bool read_whole_file(const std::string& name, std::string& text, std::string& error) {
  File f = open_file(name, "rb");
  if (!f) {
    error = "cannot open " + name + ": " + std::strerror(errno);
    return false;
  }
  std::string chunk(1 << 16, '\0');
  std::size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), f.get())) > 0) text.append(chunk, 0, got);
  if (std::ferror(f.get())) {
    error = "cannot read " + name + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

int failure(const std::string& message) {
  std::fprintf(stderr, "relax: %s\n", message.c_str());
  return kStatusFailure;
}

}  // namespace

int relax_main(int argc, char** /*argv*/) {
  const double start = seconds_of(CLOCK_MONOTONIC);
  if (argc > 1) return failure("takes no arguments; it reads " + kInputName + " in the current directory");

  std::string text, error;
  if (!read_whole_file(kInputName, text, error)) return failure(error);
  const RelaxInput input = read_relax_input(text, kInputName);
  if (!input.ok()) return failure(input.error);

  const RelaxSolution solution = solve_relax(input.problem);
  const double elapsed = seconds_of(CLOCK_MONOTONIC) - start;
  const double cpu = seconds_of(CLOCK_PROCESS_CPUTIME_ID);
  error = write_answer_files(kPathsName, path_out_text(input.problem, solution), kVerdictName,
                             temp_out_text(solution, elapsed, cpu));
  if (!error.empty()) return failure(error);
  std::fputs(summary_line(input.problem, solution).c_str(), stdout);
  return 0;
}
