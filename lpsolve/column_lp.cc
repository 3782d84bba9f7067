#include "column_lp.h"

#include <coin/ClpSimplex.hpp>
#include <coin/CoinError.hpp>

#include <cfloat>
#include <cmath>
#include <functional>

#include "clp_relaxation.h"

namespace {

double clp_value(double v) { return std::isinf(v) ? (v > 0 ? COIN_DBL_MAX : -COIN_DBL_MAX) : v; }

}  // namespace

namespace lpsolve {

ColumnLp::ColumnLp(const std::vector<double>& row_low, const std::vector<double>& row_high)
    : model_(std::make_unique<ClpSimplex>()) {
  model_->setLogLevel(0);
  model_->messageHandler()->setLogLevel(0);
  std::vector<double> low, high;
  for (std::size_t r = 0; r < row_low.size(); ++r) {
    low.push_back(clp_value(row_low[r]));
    high.push_back(clp_value(row_high[r]));
  }
  n_rows_ = static_cast<int>(row_low.size());
  const std::vector<CoinBigIndex> starts(row_low.size() + 1, 0);
  model_->addRows(static_cast<int>(row_low.size()), low.data(), high.data(), starts.data(), nullptr, nullptr);
  model_->setOptimizationDirection(1.0);
}

ColumnLp::~ColumnLp() = default;

void ColumnLp::Packed::add(double lo, double hi, const std::vector<int>& indexes, const std::vector<double>& values) {
  low.push_back(clp_value(lo));
  high.push_back(clp_value(hi));
  index.insert(index.end(), indexes.begin(), indexes.end());
  value.insert(value.end(), values.begin(), values.end());
  start.push_back(static_cast<int>(index.size()));
}

void ColumnLp::Packed::clear() {
  low.clear();
  high.clear();
  value.clear();
  index.clear();
  start.assign(1, 0);
}

int ColumnLp::add_column(double cost, double low, double high, const std::vector<int>& rows,
                         const std::vector<double>& values) {
  cost_.push_back(cost);
  columns_.add(low, high, rows, values);
  return n_columns_++;
}

int ColumnLp::add_row(double low, double high, const std::vector<int>& columns, const std::vector<double>& values) {
  // The columns before it reach the solver first, so that its coefficients
  // on them have columns to go to.
  flush_columns();
  rows_.add(low, high, columns, values);
  return n_rows_++;
}

void ColumnLp::set_row_bounds(int row, double low, double high) {
  flush();
  model_->setRowLower(row, clp_value(low));
  model_->setRowUpper(row, clp_value(high));
}

void ColumnLp::flush() {
  flush_rows();
  flush_columns();
}

void ColumnLp::flush_rows() {
  if (rows_.empty()) return;
  const std::vector<CoinBigIndex> starts(rows_.start.begin(), rows_.start.end());
  model_->addRows(rows_.size(), rows_.low.data(), rows_.high.data(), starts.data(), rows_.index.data(),
                  rows_.value.data());
  rows_.clear();
}

void ColumnLp::flush_columns() {
  if (columns_.empty()) return;
  // Rows queued before these columns reach the solver first: the columns
  // may have coefficients on them.
  flush_rows();
  const std::vector<CoinBigIndex> starts(columns_.start.begin(), columns_.start.end());
  model_->addColumns(columns_.size(), columns_.low.data(), columns_.high.data(), cost_.data(), starts.data(),
                     columns_.index.data(), columns_.value.data());
  columns_.clear();
  cost_.clear();
}

void ColumnLp::perturb_from_start() { model_->setPerturbation(50); }

bool ColumnLp::solve(double seconds, Simplex simplex) {
  static const std::function<void()> no_tick;
  const auto run = [&] {
    if (simplex == Simplex::dual)
      model_->dual();
    else
      model_->primal();
  };
  try {
    flush();
    if (seconds > 0) {
      const WallDeadline deadline = WallDeadline::in(seconds, no_tick);
      model_->passInEventHandler(&deadline);
      run();
      const ClpEventHandler none;
      model_->passInEventHandler(&none);
    } else {
      run();
    }
  } catch (const CoinError&) {
    return false;
  }
  return model_->isProvenOptimal();
}

double ColumnLp::objective() const { return model_->objectiveValue(); }

std::vector<double> ColumnLp::values() const {
  const double* v = model_->primalColumnSolution();
  return std::vector<double>(v, v + model_->numberColumns());
}

std::vector<double> ColumnLp::row_duals() const {
  const double* d = model_->dualRowSolution();
  return std::vector<double>(d, d + model_->numberRows());
}

}  // namespace lpsolve
