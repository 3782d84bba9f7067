#include "exchange.h"

#include <initializer_list>

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

namespace {

// True when every value, as "%3d" prints it, takes exactly its three
// columns. Otherwise fields of a line written with nothing between them run
// together and could be split more than one way ("  1  1  21234567": cost
// 1234 and spare 567, or cost 123 and spare 4567); such a line is written
// with one blank between its fields instead.
bool fits_column(std::initializer_list<int> values) {
  for (int v : values) {
    if (v < -99 || v > 999) return false;
  }
  return true;
}

}  // namespace

std::string format_relax_input(int n_node, const std::vector<RelaxInputArc>& arcs, int source, int sink, int demand) {
  std::string text = text_printf("%d\n%d\n", n_node, static_cast<int>(arcs.size()));
  for (std::size_t k = 0; k < arcs.size(); ++k) {
    const RelaxInputArc& a = arcs[k];
    const int number = static_cast<int>(k + 1);
    text += text_printf(fits_column({number, a.from, a.to, a.cost, a.capacity}) ? "%3d%3d%3d%3d%3d\n" : "%d %d %d %d %d\n",
                        number, a.from, a.to, a.cost, a.capacity);
  }
  for (int n = 1; n <= n_node; ++n) {
    if (n == source || n == sink) {
      const int value = n == source ? -demand : demand;
      text += text_printf(fits_column({n, value}) ? "%3d%3d\n" : "%d %d\n", n, value);
    } else {
      text += text_printf("%d  %d\n", n, 0);
    }
  }
  return text;
}
