#include "linear_model.h"

#include <algorithm>
#include <cmath>

#include "text_format.h"

namespace lpsolve {

bool LinearModel::has_integers() const { return std::find(integer.begin(), integer.end(), true) != integer.end(); }

int LinearModel::add_column(double cost, double low, double high, bool is_integer) {
  objective.push_back(cost);
  column_low.push_back(low);
  column_high.push_back(high);
  integer.push_back(is_integer);
  return columns() - 1;
}

int LinearModel::add_row(double low, double high) {
  row_low.push_back(low);
  row_high.push_back(high);
  return rows() - 1;
}

void LinearModel::add_entry(int row, int column, double value) {
  entry_row.push_back(row);
  entry_column.push_back(column);
  entry_value.push_back(value);
}

MipResult solver_failure(const std::string& what) {
  MipResult result;
  result.failed = true;
  result.error = Error::of(what);
  return result;
}

namespace {

// A bound pair: not a number, +infinity below or -infinity above, is no bound.
bool bounds_hold(double low, double high) {
  return !std::isnan(low) && !std::isnan(high) && low != LinearModel::kInfinity && high != -LinearModel::kInfinity;
}

}  // namespace

Error check_model(const LinearModel& m, const MipOptions& options) {
  const std::size_t n_col = m.objective.size(), n_row = m.row_low.size(), n_entry = m.entry_row.size();
  if (m.column_low.size() != n_col || m.column_high.size() != n_col || m.integer.size() != n_col)
    return Error::of("the model's column vectors differ in length");
  if (m.row_high.size() != n_row) return Error::of("the model's row vectors differ in length");
  if (m.entry_column.size() != n_entry || m.entry_value.size() != n_entry)
    return Error::of("the model's coefficient vectors differ in length");
  for (std::size_t c = 0; c < n_col; ++c) {
    if (!std::isfinite(m.objective[c])) return Error::of(text_printf("column %zu has no finite cost", c));
    if (!bounds_hold(m.column_low[c], m.column_high[c])) return Error::of(text_printf("column %zu has no bounds", c));
  }
  for (std::size_t r = 0; r < n_row; ++r)
    if (!bounds_hold(m.row_low[r], m.row_high[r])) return Error::of(text_printf("row %zu has no bounds", r));
  for (std::size_t e = 0; e < n_entry; ++e) {
    if (m.entry_row[e] < 0 || static_cast<std::size_t>(m.entry_row[e]) >= n_row ||
        m.entry_column[e] < 0 || static_cast<std::size_t>(m.entry_column[e]) >= n_col)
      return Error::of(text_printf("coefficient %zu is outside the model (row %d, column %d)", e, m.entry_row[e],
                                   m.entry_column[e]));
    if (!std::isfinite(m.entry_value[e]))
      return Error::of(text_printf("the coefficient of row %d, column %d is not a number", m.entry_row[e], m.entry_column[e]));
  }
  if (options.start_columns.size() != options.start_values.size())
    return Error::of(text_printf("the start names %zu columns and gives %zu values", options.start_columns.size(),
                                 options.start_values.size()));
  for (std::size_t k = 0; k < options.start_columns.size(); ++k) {
    const int c = options.start_columns[k];
    if (c < 0 || static_cast<std::size_t>(c) >= n_col) return Error::of(text_printf("the start names column %d, outside the model", c));
    if (!std::isfinite(options.start_values[k])) return Error::of(text_printf("the start's value of column %d is not a number", c));
  }
  if (std::isnan(options.seconds)) return Error::of("the time limit is not a number");
  return {};
}

}  // namespace lpsolve
