// vetrun: the sender offers, on each of its other spans, one signal per lost
// channel as far as the span's spare channels go, every signal with an index
// of its own; the chooser takes the first arrivals, one signal per lost
// channel, and confirms each back over the span it came by.
#include <algorithm>
#include <climits>
#include <utility>

#include "flooding.h"

namespace restoresim {

namespace {

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
        if (improve(m)) relay(m.node, m.span, 0, m.index, m.count);
        break;
      case CONFIRM: {
        if (claims_[m.claim].failed) break;
        if (m.node == s) {
          std::vector<int> nodes = claims_[m.claim].nodes, spans = claims_[m.claim].spans;
          std::reverse(nodes.begin(), nodes.end());
          std::reverse(spans.begin(), spans.end());
          complete(std::move(nodes), std::move(spans), now);
          break;
        }
        withdraw(m.node, 0, m.index, m.span);
        const int next = via_[at(0, m.node, m.index)];
        if (!extend(m.claim, m.node, next)) release_from(m.claim, m.node);
        break;
      }
      case RELEASE:
        release_from(m.claim, m.node);
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

}  // namespace

void run_single_ended(const Network& net, const Cut& cut, const Options& options, RunResult& r) {
  SingleEnded(net, cut, options, r.lost).run(r);
}

}  // namespace restoresim
