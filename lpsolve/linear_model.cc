#include "linear_model.h"

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
