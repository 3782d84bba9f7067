#include "slices.h"

#include <algorithm>

#include "text_format.h"
#include "wholefile.h"

using studyfiles::format_dual_header;

using studyfiles::DualRow;
using studyfiles::DualTable;

namespace dualsweep {

std::vector<SpanPair> pairs_of(const std::vector<studyfiles::DualSpan>& spans, int slice, int slices) {
  std::vector<SpanPair> pairs;
  long long index = 0;
  const int n = static_cast<int>(spans.size());
  for (int i = 1; i <= n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (spans[static_cast<std::size_t>(i - 1)].working + static_cast<long long>(spans[static_cast<std::size_t>(j - 1)].working) <= 0)
        continue;
      if (slices <= 0 || index % slices == slice - 1) pairs.emplace_back(i, j);
      ++index;
    }
  }
  return pairs;
}

bool parse_slice(const std::string& text, int& slice, int& slices) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 == text.size()) return false;
  auto number = [](const std::string& digits, int& out) {
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    out = std::atoi(digits.c_str());
    return true;
  };
  return number(text.substr(0, slash), slice) && number(text.substr(slash + 1), slices) && slices >= 1 &&
         slice >= 1 && slice <= slices;
}

namespace {

bool same_rows_pairs(const std::vector<DualRow>& rows, const std::vector<SpanPair>& pairs) {
  if (rows.size() != pairs.size()) return false;
  for (std::size_t k = 0; k < rows.size(); ++k)
    if (rows[k].i != pairs[k].first || rows[k].j != pairs[k].second) return false;
  return true;
}

}  // namespace

Error gather_slices(const std::vector<std::string>& files, DualTable& whole) {
  std::vector<DualTable> tables(files.size());
  std::string header;
  int slices = 0;
  for (std::size_t f = 0; f < files.size(); ++f) {
    std::string text;
    if (Error e = read_file_or_reason(files[f], text)) return e;
    DualTable& t = tables[f];
    if (Error e = studyfiles::read_dual_table(text, files[f], t)) return e;
    if (t.slices == 0) return Error::at(files[f], 1, "not the table of a slice: it has no slice line");
    DualTable bare = t;
    bare.slice = bare.slices = 0;
    const std::string h = format_dual_header(bare);
    if (f == 0) {
      header = h;
      slices = t.slices;
    } else if (h != header || t.slices != slices) {
      return Error::of(files[f] + ": not a slice of the same run as " + files[0]);
    }
    for (std::size_t g = 0; g < f; ++g)
      if (tables[g].slice == t.slice) return Error::of(text_printf("%s and %s are both slice %d/%d", files[g].c_str(),
                                                                   files[f].c_str(), t.slice, t.slices));
    if (!same_rows_pairs(t.rows, pairs_of(t.spans, t.slice, t.slices)))
      return Error::of(text_printf("%s: its rows are not the pairs of slice %d/%d", files[f].c_str(), t.slice, t.slices));
  }
  if (files.empty()) return Error::of("no slice tables to gather");
  if (static_cast<int>(files.size()) != slices) {
    std::string missing;
    for (int k = 1; k <= slices; ++k) {
      if (std::none_of(tables.begin(), tables.end(), [&](const DualTable& t) { return t.slice == k; })) {
        missing = text_printf("%d/%d", k, slices);
        break;
      }
    }
    return Error::of(text_printf("%zu slice tables of %d: slice %s is missing", files.size(), slices, missing.c_str()));
  }
  whole = tables[0];
  whole.slice = whole.slices = 0;
  whole.rows.clear();
  // Pair p of the whole run is row p / N of slice p % N + 1.
  std::vector<const DualTable*> by_slice(static_cast<std::size_t>(slices));
  for (const DualTable& t : tables) by_slice[static_cast<std::size_t>(t.slice - 1)] = &t;
  std::size_t total = 0;
  for (const DualTable& t : tables) total += t.rows.size();
  whole.rows.reserve(total);
  for (std::size_t p = 0; p < total; ++p)
    whole.rows.push_back(by_slice[p % static_cast<std::size_t>(slices)]->rows[p / static_cast<std::size_t>(slices)]);
  return {};
}

}  // namespace dualsweep
