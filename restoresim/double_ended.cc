// kimber: both ends flood; a node that holds an index from both sides joins
// the halves and confirms toward both ends. Each end accepts at most as many
// restoration paths as channels were lost; a half refused or blocked is
// released, and its partner with it.
#include <utility>
#include <vector>

#include "flooding.h"

namespace restoresim {

namespace {

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
    engine_.run([this](const Message& msg, double) { handle(msg); });
    finish(r);
  }

 private:
  int end_of(int side) const { return side == 0 ? cut_.sender() : cut_.chooser(); }
  int count_at(int side, int node, int index) const {
    return node == end_of(side) ? 0 : best_[at(side, node, index)];
  }

  void handle(const Message& m) {
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
        if (m.node != end_of(1 - m.side)) relay(m.node, m.span, m.side, m.index, m.count);
        break;
      }
      case CONFIRM: {
        Claim& c = claims_[m.claim];
        if (c.failed) {
          // Its partner failed while it was on its way.
          release_from(m.claim, m.node);
          break;
        }
        if (m.node == end_of(c.side)) {
          accept(m.claim, m.node);
          break;
        }
        withdraw(m.node, c.side, c.index, m.span);
        withdraw(m.node, 1 - c.side, c.index, m.span);
        const int next = via_[at(c.side, m.node, c.index)];
        if (!extend(m.claim, m.node, next)) fail(m.claim, m.node);
        break;
      }
      case RELEASE:
        release_from(m.claim, m.node);
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
        accept(claim, node);
      } else if (!extend(claim, node, via_[at(side, node, index)])) {
        fail(claim, node);
      }
      if (claims_[claim].failed) break;
    }
  }

  void accept(int claim, int node) {
    Claim& c = claims_[claim];
    int& taken = accepted_[c.side];
    if (taken >= lost_) {
      fail(claim, node);
      return;
    }
    ++taken;
    c.arrived = true;
    Claim& p = claims_[c.partner];
    if (p.arrived) {
      // The path from the sender's end to the chooser's.
      const Claim& a = c.side == 0 ? c : p;
      const Claim& b = c.side == 0 ? p : c;
      std::vector<int> nodes(a.nodes.rbegin(), a.nodes.rend()), spans(a.spans.rbegin(), a.spans.rend());
      nodes.insert(nodes.end(), b.nodes.begin() + 1, b.nodes.end());
      spans.insert(spans.end(), b.spans.begin(), b.spans.end());
      complete(std::move(nodes), std::move(spans), engine_.now());
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

}  // namespace

void run_double_ended(const Network& net, const Cut& cut, const Options& options, RunResult& r) {
  DoubleEnded(net, cut, options, r.lost).run(r);
}

}  // namespace restoresim
