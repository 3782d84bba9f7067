#include "span_list.h"

#include <cstdio>

#include "scanner.h"
#include "text_format.h"

namespace netrestore {

namespace {

void read_fields(SpanLine& line) {
  FieldScanner f(line.text);
  std::optional<std::string> a = f.next_word();
  std::optional<std::string> b = a ? f.next_word() : std::nullopt;
  std::optional<int> unused = b ? f.next_int() : std::nullopt;
  std::optional<int> working = unused ? f.next_int() : std::nullopt;
  std::optional<int> spare = working ? f.next_int() : std::nullopt;
  std::optional<float> miles = spare ? f.next_float() : std::nullopt;
  if (!miles) return;
  line = SpanLine{line.line_number, line.text, true, *a, *b, *working, *spare, *miles};
}

Error count_span(SpanNetwork& sn, const SpanLine& line, const std::string& file_name) {
  Network& net = sn.net;
  const int x = net.findID(line.a);
  const int y = net.findID(line.b);
  if (x == y) {
    print_duplicated_node(x, line.line_number, line.text, true);
    return Error();
  }
  const auto [a, b] = SpanEntry::between(x, y);
  if (net.ExistSpanEntry(a, a, b)) {
    // Named again: the earlier line's channels leave the end-point counts.
    net.I[a] -= net.W.at(a, b);
    net.I[b] -= net.W.at(a, b);
  } else if (Error error = net.record_span(a, b, file_name, line.line_number)) {
    return error;
  }
  net.W.at(a, b) = line.working;
  net.S.at(a, b) = line.spare;
  sn.M.at(a, b) = static_cast<float>(line.miles);  // read as a float: nothing is lost
  net.I[a] += line.working;
  net.I[b] += line.working;
  return Error();
}

}  // namespace

std::string format_span_list(const std::string& title, const std::vector<SpanLine>& spans) {
  std::string text = title + "\n";
  text += "one line per span: end, end, a number not used, working channels, spare channels, miles\n";
  text += "\n\n";
  text += "a b unused working spare miles\n";
  for (const SpanLine& s : spans)
    text += text_printf("%s %s 0 %d %d %f\n", s.a.c_str(), s.b.c_str(), s.working, s.spare, s.miles);
  return text;
}

std::vector<SpanLine> parse_span_list(std::string_view text) {
  const std::vector<std::string_view> lines = lines_as_read(text);
  std::vector<SpanLine> spans;
  for (std::size_t k = kSpanListTitleLines; k < lines.size(); ++k) {
    SpanLine line;
    line.line_number = static_cast<int>(k) + 1;
    line.text = lines[k];
    read_fields(line);
    spans.push_back(std::move(line));
  }
  return spans;
}

Error count_spans(SpanNetwork& sn, const std::vector<SpanLine>& lines, const std::string& file_name) {
  for (const SpanLine& line : lines) {
    if (!line.complete) {
      std::printf("%s:%d: expected two node names, three whole numbers and a length; line skipped\n",
                  file_name.c_str(), line.line_number);
      continue;
    }
    if (line.working < 0 || line.spare < 0) {
      // A negative count would be subtracted from the node totals.
      std::printf("%s:%d: a channel count is negative; line skipped\n", file_name.c_str(), line.line_number);
      continue;
    }
    ++sn.noOfSpans;
    if (Error error = count_span(sn, line, file_name)) return error;
  }
  return Error();
}

long long path_count(const Network& net) {
  long long count = 0;
  for (int i = 1; i <= net.noOfNodes; ++i) {
    for (const SpanEntry& span : net.node[i].spans) {
      const long long w = net.W.at(span.lower, span.higher);
      if (span.lower == i && w > 0) count += w;
    }
  }
  return count;
}

}  // namespace netrestore
