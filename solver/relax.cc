#include "relax.h"

#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "exchange.h"
#include "relax_input.h"
#include "relax_output.h"
#include "relax_solve.h"
#include "textio.h"
#include "wholefile.h"

using studyfiles::RelaxProblem;
using studyfiles::kAnswerFile;
using studyfiles::kPathFile;
using studyfiles::kRelaxInputFile;
using studyfiles::read_relax_input;

namespace {

constexpr int kStatusFailure = 1;
const std::string kInputName = kRelaxInputFile;
const std::string kVerdictName = kAnswerFile;
const std::string kPathsName = kPathFile;

double seconds_of(clockid_t clock) {
  timespec t{};
  ::clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

int failure(const std::string& message) {
  std::fprintf(stderr, "relax: %s\n", message.c_str());
  return kStatusFailure;
}

}  // namespace

int relax_main(int argc, char** /*argv*/) {
  // Both times count from here, so that they measure the same stretch of work.
  const double start = seconds_of(CLOCK_MONOTONIC);
  const double cpu_start = seconds_of(CLOCK_PROCESS_CPUTIME_ID);
  if (argc > 1) return failure("takes no arguments; it reads " + kInputName + " in the current directory");

  const std::optional<std::string> text = read_whole_file(kInputName);
  if (!text) return failure("cannot read " + kInputName + ": " + std::strerror(errno));
  RelaxProblem problem;
  if (const Error error = read_relax_input(*text, kInputName, problem)) return failure(error.text());

  const RelaxSolution solution = solve_relax(problem);
  const double elapsed = seconds_of(CLOCK_MONOTONIC) - start;
  const double cpu = seconds_of(CLOCK_PROCESS_CPUTIME_ID) - cpu_start;
  const std::string error = write_answer_files(kPathsName, path_out_text(problem, solution), kVerdictName,
                             temp_out_text(solution, elapsed, cpu));
  if (!error.empty()) return failure(error);
  std::fputs(summary_line(problem, solution).c_str(), stdout);
  return 0;
}
