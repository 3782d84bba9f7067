// Work on every scenario at once: the indexes 0..n-1 handed out, one at a
// time, to a thread per core.
#pragma once

#include <cstddef>
#include <functional>

namespace capplan {

// Calls `each(i)` once for every i below n, on every core (at most n
// threads, the calling thread among them). `stop` (may be empty), asked
// before each index, ends the handing out: the indexes not yet handed out
// are never worked on. True when `stop` ended it. Whatever `each` throws
// first is thrown again once every thread is done.
bool on_every_core(std::size_t n, const std::function<bool()>& stop, const std::function<void(std::size_t)>& each);

}  // namespace capplan
