// A network as a reader finds it in its file, before any tidying: nodes in
// file order with the line each starts on, links between them by index, and
// the demands that a file may carry.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct RawNode {
  std::string label;  // as the file gives it; empty when it gives none
  std::string key;    // how links name the node: the GML id, or the name
  bool located = false;
  double latitude = 0.0;
  double longitude = 0.0;
  int line = 0;
};

struct RawLink {
  int a = 0;  // indices into RawNetwork::nodes
  int b = 0;
  std::optional<double> km;       // a length given by the file
  std::optional<long long> working;  // working channels given by the file
  int line = 0;
};

struct RawDemand {
  int a = 0;
  int b = 0;
  double value = 0.0;
  int line = 0;
};

struct RawNetwork {
  std::string form;  // "GML", "SNDlib native", "CSV"
  std::string file;  // the file named in notes about nodes and links
  std::string link_file;  // the file of the links (the nodes file but for CSV)
  std::vector<RawNode> nodes;
  std::vector<RawLink> links;
  bool has_demands = false;  // the file holds a demand section
  std::vector<RawDemand> demands;
  bool has_working = false;  // every link gives its working channels
  std::vector<std::string> notes;  // what the reader decided, "file:line: what"
};
