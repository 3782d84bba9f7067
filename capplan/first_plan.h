// A first plan that needs no linear program, for when the linear program
// could not be solved within the time limit: the cuts are restored one after
// another, the largest first, each over the least-cost flow that uses the
// spare already planned for free and adds spare at each span's cost where it
// must. Then, while time is left, each cut in turn is routed again over the
// spare the other cuts need: the plan's cost never rises.
#pragma once

#include <functional>
#include <vector>

#include "span_network.h"

namespace capplan {

class RoutedPlan {
 public:
  // `cuts`: the spans (0-based, none a bridge) whose cuts are restored.
  RoutedPlan(const SpanNetwork& net, const std::vector<int>& cuts);

  // False when some cut could not be routed (it has no other route).
  bool routed() const { return routed_; }
  // Per span: kept spare plus added spare.
  std::vector<long long> spare() const;
  // Routes every cut again, one at a time, until a round changes nothing or
  // `stop` says so (asked before each cut).
  void improve(const std::function<bool()>& stop);

 private:
  // Routes cut i over `free` spare at no cost, more at each span's cost;
  // false when it cannot be routed.
  bool route(std::size_t i, const std::vector<long long>& free);

  const SpanNetwork& net_;
  std::vector<int> cuts_;                    // the largest first
  std::vector<std::vector<long long>> use_;  // per cut, per span: channels its flow uses
  bool routed_ = true;
};

// The plan of RoutedPlan without improvement: empty when some cut could not
// be routed.
std::vector<long long> routed_spare(const SpanNetwork& net, const std::vector<int>& cuts);

}  // namespace capplan
