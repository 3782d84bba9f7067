// Made-up span networks for the tests of the span-restorable linear programs,
// and the arc-flow optimum they are held against.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "arc_flow.h"
#include "cbc_mip.h"
#include "span_network.h"

namespace capplan::testing_networks {

// A ring, so that no span is a bridge, with random chords, costs, working
// and kept spare.
inline SpanNetwork ring_with_chords(std::mt19937& random, int n_node, int n_chord, bool keep) {
  SpanNetwork net;
  net.n_node = n_node;
  std::uniform_int_distribution<int> node(1, n_node), cost(1, 9), working(0, 6), kept(0, 2);
  for (int v = 1; v <= n_node; ++v) net.spans.push_back({v, v % n_node + 1, cost(random), working(random), keep ? kept(random) : 0});
  for (int c = 0; c < n_chord; ++c) {
    const int a = node(random), b = node(random);
    if (a != b) net.spans.push_back({a, b, cost(random), working(random), keep ? kept(random) : 0});
  }
  return net;
}

inline std::vector<int> cuts_of(const SpanNetwork& net) {
  std::vector<int> cuts;
  for (int f = 0; f < static_cast<int>(net.spans.size()); ++f)
    if (net.spans[f].working > 0) cuts.push_back(f);
  return cuts;
}

inline double arc_flow_optimum(const SpanNetwork& net, const std::vector<int>& cuts) {
  lpsolve::MipOptions options;
  options.relaxation_only = true;
  const lpsolve::MipResult lp = lpsolve::solve_with_cbc(arc_flow_model(net, cuts), options);
  EXPECT_TRUE(lp.optimal);
  return lp.objective;
}

}  // namespace capplan::testing_networks
