// The four restoration methods, each a set of message handlers over the
// engine.
#include <algorithm>
#include <climits>
#include <map>
#include <numeric>

#include "engine.h"
#include "restoresim.h"

namespace restoresim {

namespace {

enum Kind { START, FLOOD, CONFIRM, RELEASE, CONNECT, CANCEL };

constexpr int kUnseen = INT_MAX;

// A restoration route being confirmed: the spans it has seized so far, from
// the node that started the confirmation.
struct Claim {
  std::vector<int> nodes;  // nodes[0] started it
  std::vector<int> spans;
  int index = 0;
  int side = 0;
  int partner = -1;      // kimber: the other half
  bool arrived = false;  // reached its end and accepted there
  bool failed = false;   // being released
  double arrived_ms = 0;
};

// What the flooding methods share: the spare channels seized, the claims,
// and per (side, node, index) the best repeat count seen and the span it came over.
class Flooding {
 public:
  Flooding(const Network& net, const Cut& cut, const Options& options, int sides, int indexes)
      : net_(net), cut_(cut), options_(options), engine_(net, options.crossconnect_ms), sides_(sides),
        indexes_(indexes), seized_(net.spans.size(), 0),
        best_(static_cast<std::size_t>(sides) * net.nodes.size() * indexes, kUnseen),
        via_(best_.size(), -1), done_(net.nodes.size() * indexes, 0),
        carried_(net.spans.size() * 2) {}

 protected:
  int free_spare(int s) const { return s == cut_.span ? 0 : net_.spans[s].spare - seized_[s]; }
  std::size_t at(int side, int node, int index) const {
    return (static_cast<std::size_t>(side) * net_.nodes.size() + node) * indexes_ + index;
  }
  std::size_t done_at(int node, int index) const { return static_cast<std::size_t>(node) * indexes_ + index; }

  struct Carried {
    int key;
    int count;
  };
  std::vector<Carried>& carried(int node, int s) {
    return carried_[2 * static_cast<std::size_t>(s) + (net_.spans[s].a == node ? 0 : 1)];
  }

  // Offers a signal to the span out of `node`: each direction of a span
  // carries at most as many distinct signals as the span has free spare
  // channels, a lower count preempting the highest.
  void offer(int node, int s, int side, int index, int count) {
    const int cap = free_spare(s);
    if (cap <= 0) return;
    const int key = side * indexes_ + index;
    std::vector<Carried>& on = carried(node, s);
    auto it = std::find_if(on.begin(), on.end(), [&](const Carried& c) { return c.key == key; });
    if (it != on.end()) {
      if (count >= it->count) return;
      it->count = count;
    } else if (static_cast<int>(on.size()) < cap) {
      on.push_back({key, count});
    } else {
      auto worst = std::max_element(on.begin(), on.end(), [](const Carried& x, const Carried& y) {
        return x.count != y.count ? x.count < y.count : x.key < y.key;
      });
      if (worst->count <= count) return;
      *worst = {key, count};
    }
    Message m;
    m.kind = FLOOD;
    m.side = side;
    m.index = index;
    m.count = count;
    engine_.send(node, s, m);
  }

  void drop(int node, int s, int key) {
    std::vector<Carried>& on = carried(node, s);
    on.erase(std::remove_if(on.begin(), on.end(), [&](const Carried& c) { return c.key == key; }), on.end());
  }

  // The node withdraws a signal: it relays it no more, tells the nodes it
  // passed the signal to (but over `keep`) to withdraw it too, and the slots
  // it held go to the signals that were waiting for them.
  void withdraw(int node, int side, int index, int keep = -1) {
    done_[done_at(node, index)] = 1;
    const int key = side * indexes_ + index;
    for (int s : net_.nodes[node].spans) {
      if (s == keep) continue;
      const std::vector<Carried>& on = carried(node, s);
      if (std::none_of(on.begin(), on.end(), [&](const Carried& c) { return c.key == key; })) continue;
      Message m;
      m.kind = CANCEL;
      m.side = side;
      m.index = index;
      engine_.send(node, s, m);
    }
    for (int s : net_.nodes[node].spans) drop(node, s, side * indexes_ + index);
    for (int s : net_.nodes[node].spans) refill(node, s);
  }

