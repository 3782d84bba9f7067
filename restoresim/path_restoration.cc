// dunvar: every working path across the cut searches between its own ends.
// A path floods a request from one end (the lower-numbered first); the
// first arrival at the other end confirms back, seizing one spare channel
// per span; a confirmation that meets a span without free spare releases
// what it seized, and the path floods again from the other end with that
// span excluded, up to the retry count.
#include <algorithm>
#include <climits>
#include <map>
#include <utility>
#include <vector>

#include "claims.h"

namespace restoresim {

namespace {

// The working paths that cross the cut span: those of the path section, or,
// for a version-1 description or one without paths, every working channel
// of the span as a one-span path.
std::vector<AffectedPath> affected_paths(const Network& net, const Cut& cut) {
  std::vector<AffectedPath> affected;
  const Span& span = net.spans[cut.span];
  if (!net.version2 || net.paths.empty()) {
    for (int k = 1; k <= span.working; ++k) {
      AffectedPath p;
      p.number = k;
      p.from = span.a;
      p.to = span.b;
      p.hops = 1;
      affected.push_back(p);
    }
    return affected;
  }
  for (const WorkingPath& path : net.paths) {
    bool crosses = false;
    for (std::size_t k = 0; k + 1 < path.nodes.size(); ++k) {
      const int x = path.nodes[k], y = path.nodes[k + 1];
      if ((x == span.a && y == span.b) || (x == span.b && y == span.a)) crosses = true;
    }
    if (!crosses || path.nodes.front() == path.nodes.back()) continue;
    AffectedPath p;
    p.number = path.number;
    p.from = path.nodes.front();
    p.to = path.nodes.back();
    p.hops = static_cast<int>(path.nodes.size()) - 1;
    affected.push_back(p);
  }
  return affected;
}

class PathRestoration : public Claims {
 public:
  PathRestoration(const Network& net, const Cut& cut, const Options& options, std::vector<AffectedPath>& affected)
      : Claims(net, cut, options), affected_(affected), attempt_(affected.size(), 0),
        best_(net.nodes.size() * affected.size(), INT_MAX), via_(best_.size(), -1), stamp_(best_.size(), -1),
        excluded_(affected.size()), reached_(affected.size(), 0) {}

  void run(RunResult& r) {
    for (std::size_t j = 0; j < affected_.size(); ++j) {
      Message m;
      m.kind = START;
      m.node = origin(static_cast<int>(j));
      m.index = static_cast<int>(j);
      engine_.post(m, options_.detection_ms);
    }
    engine_.run([this](const Message& msg, double now) { handle(msg, now); });
    finish(r);
  }

 private:
  std::size_t at(int node, int j) const { return static_cast<std::size_t>(node) * affected_.size() + j; }
  int origin(int j) const {
    const AffectedPath& p = affected_[j];
    const int lo = std::min(p.from, p.to), hi = std::max(p.from, p.to);
    return attempt_[j] % 2 == 0 ? lo : hi;
  }
  int target(int j) const {
    const AffectedPath& p = affected_[j];
    return origin(j) == p.from ? p.to : p.from;
  }
  bool usable(int j, int s) const {
    return s != cut_.span && free_spare(s) > 0 &&
           std::find(excluded_[j].begin(), excluded_[j].end(), s) == excluded_[j].end();
  }
  void flood_out(int node, int arrived_on, int j, int count) {
    const int limit = net_.nodes[origin(j)].repeat_limit;
    if (limit > 0 && count + 1 > limit) return;
    for (int s : net_.nodes[node].spans) {
      if (s == arrived_on || !usable(j, s)) continue;
      Message m;
      m.kind = FLOOD;
      m.index = j;
      m.count = count + 1;
      m.attempt = attempt_[j];
      engine_.send(node, s, m);
    }
  }

  void handle(const Message& m, double now) {
    const int j = m.index;
    switch (m.kind) {
      case START:
        ++affected_[j].attempts;
        reached_[j] = 0;
        flood_out(m.node, -1, j, 0);
        break;
      case FLOOD: {
        if (m.attempt != attempt_[j] || m.node == origin(j) || reached_[j]) break;
        if (m.node == target(j)) {
          reached_[j] = 1;
          const int claim = start_claim(m.node, 0, j);
          if (!extend(claim, m.node, m.span)) retry(j, m.span);
          break;
        }
        // What an earlier attempt left at the node counts no more.
        const std::size_t k = at(m.node, j);
        if (stamp_[k] != attempt_[j]) {
          stamp_[k] = attempt_[j];
          best_[k] = INT_MAX;
        }
        if (m.count >= best_[k]) break;
        best_[k] = m.count;
        via_[k] = m.span;
        flood_out(m.node, m.span, j, m.count);
        break;
      }
      case CONFIRM: {
        if (m.node == origin(j)) {
          affected_[j].restored = true;
          std::vector<int> nodes(claims_[m.claim].nodes.rbegin(), claims_[m.claim].nodes.rend());
          std::vector<int> spans(claims_[m.claim].spans.rbegin(), claims_[m.claim].spans.rend());
          complete(std::move(nodes), std::move(spans), now, j);
          break;
        }
        const int next = via_[at(m.node, j)];
        if (!extend(m.claim, m.node, next)) {
          blocked_[m.claim] = next;
          release_from(m.claim, m.node);
        }
        break;
      }
      case RELEASE:
        release_from(m.claim, m.node);
        break;
    }
  }

  void retry(int j, int blocked_span) {
    excluded_[j].push_back(blocked_span);
    if (affected_[j].attempts > options_.retries) return;
    ++attempt_[j];
    Message m;
    m.kind = START;
    m.node = origin(j);
    m.index = j;
    engine_.post(m, engine_.now());
  }
  void on_released(int claim) override {
    const int j = claims_[claim].index;
    auto it = blocked_.find(claim);
    retry(j, it == blocked_.end() ? -1 : it->second);
  }

  std::vector<AffectedPath>& affected_;
  std::vector<int> attempt_;  // per working path: its current attempt, from 0
  std::vector<int> best_;     // per (node, path): the lowest count of the current attempt
  std::vector<int> via_;      // per (node, path): the span that count came over
  std::vector<int> stamp_;    // per (node, path): the attempt best_ belongs to
  std::vector<std::vector<int>> excluded_;  // per path: spans its floods avoid
  std::vector<char> reached_;  // per path: the current attempt reached the far end
  std::map<int, int> blocked_;  // claim: the span that blocked its confirmation
};

}  // namespace

void run_path_restoration(const Network& net, const Cut& cut, const Options& options, RunResult& r) {
  r.affected = affected_paths(net, cut);
  r.lost = static_cast<int>(r.affected.size());
  PathRestoration(net, cut, options, r.affected).run(r);
}

}  // namespace restoresim
