// The discrete-event engine the four simulators share: messages cross spans
// at their propagation delay, and every node handles the messages that reach
// it one at a time, in arrival order, each for its processing delay (and the
// cross-connect time for a message that makes a cross-connect). Events are
// ordered by (time, sequence number), so a run is the same every time.
#pragma once

#include <cstdint>
#include <queue>
#include <vector>

#include "network.h"

namespace restoresim {

// One message (or a node's own event). Each field means one thing; a method
// leaves the fields it has no use for as they are.
struct Message {
  int kind = 0;     // what it is, in the method's own terms
  int node = 0;     // the node that handles it
  int span = -1;    // the span it arrived over; -1 for a node's own event
  int index = 0;    // the demand it serves: a signal index (vetrun, kimber: one per
                    // lost channel), an affected working path (dunvar)
  int side = 0;     // kimber: the end its signal flooded from (0 the sender, 1 the chooser)
  int count = 0;    // spans crossed when it arrives
  int attempt = 0;  // dunvar: the attempt of its working path that it belongs to
  int claim = -1;   // a confirmation or a release: the claim it carries
  int route = -1;   // ospel: the preplanned route it follows
  bool crossconnect = false;  // handling it makes a cross-connect
};

class Engine {
 public:
  Engine(const Network& net, double crossconnect_ms);

  // The message leaves node `from` over `span` now and reaches the far end
  // after the span's propagation delay. Counted as a message sent.
  void send(int from, int span, Message m);
  // The message reaches its node at `time` without crossing a span (a
  // node's own event, such as detecting the failure). Not counted.
  void post(Message m, double time);
  // Handles every event in time order; handle(m, now) is called when a node
  // has finished processing m.
  template <class Handler>
  void run(Handler&& handle) {
    while (!queue_.empty()) {
      const Event e = queue_.top();
      queue_.pop();
      ++events_;
      now_ = e.time;
      if (e.arrival) {
        double& busy = busy_[e.m.node];
        const double start = busy > now_ ? busy : now_;
        busy = start + net_.nodes[e.m.node].delay_ms + (e.m.crossconnect ? crossconnect_ms_ : 0.0);
        push(Event{busy, 0, false, e.m});
      } else {
        handle(e.m, now_);
      }
    }
  }

  double now() const { return now_; }
  long long messages() const { return messages_; }
  long long events() const { return events_; }

 private:
  struct Event {
    double time;
    std::uint64_t seq;
    bool arrival;
    Message m;
  };
  struct Later {
    bool operator()(const Event& x, const Event& y) const {
      return x.time != y.time ? x.time > y.time : x.seq > y.seq;
    }
  };
  void push(Event e);

  const Network& net_;
  double crossconnect_ms_;
  std::priority_queue<Event, std::vector<Event>, Later> queue_;
  std::vector<double> busy_;
  std::uint64_t seq_ = 0;
  double now_ = 0;
  long long messages_ = 0;
  long long events_ = 0;
};

}  // namespace restoresim
