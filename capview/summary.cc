#include "summary.h"

#include <algorithm>

#include "text_format.h"

namespace capview {

namespace {

constexpr std::size_t kWeakest = 10;
constexpr int kBarWidth = 40;

// Orders spans by percent restored, exactly (cross-multiplied), then by
// working capacity, larger first, then by cut order.
bool less_restorable(const SpanResult& a, const SpanResult& b) {
  long long left = static_cast<long long>(a.restored) * b.working;
  long long right = static_cast<long long>(b.restored) * a.working;
  if (left != right) return left < right;
  if (a.working != b.working) return a.working > b.working;
  return a.span < b.span;
}

void count_span(const SpanResult& span, Summary& s) {
  s.working_total += span.working;
  s.restored_total += span.restored;
  if (span.working <= 0) {
    ++s.idle;
    return;
  }
  if (span.restored >= span.working)
    ++s.fully;
  else if (span.restored > 0)
    ++s.partly;
  else
    ++s.none;
  long long bucket = std::max(0LL, static_cast<long long>(span.restored) * 10 / span.working);
  ++s.histogram[static_cast<std::size_t>(std::min(9LL, bucket))];
}

void append_histogram(const Summary& s, std::string& out) {
  int most = *std::max_element(s.histogram.begin(), s.histogram.end());
  out += "\npercent restored per span (spans with working capacity)\n";
  for (int b = 0; b < 10; ++b) {
    int count = s.histogram[static_cast<std::size_t>(b)];
    int bar = most > 0 ? (count * kBarWidth + most / 2) / most : 0;
    if (count > 0 && bar == 0) bar = 1;
    std::string label = text_printf("%d-%d%%", b * 10, b * 10 + 10);
    out += text_printf("  %8s |%-*s %d\n", label.c_str(), kBarWidth,
                       std::string(static_cast<std::size_t>(bar), '#').c_str(), count);
  }
}

void append_weakest(const Summary& s, const std::vector<SpanResult>& spans, std::string& out) {
  if (s.weakest.empty()) {
    out += "\nevery span with working capacity is fully restorable\n";
    return;
  }
  out += text_printf("\nleast restorable spans\n  %5s  %-15s %-15s %8s %9s %8s\n", "span", "from", "to", "working",
                     "restored", "percent");
  for (std::size_t i : s.weakest) {
    const SpanResult& span = spans[i];
    out += text_printf("  %5d  %-15s %-15s %8d %9d %7.2f%%\n", span.span, span.from.c_str(), span.to.c_str(),
                       span.working, span.restored, percent_restored(span));
  }
}

}  // namespace

Summary summarize(const std::vector<SpanResult>& spans) {
  Summary s;
  s.spans = static_cast<int>(spans.size());
  std::vector<std::size_t> weak;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    count_span(spans[i], s);
    if (spans[i].working > 0 && spans[i].restored < spans[i].working) weak.push_back(i);
  }
  std::stable_sort(weak.begin(), weak.end(),
                   [&](std::size_t a, std::size_t b) { return less_restorable(spans[a], spans[b]); });
  if (weak.size() > kWeakest) weak.resize(kWeakest);
  s.weakest = std::move(weak);
  return s;
}

double network_restorability(const Summary& s) {
  return s.working_total > 0 ? s.restored_total * 100.0 / s.working_total : 0.0;
}

std::string summary_text(const Summary& s, const std::vector<SpanResult>& spans, const StudyFiles& files) {
  std::string out;
  out += text_printf("restorability of %s (nodes %s, results %s)\n", files.netdata.c_str(), files.nodes.c_str(),
                     files.results.c_str());
  out += text_printf("  spans cut                 %6d\n", s.spans);
  if (s.working_total > 0)
    out += text_printf("  network restorability     %6.2f%%  (%lld of %lld working channels restored)\n",
                       network_restorability(s), s.restored_total, s.working_total);
  else
    out += "  network restorability          -   (no working capacity was cut)\n";
  out += text_printf("  fully restorable          %6d\n", s.fully);
  out += text_printf("  partly restorable         %6d\n", s.partly);
  out += text_printf("  not restorable            %6d\n", s.none);
  out += text_printf("  without working capacity  %6d\n", s.idle);
  append_histogram(s, out);
  append_weakest(s, spans, out);
  return out;
}

}  // namespace capview