  // Offers the span out of the node every signal the node holds and has not
  // passed on over it, as far as its free slots go.
  void refill(int node, int s) {
    if (s == cut_.span || node == cut_.sender() || node == cut_.chooser() ||
        free_spare(s) <= static_cast<int>(carried(node, s).size()))
      return;
    for (int side = 0; side < sides_; ++side) {
      for (int index = 1; index < indexes_; ++index) {
        if (done_[done_at(node, index)]) continue;
        const std::size_t k = at(side, node, index);
        if (best_[k] == kUnseen || via_[k] == s || (limit_ > 0 && best_[k] + 1 > limit_)) continue;
        offer(node, s, side, index, best_[k] + 1);
      }
    }
  }

  // An end node offers one index per lost channel, each on one spare
  // channel: in rounds over its spans in port order, one index to each span
  // that has a spare channel left, until the indexes run out.
  void offer_all(int node, int side, int lost) {
    std::vector<int> left;
    for (int s : net_.nodes[node].spans) left.push_back(s == cut_.span ? 0 : free_spare(s));
    for (int next = 1; next <= lost;) {
      bool offered = false;
      for (std::size_t k = 0; k < left.size() && next <= lost; ++k) {
        if (left[k] <= 0) continue;
        --left[k];
        offer(node, net_.nodes[node].spans[k], side, next++, 1);
        offered = true;
      }
      if (!offered) break;
    }
  }

  // Relays an improved signal over every other span of the node.
  void relay(int node, int arrived_on, int side, int index, int count, int limit) {
    if (limit > 0 && count + 1 > limit) return;
    for (int s : net_.nodes[node].spans)
      if (s != arrived_on && s != cut_.span) offer(node, s, side, index, count + 1);
  }

  // Records a better count; true when it improved.
  bool improve(const Message& m) {
    const std::size_t k = at(m.side, m.node, m.index);
    if (m.count >= best_[k]) return false;
    best_[k] = m.count;
    via_[k] = m.span;
    return true;
  }

  // Starts a claim at `node` toward span `s`; -1 when s has no free spare.
  int start_claim(int node, int side, int index) {
    Claim c;
    c.nodes.push_back(node);
    c.index = index;
    c.side = side;
    claims_.push_back(std::move(c));
    return static_cast<int>(claims_.size()) - 1;
  }
  // Sends the claim's confirmation over s, seizing one spare channel; false
  // when s has none free.
  bool extend(int claim, int node, int s) {
    if (free_spare(s) <= 0) return false;
    ++seized_[s];
    // The signal's own spare channel is the one seized: its slot is free.
    drop(net_.spans[s].other(node), s, claims_[claim].side * indexes_ + claims_[claim].index);
    claims_[claim].spans.push_back(s);
    Message m;
    m.kind = CONFIRM;
    m.ref = claim;
    m.side = claims_[claim].side;
    m.index = claims_[claim].index;
    m.crossconnect = true;
    engine_.send(node, s, m);
    claims_[claim].nodes.push_back(net_.spans[s].other(node));
    return true;
  }
  // Releases the claim's spans hop by hop back to where it started.
  void release_from(int claim, int node) {
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
    m.ref = claim;
    engine_.send(node, s, m);
  }
  virtual void on_released(int claim) = 0;

  void complete(const std::vector<int>& nodes, const std::vector<int>& spans, double now, int working_path = -1) {
    RestorationPath p;
    p.nodes = nodes;
    p.spans = spans;
    for (int s : spans) p.km += net_.spans[s].km;
    p.completion_ms = now;
    p.working_path = working_path;
    paths_.push_back(std::move(p));
  }

  void finish(RunResult& r) {
    r.messages = engine_.messages();
    r.events = engine_.events();
    r.paths = std::move(paths_);
  }

  const Network& net_;
  const Cut& cut_;
  const Options& options_;
  Engine engine_;
  int sides_;
  int indexes_;
  std::vector<int> seized_;
  std::vector<int> best_;
  std::vector<int> via_;
  std::vector<char> done_;
  std::vector<std::vector<Carried>> carried_;
  std::vector<Claim> claims_;
  std::vector<RestorationPath> paths_;
  int limit_ = 0;  // the repeat limit of the flooding methods
};

// vetrun: the sender offers, on each of its other spans, one signal per lost
// channel as far as the span's spare channels go, every signal with an index
// of its own; the chooser takes the first arrivals, one signal per lost
// channel, and confirms each back over the span it came by.
class SingleEnded : public Flooding {
 public:
  SingleEnded(const Network& net, const Cut& cut, const Options& options, int lost)
      : Flooding(net, cut, options, 1, signal_count(net, cut, lost) + 1), lost_(lost),
        in_use_(static_cast<std::size_t>(indexes_), 0) {}

