// What the two flooding methods (vetrun, kimber) share over the claims: the
// signals, each with an index of its own, that flood out from the ends of
// the cut span; per (side, node, index) the lowest count of spans a signal
// crossed to reach the node and the span it came over; and per direction of
// each span the signals it carries, at most as many as its free spare
// channels. Inside restoresim only.
#pragma once

#include <climits>
#include <cstddef>
#include <vector>

#include "claims.h"

namespace restoresim {

// No signal of that index has reached the node yet.
inline constexpr int kUnseen = INT_MAX;

class Flooding : public Claims {
 protected:
  // `sides` ends flood (1 or 2), with signal indexes below `indexes` (index
  // 0 unused).
  Flooding(const Network& net, const Cut& cut, const Options& options, int sides, int indexes);

  std::size_t at(int side, int node, int index) const {
    return (static_cast<std::size_t>(side) * net_.nodes.size() + node) * indexes_ + index;
  }
  std::size_t done_at(int node, int index) const { return static_cast<std::size_t>(node) * indexes_ + index; }

  // Offers a signal to the span out of `node`: each direction of a span
  // carries at most as many distinct signals as the span has free spare
  // channels, a lower count preempting the highest.
  void offer(int node, int s, int side, int index, int count);
  // The node withdraws a signal: it relays it no more, tells the nodes it
  // passed the signal to (but over `keep`) to withdraw it too, and the slots
  // it held go to the signals that were waiting for them.
  void withdraw(int node, int side, int index, int keep = -1);
  // An end node offers one index per lost channel, each on one spare
  // channel: in rounds over its spans in port order, one index to each span
  // that has a spare channel left, until the indexes run out.
  void offer_all(int node, int side, int lost);
  // Relays an improved signal over every other span of the node, within
  // the repeat limit.
  void relay(int node, int arrived_on, int side, int index, int count);
  // Records a better count of the message's signal at its node, and the
  // span it came over; true when it improved.
  bool improve(const Message& m);

  int sides_;
  int indexes_;
  std::vector<int> best_;  // per (side, node, index): the lowest count seen
  std::vector<int> via_;   // per (side, node, index): the span it came over
  std::vector<char> done_;  // per (node, index): withdrawn at the node
  int limit_ = 0;  // the repeat limit: the sender's

 private:
  struct Carried {
    int key;  // side * indexes_ + index
    int count;
  };
  std::vector<Carried>& carried(int node, int s) {
    return carried_[2 * static_cast<std::size_t>(s) + (net_.spans[s].a == node ? 0 : 1)];
  }
  void drop(int node, int s, int key);
  // Offers the span out of the node every signal the node holds and has not
  // passed on over it, as far as its free slots go.
  void refill(int node, int s);
  // The signal's own spare channel is the one a confirmation seizes: its
  // slot is free.
  void on_seized(const Claim& c, int node, int s) override;

  std::vector<std::vector<Carried>> carried_;  // per direction of each span
};

}  // namespace restoresim
