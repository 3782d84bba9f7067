#include "exchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "text_format.h"

std::string format_answer(const Answer& a) {
  return text_printf("%d\n%lf\n%lf\n%lf\n", a.is_feas, a.elapsed_time, a.cpu_time, a.opt_cost);
}

std::optional<Answer> parse_answer(std::string_view text) {
  const std::string s(text);  // strtol and strtod want a terminated text
  const char* p = s.c_str();
  char* end = nullptr;
  errno = 0;
  long is_feas = std::strtol(p, &end, 0);
  if (end == p || errno == ERANGE || is_feas < INT_MIN || is_feas > INT_MAX) return std::nullopt;
  Answer a;
  a.is_feas = static_cast<int>(is_feas);
  for (double* value : {&a.elapsed_time, &a.cpu_time, &a.opt_cost}) {
    p = end;
    *value = std::strtod(p, &end);
    if (end == p) return std::nullopt;
  }
  return a;
}

std::string format_relax_input(int n_node, const std::vector<RelaxInputArc>& arcs, int source, int sink, int demand) {
  std::string text = text_printf("%d\n%d\n", n_node, static_cast<int>(arcs.size()));
  for (std::size_t k = 0; k < arcs.size(); ++k) {
    const RelaxInputArc& a = arcs[k];
    text += text_printf("%3d%3d%3d%3d%3d\n", static_cast<int>(k + 1), a.from, a.to, a.cost, a.capacity);
  }
  for (int n = 1; n <= n_node; ++n) {
    if (n == source) text += text_printf("%3d%3d\n", n, -demand);
    else if (n == sink) text += text_printf("%3d%3d\n", n, demand);
    else text += text_printf("%d  %d\n", n, 0);
  }
  return text;
}
