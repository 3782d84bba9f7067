#include "flooding.h"

#include <algorithm>

namespace restoresim {

Flooding::Flooding(const Network& net, const Cut& cut, const Options& options, int sides, int indexes)
    : Claims(net, cut, options), sides_(sides), indexes_(indexes),
      best_(static_cast<std::size_t>(sides) * net.nodes.size() * indexes, kUnseen), via_(best_.size(), -1),
      done_(net.nodes.size() * indexes, 0), carried_(net.spans.size() * 2) {}

void Flooding::offer(int node, int s, int side, int index, int count) {
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

void Flooding::drop(int node, int s, int key) {
  std::vector<Carried>& on = carried(node, s);
  on.erase(std::remove_if(on.begin(), on.end(), [&](const Carried& c) { return c.key == key; }), on.end());
}

void Flooding::withdraw(int node, int side, int index, int keep) {
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
  for (int s : net_.nodes[node].spans) drop(node, s, key);
  for (int s : net_.nodes[node].spans) refill(node, s);
}

void Flooding::refill(int node, int s) {
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

void Flooding::offer_all(int node, int side, int lost) {
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

void Flooding::relay(int node, int arrived_on, int side, int index, int count) {
  if (limit_ > 0 && count + 1 > limit_) return;
  for (int s : net_.nodes[node].spans)
    if (s != arrived_on && s != cut_.span) offer(node, s, side, index, count + 1);
}

bool Flooding::improve(const Message& m) {
  const std::size_t k = at(m.side, m.node, m.index);
  if (m.count >= best_[k]) return false;
  best_[k] = m.count;
  via_[k] = m.span;
  return true;
}

void Flooding::on_seized(const Claim& c, int node, int s) {
  drop(net_.spans[s].other(node), s, c.side * indexes_ + c.index);
}

}  // namespace restoresim