  void run(RunResult& r) {
    const int s = cut_.sender();
    limit_ = net_.nodes[s].repeat_limit;
    Message m;
    m.kind = START;
    m.node = s;
    engine_.post(m, options_.detection_ms);
    engine_.run([this](const Message& msg, double now) { handle(msg, now); });
    finish(r);
  }

 private:
  static int signal_count(const Network& net, const Cut& cut, int lost) {
    long long n = 0;
    for (int s : net.nodes[cut.sender()].spans)
      if (s != cut.span) n += std::min(lost, net.spans[s].spare);
    return static_cast<int>(std::min<long long>(n, INT_MAX - 1));
  }

  void handle(const Message& m, double now) {
    const int s = cut_.sender(), t = cut_.chooser();
    switch (m.kind) {
      case START: {
        int next = 1;
        for (int span : net_.nodes[s].spans) {
          if (span == cut_.span) continue;
          for (int k = 0, n = std::min(lost_, free_spare(span)); k < n; ++k) offer(s, span, 0, next++, 1);
        }
        break;
      }
      case FLOOD:
        if (m.node == s || done_[done_at(m.node, m.index)]) break;
        if (m.node == t) {
          arrivals_.push_back({m.index, m.span});
          choose();
          break;
        }
        if (improve(m)) relay(m.node, m.span, 0, m.index, m.count, limit_);
        break;
      case CONFIRM: {
        if (claims_[m.ref].failed) break;
        if (m.node == s) {
          std::vector<int> nodes = claims_[m.ref].nodes, spans = claims_[m.ref].spans;
          std::reverse(nodes.begin(), nodes.end());
          std::reverse(spans.begin(), spans.end());
          complete(nodes, spans, now);
          break;
        }
        withdraw(m.node, 0, m.index, m.span);
        const int next = via_[at(0, m.node, m.index)];
        if (!extend(m.ref, m.node, next)) release_from(m.ref, m.node);
        break;
      }
      case RELEASE:
        release_from(m.ref, m.node);
        break;
      case CANCEL:
        if (m.node != s && m.node != t && !done_[done_at(m.node, m.index)]) withdraw(m.node, 0, m.index);
        break;
    }
  }

  // While lost channels are left, takes the earliest arrival of a signal
  // not in use and confirms it back over the span it came by.
  void choose() {
    for (std::size_t k = 0; k < arrivals_.size() && taken_ < lost_;) {
      const auto [index, span] = arrivals_[k];
      if (in_use_[index]) {
        ++k;
        continue;
      }
      arrivals_.erase(arrivals_.begin() + static_cast<std::ptrdiff_t>(k));
      const int claim = start_claim(cut_.chooser(), 0, index);
      if (extend(claim, cut_.chooser(), span)) {
        in_use_[index] = 1;
        ++taken_;
      }
    }
  }
  void on_released(int claim) override {
    in_use_[claims_[claim].index] = 0;
    --taken_;
    choose();
  }

  int lost_;
  int taken_ = 0;  // signals confirmed or being confirmed
  std::vector<char> in_use_;
  std::vector<std::pair<int, int>> arrivals_;  // (index, span), in arrival order
};

// kimber: both ends flood; a node that holds an index from both sides joins
// the halves and confirms toward both ends. Each end accepts at most as many
// restoration paths as channels were lost; a half refused or blocked is
// released, and its partner with it.
class DoubleEnded : public Flooding {
 public:
  DoubleEnded(const Network& net, const Cut& cut, const Options& options, int lost)
      : Flooding(net, cut, options, 2, lost + 1), lost_(lost), joined_(net.nodes.size() * (lost + 1), 0) {}

  void run(RunResult& r) {
    limit_ = net_.nodes[cut_.sender()].repeat_limit;
    Message m;
    m.kind = START;
    m.node = cut_.sender();
    engine_.post(m, options_.detection_ms);
    m.node = cut_.chooser();
    m.side = 1;
    engine_.post(m, options_.detection_ms);
    engine_.run([this](const Message& msg, double now) { handle(msg, now); });
    finish(r);
  }

 private:
  int end_of(int side) const { return side == 0 ? cut_.sender() : cut_.chooser(); }
  int count_at(int side, int node, int index) const {
    return node == end_of(side) ? 0 : best_[at(side, node, index)];
  }

