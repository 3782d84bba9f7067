// What netimport does with a network once a reader has taken it: tidying,
// routing and the texts of the study folder, all in memory. Networks of many
// nodes are left at the reader, since every pair is routed.
#pragma once

#include "raw_network.h"
#include "study.h"

inline void fuzz_study(const RawNetwork& raw) {
  if (raw.nodes.size() > 200) return;
  StudyTexts texts;
  StudyOptions options;
  options.spare_ratio = 0.5;
  (void)make_study(raw, options, texts);
}
