// Solving inside capsweep (-j): the flow solve that relax runs (flowsolve/),
// built once per thread from the edge table and reused from cut to cut, in
// place of the command relax and its exchange files. What a cut writes is kept in its
// own texts, to be written out in cut order.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cut_network.h"
#include "cut_span.h"
#include "inputs.h"
#include "network.h"
#include "relax_solve.h"

// A text written through a FILE handle (open_memstream), so that a cut
// writes its lines as it would to standard output or the results file.
class TextStream {
 public:
  TextStream();
  ~TextStream();
  TextStream(const TextStream&) = delete;
  TextStream& operator=(const TextStream&) = delete;

  std::FILE* get() const { return file_; }
  // Everything written so far.
  std::string text();

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_ = nullptr;
};

// What one cut leaves to be written.
struct CutText {
  std::string out;      // its lines on standard output
  std::string results;  // its lines of the results file
  std::string errors;   // for standard error
  std::optional<std::string> report_name;  // its path report, filed in the cut directory
  std::string report_text;
  std::optional<int> stop;  // the exit status when the run ends at this cut
};

// One thread's solver for the cuts of one network.
class InProcessSolver {
 public:
  InProcessSolver(const Options& options, const studyfiles::Netdata& net, const studyfiles::NodeList& nodes);

  // Runs the cut of record `e` (1-based) as the cut loop does, with every
  // trial solved here.
  CutText run_cut(int e);

 private:
  CutSolver for_cut(int e, std::FILE* out, CutText& text);
  studyfiles::Answer trial(int e, int demand, std::FILE* out, CutText& text);
  void file_report(std::FILE* out, CutText& text);

  const Options& options_;
  const studyfiles::Netdata& net_;
  const studyfiles::NodeList& nodes_;
  RelaxSolver solver_;
  std::vector<std::size_t> closed_;  // the arcs the cut at hand closes
  RelaxSolution last_;               // the answer of the last trial
};
