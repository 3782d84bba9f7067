#include "claims.h"

#include <utility>

namespace restoresim {

Claims::Claims(const Network& net, const Cut& cut, const Options& options)
    : net_(net), cut_(cut), options_(options), engine_(net, options.crossconnect_ms), seized_(net.spans.size(), 0) {}

int Claims::start_claim(int node, int side, int index) {
  Claim c;
  c.nodes.push_back(node);
  c.index = index;
  c.side = side;
  claims_.push_back(std::move(c));
  return static_cast<int>(claims_.size()) - 1;
}

bool Claims::extend(int claim, int node, int s) {
  if (free_spare(s) <= 0) return false;
  ++seized_[s];
  on_seized(claims_[claim], node, s);
  claims_[claim].spans.push_back(s);
  Message m;
  m.kind = CONFIRM;
  m.claim = claim;
  m.side = claims_[claim].side;
  m.index = claims_[claim].index;
  m.crossconnect = true;
  engine_.send(node, s, m);
  claims_[claim].nodes.push_back(net_.spans[s].other(node));
  return true;
}

void Claims::release_from(int claim, int node) {
  Claim& c = claims_[claim];
  c.failed = true;
  if (c.spans.empty()) {
    on_released(claim);
    return;
  }
  const int s = c.spans.back();
  c.spans.pop_back();
  c.nodes.pop_back();
  --seized_[s];
  Message m;
  m.kind = RELEASE;
  m.claim = claim;
  engine_.send(node, s, m);
}

void Claims::complete(std::vector<int> nodes, std::vector<int> spans, double now, int working_path) {
  paths_.push_back(path_over(net_, std::move(nodes), std::move(spans), now));
  paths_.back().working_path = working_path;
}

void Claims::finish(RunResult& r) {
  r.messages = engine_.messages();
  r.events = engine_.events();
  r.paths = std::move(paths_);
}

}  // namespace restoresim
