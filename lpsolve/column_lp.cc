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
  const std::vector<CoinBigIndex> starts(row_low.size() + 1, 0);
  model_->addRows(static_cast<int>(row_low.size()), low.data(), high.data(), starts.data(), nullptr, nullptr);
  model_->setOptimizationDirection(1.0);
}

ColumnLp::~ColumnLp() = default;

int ColumnLp::add_column(double cost, double low, double high, const std::vector<int>& rows,
                         const std::vector<double>& values) {
  cost_.push_back(cost);
  low_.push_back(clp_value(low));
  high_.push_back(clp_value(high));
  row_.insert(row_.end(), rows.begin(), rows.end());
  value_.insert(value_.end(), values.begin(), values.end());
  start_.push_back(static_cast<int>(row_.size()));
  return n_columns_++;
}

int ColumnLp::add_row(double low, double high, const std::vector<int>& columns, const std::vector<double>& values) {
  flush();
  model_->addRow(static_cast<int>(columns.size()), columns.data(), values.data(), clp_value(low), clp_value(high));
  return model_->numberRows() - 1;
}

int ColumnLp::rows() const { return model_->numberRows(); }

void ColumnLp::flush() {
  if (cost_.empty()) return;
  std::vector<CoinBigIndex> starts(start_.begin(), start_.end());
  model_->addColumns(static_cast<int>(cost_.size()), low_.data(), high_.data(), cost_.data(), starts.data(), row_.data(),
                     value_.data());
  cost_.clear();
  low_.clear();
  high_.clear();
  value_.clear();
  row_.clear();
  start_.assign(1, 0);
}

bool ColumnLp::solve(double seconds) {
  static const std::function<void()> no_tick;
  try {
    flush();
    if (seconds > 0) {
      const WallDeadline deadline = WallDeadline::in(seconds, no_tick);
      model_->passInEventHandler(&deadline);
      model_->primal();
      const ClpEventHandler none;
      model_->passInEventHandler(&none);
    } else {
      model_->primal();
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
