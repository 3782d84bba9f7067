// Made-up mesh networks for capplan's benchmarks: n nodes scattered over a
// 1000 x 1000 square, joined as a Gabriel graph thinned, longest spans
// first, to a mean degree while no span becomes a bridge; uniform demand
// (one channel between every two nodes, along the shortest route by length)
// gives each span its working channels; a span costs its length in units of
// 50, at least 1.
#pragma once

#include <string>
#include <vector>

#include "span_network.h"

struct MadeNetwork {
  capplan::SpanNetwork net;
  std::vector<double> x, y;  // node k at (x[k - 1], y[k - 1])
};

MadeNetwork make_network(int n_node, unsigned seed, double mean_degree = 3.2);