  void handle(const Message& m, double now) {
    switch (m.kind) {
      case START:
        offer_all(m.node, m.side, lost_);
        break;
      case FLOOD: {
        if (m.node == end_of(m.side) || done_[done_at(m.node, m.index)]) break;
        if (!improve(m)) break;
        const int other = count_at(1 - m.side, m.node, m.index);
        if (other != kUnseen && (limit_ <= 0 || other + m.count <= limit_)) {
          join(m.node, m.index);
          break;
        }
        if (m.node != end_of(1 - m.side)) relay(m.node, m.span, m.side, m.index, m.count, limit_);
        break;
      }
      case CONFIRM: {
        Claim& c = claims_[m.ref];
        if (c.failed) {
          // Its partner failed while it was on its way.
          release_from(m.ref, m.node);
          break;
        }
        if (m.node == end_of(c.side)) {
          accept(m.ref, m.node, now);
          break;
        }
        withdraw(m.node, c.side, c.index, m.span);
        withdraw(m.node, 1 - c.side, c.index, m.span);
        const int next = via_[at(c.side, m.node, c.index)];
        if (!extend(m.ref, m.node, next)) fail(m.ref, m.node);
        break;
      }
      case RELEASE:
        release_from(m.ref, m.node);
        break;
      case CANCEL:
        if (m.node != cut_.sender() && m.node != cut_.chooser() && !done_[done_at(m.node, m.index)]) {
          withdraw(m.node, 0, m.index);
          withdraw(m.node, 1, m.index);
        }
        break;
    }
  }

  void join(int node, int index) {
    std::size_t k = done_at(node, index);
    if (joined_[k]) return;
    joined_[k] = 1;
    withdraw(node, 0, index);
    withdraw(node, 1, index);
    const int a = start_claim(node, 0, index), b = start_claim(node, 1, index);
    claims_[a].partner = b;
    claims_[b].partner = a;
    for (int claim : {a, b}) {
      const int side = claims_[claim].side;
      if (node == end_of(side)) {
        accept(claim, node, engine_.now());
      } else if (!extend(claim, node, via_[at(side, node, index)])) {
        fail(claim, node);
      }
      if (claims_[claim].failed) break;
    }
  }

  void accept(int claim, int node, double now) {
    Claim& c = claims_[claim];
    int& taken = accepted_[c.side];
    if (taken >= lost_) {
      fail(claim, node);
      return;
    }
    ++taken;
    c.arrived = true;
    c.arrived_ms = now;
    Claim& p = claims_[c.partner];
    if (p.arrived) {
      // The path from the sender's end to the chooser's.
      const Claim& a = c.side == 0 ? c : p;
      const Claim& b = c.side == 0 ? p : c;
      std::vector<int> nodes(a.nodes.rbegin(), a.nodes.rend()), spans(a.spans.rbegin(), a.spans.rend());
      nodes.insert(nodes.end(), b.nodes.begin() + 1, b.nodes.end());
      spans.insert(spans.end(), b.spans.begin(), b.spans.end());
      complete(nodes, spans, now);
    }
  }

  // A half that cannot go on: it is released, and its partner too.
  void fail(int claim, int node) {
    release_from(claim, node);
    Claim& p = claims_[claims_[claim].partner];
    if (p.failed) return;
    if (p.arrived) {
      --accepted_[p.side];
      p.arrived = false;
      release_from(claims_[claim].partner, p.nodes.back());
    } else {
      p.failed = true;  // on its way: the node it reaches releases it
    }
  }
  void on_released(int) override {}

