// The figures that tell how restorable a network is, and their text form.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "study.h"

namespace capview {

struct Summary {
  int spans = 0;
  long long working_total = 0;
  long long restored_total = 0;
  int fully = 0;   // restored all of a working capacity above zero
  int partly = 0;  // restored some, not all
  int none = 0;    // restored nothing of a working capacity above zero
  int idle = 0;    // carried no working capacity
  // Spans with working capacity by percent restored: 0-10, 10-20, ...,
  // 90-100 (a span restored in full counts in the last bucket).
  std::array<int, 10> histogram{};
  // Up to ten spans not restored in full, least restorable first (ties: the
  // larger working capacity first, then cut order); indexes into the spans.
  std::vector<std::size_t> weakest;
};

Summary summarize(const std::vector<SpanResult>& spans);

// Network restorability in percent; 0 when no working capacity was cut.
double network_restorability(const Summary& summary);

// The summary as printed on standard output (also shown on the page).
std::string summary_text(const Summary& summary, const std::vector<SpanResult>& spans, const StudyFiles& files);

}  // namespace capview
