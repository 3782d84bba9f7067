#include "engine.h"

namespace restoresim {

Engine::Engine(const Network& net, double crossconnect_ms)
    : net_(net), crossconnect_ms_(crossconnect_ms), busy_(net.nodes.size(), 0.0) {}

void Engine::push(Event e) {
  e.seq = seq_++;
  queue_.push(e);
}

void Engine::send(int from, int span, Message m) {
  ++messages_;
  m.node = net_.spans[span].other(from);
  m.span = span;
  push(Event{now_ + net_.spans[span].prop_ms, 0, true, m});
}

void Engine::post(Message m, double time) {
  m.span = -1;
  push(Event{time, 0, true, m});
}

}  // namespace restoresim