  int lost_;
  int accepted_[2] = {0, 0};
  std::vector<char> joined_;
};

// dunvar: every working path across the cut searches between its own ends.
// A path floods a request from one end (the lower-numbered first); the
// first arrival at the other end confirms back, seizing one spare channel
// per span; a confirmation that meets a span without free spare releases
// what it seized, and the path floods again from the other end with that
// span excluded, up to the retry count.
class PathRestoration : public Flooding {
 public:
  PathRestoration(const Network& net, const Cut& cut, const Options& options, std::vector<AffectedPath>& affected)
      : Flooding(net, cut, options, 1, static_cast<int>(affected.size())), affected_(affected),
        attempt_(affected.size(), 0), stamp_(best_.size(), -1), excluded_(affected.size()),
        reached_(affected.size(), 0) {}

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
      m.side = attempt_[j];
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
        if (m.side != attempt_[j] || m.node == origin(j) || reached_[j]) break;
        if (m.node == target(j)) {
          reached_[j] = 1;
          const int claim = start_claim(m.node, 0, j);
          if (!extend(claim, m.node, m.span)) retry(j, m.span);
          break;
        }
        const std::size_t k = at(0, m.node, j);
        if (stamp_[k] != attempt_[j]) {
          stamp_[k] = attempt_[j];
          best_[k] = kUnseen;
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
          std::vector<int> nodes(claims_[m.ref].nodes.rbegin(), claims_[m.ref].nodes.rend());
          std::vector<int> spans(claims_[m.ref].spans.rbegin(), claims_[m.ref].spans.rend());
          complete(nodes, spans, now, j);
          break;
        }
        const int next = via_[at(0, m.node, j)];
        if (!extend(m.ref, m.node, next)) {
          blocked_[m.ref] = next;
          release_from(m.ref, m.node);
        }
        break;
      }
      case RELEASE:
        release_from(m.ref, m.node);
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
  std::vector<int> attempt_;
  std::vector<int> stamp_;
  std::vector<std::vector<int>> excluded_;
  std::vector<char> reached_;
  std::map<int, int> blocked_;
};

// ospel: the routes are planned before the cut; the sender sends one connect
// message along each, and a route is restored when its message reaches the
// chooser.
void run_preplanned(const Network& net, const Cut& cut, const Options& options, const std::vector<Route>& routes,
                    int lost, RunResult& r) {
  Engine engine(net, options.crossconnect_ms);
  std::vector<int> channels;
  for (const Route& route : routes) {
    const int left = lost - std::accumulate(channels.begin(), channels.end(), 0);
    if (left <= 0) break;
    channels.push_back(std::min(left, route.channels));
  }
  Message start;
  start.kind = START;
  start.node = cut.sender();
  engine.post(start, options.detection_ms);
  engine.run([&](const Message& m, double now) {
    if (m.kind == START) {
      for (std::size_t k = 0; k < channels.size(); ++k) {
        Message c;
        c.kind = CONNECT;
        c.ref = static_cast<int>(k);
        c.count = 1;
        c.crossconnect = true;
        engine.send(m.node, routes[k].spans[0], c);
      }
      return;
    }
    const Route& route = routes[static_cast<std::size_t>(m.ref)];
    if (m.count < static_cast<int>(route.spans.size())) {
      Message c = m;
      ++c.count;
      engine.send(m.node, route.spans[static_cast<std::size_t>(m.count)], c);
      return;
    }
    RestorationPath p;
    p.channels = channels[static_cast<std::size_t>(m.ref)];
    p.nodes = route.nodes;
    p.spans = route.spans;
    for (int s : route.spans) p.km += net.spans[s].km;
    p.completion_ms = now;
    r.paths.push_back(std::move(p));
  });
  r.messages = engine.messages();
  r.events = engine.events();
}

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

}  // namespace

RunResult run_method(Method method, const Network& net, const Cut& cut, const Options& options) {
  RunResult r;
  r.method = method;
  const int s = cut.sender(), t = cut.chooser();
  r.bound = spare_max_flow(net, cut.span, s, t);
  const std::vector<Route> routes = successive_shortest_routes(net, cut.span, s, t, net.nodes[s].repeat_limit);
  r.routes = static_cast<int>(routes.size());
  for (const Route& route : routes) r.route_channels += route.channels;
  r.lost = net.spans[cut.span].working;
  switch (method) {
    case Method::vetrun: {
      SingleEnded run(net, cut, options, r.lost);
      run.run(r);
      break;
    }
    case Method::kimber: {
      DoubleEnded run(net, cut, options, r.lost);
      run.run(r);
      break;
    }
    case Method::ospel:
      run_preplanned(net, cut, options, routes, r.lost, r);
      break;
    case Method::dunvar: {
      r.affected = affected_paths(net, cut);
      r.lost = static_cast<int>(r.affected.size());
      PathRestoration run(net, cut, options, r.affected);
      run.run(r);
      break;
    }
  }
  // In the order of completion; equal times keep the order of the run.
  std::stable_sort(r.paths.begin(), r.paths.end(), [](const RestorationPath& x, const RestorationPath& y) {
    return x.completion_ms < y.completion_ms;
  });
  for (const RestorationPath& p : r.paths) {
    r.restored += p.channels;
    r.channel_spans += static_cast<long long>(p.channels) * static_cast<long long>(p.spans.size());
  }
  if (!r.paths.empty()) {
    r.first_ms = r.paths.front().completion_ms;
    r.last_ms = r.paths.back().completion_ms;
  }
  return r;
}

}  // namespace restoresim
