#include "list_writers.h"

#include "text_format.h"

std::string path_line(const std::vector<const std::string*>& names) {
  std::string line;
  for (const std::string* name : names) line += *name + " ";
  return line + "45\n";
}

std::string format_span_list(const std::string& title, const std::vector<SpanListLine>& spans) {
  std::string text = title + "\n";
  text += "one line per span: end, end, a number not used, working channels, spare channels, miles\n";
  text += "\n\n";
  text += "a b unused working spare miles\n";
  for (const SpanListLine& s : spans)
    text += text_printf("%s %s 0 %lld %lld %f\n", s.a.c_str(), s.b.c_str(), s.working, s.spare, s.miles);
  return text;
}
