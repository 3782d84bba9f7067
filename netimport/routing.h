// Working capacity from a demand matrix: every pair's channels routed on
// its shortest path by great-circle length, ties broken by fewer spans and
// then by lower node numbers, so that the same network always gives the
// same paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tidy.h"

enum class DemandModel { kUniform, kGravity, kFile };

const char* demand_model_name(DemandModel model);

struct RoutedPair {
  int a = 0;  // node indices, a < b
  int b = 0;
  long long channels = 0;
  std::vector<int> nodes;  // the path, from a to b
};

struct Routing {
  std::vector<long long> working;  // per span
  std::vector<RoutedPair> pairs;   // pairs with channels, in order of (a, b)
  int components = 0;
  long long pairs_apart = 0;  // pairs with a weight but in different components
  long long channels = 0;     // over all pairs
};

// The shortest path from every node to `source` as each node's predecessor
// (-1 for the source and for nodes it cannot reach).
std::vector<int> shortest_path_tree(const TidyNetwork& net, int source);

// Each pair's weight (uniform: 1; gravity: the product of the two degrees;
// file: the file's demand), scaled to about `channels` in all when given,
// each pair rounded and at least 1, and routed.
Routing route_demands(const TidyNetwork& net, DemandModel model, std::optional<long long> channels);

// The working channels that the file gives, each channel a path of one span.
Routing working_as_given(const TidyNetwork& net);
