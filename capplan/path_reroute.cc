#include "path_reroute.h"

#include <algorithm>
#include <numeric>
#include <random>

#include "links.h"

namespace capplan {

namespace {

// What a hop over a link with room costs: among routes of no added spare,
// the one of fewest spans.
constexpr double kHop = 1e-3;
// What a channel over a span whose spare is being lowered costs beyond its
// room: more than any route of spare elsewhere.
constexpr double kShunned = 1e15;

// One scenario as the rerouting sees it.
struct Held {
  std::vector<long long> capacity;  // per link: released and kept channels
  std::vector<int> cheapest;        // per link: its cheapest span, where its spare goes
  std::vector<long long> load;      // per link: the channels its routes carry
  std::vector<pathrestore::Route> routes;
};

// Per span: the spare scenario `h` needs there beyond its capacities.
std::vector<long long> need_of(const Held& h, std::size_t n_span) {
  std::vector<long long> need(n_span, 0);
  for (std::size_t l = 0; l < h.load.size(); ++l) {
    if (h.cheapest[l] < 0) continue;
    long long& on = need[static_cast<std::size_t>(h.cheapest[l])];
    on = std::max(on, h.load[l] - h.capacity[l]);
  }
  return need;
}

long long cost_of(const PathPlanStudy& study, const std::vector<long long>& added) {
  long long cost = 0;
  for (std::size_t k = 0; k < added.size(); ++k) cost += study.cost[k] * added[k];
  return cost;
}

// Per span, the two largest needs over the scenarios and whose the largest
// is: the most every scenario but one needs is then at hand.
struct TopTwo {
  std::vector<long long> first, second;
  std::vector<std::size_t> whose;

  explicit TopTwo(const std::vector<std::vector<long long>>& needs, std::size_t n_span)
      : first(n_span, 0), second(n_span, 0), whose(n_span, needs.size()) {
    for (std::size_t s = 0; s < needs.size(); ++s)
      for (std::size_t k = 0; k < n_span; ++k) {
        const long long v = needs[s][k];
        if (v > first[k] || whose[k] == needs.size()) {
          second[k] = first[k];
          first[k] = v;
          whose[k] = s;
        } else if (v > second[k]) {
          second[k] = v;
        }
      }
  }
  long long without(std::size_t k, std::size_t s) const { return whose[k] == s ? second[k] : first[k]; }
};

// Scenario s's routes taken up and its demands routed again over the room
// that `others` (per span: what the other scenarios need) leaves; the new
// loads and routes in `h`.
// Routes one channel of `demand` over the least-cost route given the room
// left on each link, into `h` (its load and routes) and `room`. A link over
// span `shunned` (-1: none) whose room is used up costs kShunned: that
// span's spare is being lowered.
void route_channel(const PathPlanStudy& study, const pathrestore::Links& g, int from, int to, int shunned,
                   pathrestore::Pricing& pricing, std::vector<double>& price, std::vector<long long>& room, Held& h) {
  for (std::size_t l = 0; l < price.size(); ++l)
    price[l] =
        kHop + (room[l] > 0                ? 0.0
                : h.cheapest[l] == shunned ? kShunned
                                           : static_cast<double>(study.cost[static_cast<std::size_t>(h.cheapest[l])]));
  pricing.from(from, price);
  std::vector<int> nodes = pricing.route_to(to);
  for (std::size_t j = 0; j + 1 < nodes.size(); ++j) {
    const std::size_t l = static_cast<std::size_t>(g.between(nodes[j], nodes[j + 1]));
    --room[l];
    ++h.load[l];
  }
  if (!h.routes.empty() && h.routes.back().nodes == nodes)
    ++h.routes.back().channels;
  else
    h.routes.push_back({std::move(nodes), 1});
}

// Per link of scenario model `m`: its capacity with the spare `others`
// (per span), less the load of `h`.
std::vector<long long> room_of(const ScenarioModel& m, const std::vector<long long>& others, const Held& h) {
  std::vector<long long> room(m.links.links.size());
  for (std::size_t l = 0; l < room.size(); ++l) {
    room[l] = h.capacity[l] - h.load[l];
    for (int k : m.spans_of[l]) room[l] += others[static_cast<std::size_t>(k)];
  }
  return room;
}

// Scenario s's routes taken up and its demands routed again, in `order`,
// over the room that `others` (per span: what the other scenarios need)
// leaves.
void route_again(const PathPlanStudy& study, const ScenarioModel& m, const std::vector<long long>& others,
                 const std::vector<int>& order, Held& h, int shunned = -1) {
  std::fill(h.load.begin(), h.load.end(), 0);
  h.routes.clear();
  std::vector<long long> room = room_of(m, others, h);
  pathrestore::Pricing pricing(m.links, study.max_spans);
  std::vector<double> price(m.links.links.size());
  for (int i : order) {
    const pathrestore::RestorationDemand& demand =
        m.problem.demands[static_cast<std::size_t>(m.demands[static_cast<std::size_t>(i)])];
    for (long long left = demand.affected; left > 0; --left)
      route_channel(study, m.links, demand.from, demand.to, shunned, pricing, price, room, h);
  }
}

// Only the routes of `h` over span `shunned` taken up and routed again,
// around it where the room allows.
void route_around(const PathPlanStudy& study, const ScenarioModel& m, const std::vector<long long>& others, Held& h,
                  int shunned) {
  const int link = m.link_of[static_cast<std::size_t>(shunned)];
  std::vector<pathrestore::Route> moved, kept;
  for (pathrestore::Route& r : h.routes) {
    bool over = false;
    for (std::size_t j = 0; j + 1 < r.nodes.size() && !over; ++j)
      over = m.links.between(r.nodes[j], r.nodes[j + 1]) == link;
    if (!over) {
      kept.push_back(std::move(r));
      continue;
    }
    for (std::size_t j = 0; j + 1 < r.nodes.size(); ++j)
      h.load[static_cast<std::size_t>(m.links.between(r.nodes[j], r.nodes[j + 1]))] -= r.channels;
    moved.push_back(std::move(r));
  }
  h.routes = std::move(kept);
  std::vector<long long> room = room_of(m, others, h);
  pathrestore::Pricing pricing(m.links, study.max_spans);
  std::vector<double> price(m.links.links.size());
  for (const pathrestore::Route& r : moved)
    for (long long left = r.channels; left > 0; --left)
      route_channel(study, m.links, r.nodes.front(), r.nodes.back(), shunned, pricing, price, room, h);
}

}  // namespace

int reroute_plan(const PathPlanStudy& study, const std::vector<ScenarioModel>& models, std::vector<long long>& added,
                 std::vector<std::vector<pathrestore::Route>>& restorations, const std::function<bool()>& stop) {
  const std::size_t n_span = study.cost.size();
  std::vector<Held> held(models.size());
  std::vector<std::vector<long long>> needs(models.size());
  for (std::size_t s = 0; s < models.size(); ++s) {
    const ScenarioModel& m = models[s];
    Held& h = held[s];
    h.capacity.assign(m.links.links.size(), 0);
    h.cheapest.assign(m.links.links.size(), -1);
    h.load.assign(m.links.links.size(), 0);
    for (std::size_t l = 0; l < m.links.links.size(); ++l) {
      h.capacity[l] = m.links.links[l].capacity;
      for (int k : m.spans_of[l]) {
        h.capacity[l] += study.kept[static_cast<std::size_t>(k)];
        if (h.cheapest[l] < 0 ||
            study.cost[static_cast<std::size_t>(k)] < study.cost[static_cast<std::size_t>(h.cheapest[l])])
          h.cheapest[l] = k;
      }
    }
    h.routes = restorations[s];
    for (const pathrestore::Route& r : h.routes)
      for (std::size_t j = 0; j + 1 < r.nodes.size(); ++j)
        h.load[static_cast<std::size_t>(m.links.between(r.nodes[j], r.nodes[j + 1]))] += r.channels;
    needs[s] = need_of(h, n_span);
  }
  const auto spare_of = [&] {
    std::vector<long long> spare(n_span, 0);
    for (const std::vector<long long>& need : needs)
      for (std::size_t k = 0; k < n_span; ++k) spare[k] = std::max(spare[k], need[k]);
    return spare;
  };
  long long cost = cost_of(study, spare_of());
  const long long given = cost_of(study, added);
  std::mt19937 random(1);
  int passes = 0;
  bool stopped = false;
  // Passes and lowerings in turn, until neither lowers the cost.
  for (long long was = -1; cost != was && !stopped;) {
    was = cost;
    for (bool better = true; better && !stopped; ++passes) {
      better = false;
      for (std::size_t s = 0; s < models.size() && !stopped; ++s) {
        if (stop && stop()) {
          stopped = true;
          break;
        }
        const ScenarioModel& m = models[s];
        if (m.demands.empty()) continue;
        const TopTwo top(needs, n_span);
        std::vector<long long> others(n_span);
        for (std::size_t k = 0; k < n_span; ++k) others[k] = top.without(k, s);
        // The demands in a new order each pass: the first routed take the
        // room, the last pay for what is left.
        std::vector<int> order(m.demands.size());
        std::iota(order.begin(), order.end(), 0);
        if (passes > 0) std::shuffle(order.begin(), order.end(), random);
        Held trial = held[s];
        route_again(study, m, others, order, trial);
        std::vector<long long> need = need_of(trial, n_span);
        long long trial_cost = 0;
        for (std::size_t k = 0; k < n_span; ++k) trial_cost += study.cost[k] * std::max(others[k], need[k]);
        if (trial_cost > cost) continue;
        better = better || trial_cost < cost;
        cost = trial_cost;
        held[s] = std::move(trial);
        needs[s] = std::move(need);
      }
    }
    // Then the spans' spare lowered a channel at a time, the dearest first:
    // every scenario that needs all of it routed again around it, over the
    // room the others leave; kept when the plan costs less.
    for (bool lower = true; lower && !stopped;) {
      lower = false;
      std::vector<long long> spare = spare_of();
      std::vector<int> spans(n_span);
      std::iota(spans.begin(), spans.end(), 0);
      std::stable_sort(spans.begin(), spans.end(), [&](int a, int b) {
        return study.cost[static_cast<std::size_t>(a)] * spare[static_cast<std::size_t>(a)] >
               study.cost[static_cast<std::size_t>(b)] * spare[static_cast<std::size_t>(b)];
      });
      for (int k : spans) {
        const std::size_t ku = static_cast<std::size_t>(k);
        if (spare[ku] <= 0) continue;
        if (stop && stop()) {
          stopped = true;
          break;
        }
        const long long target = spare[ku] - 1;
        std::vector<std::size_t> hit;
        for (std::size_t s = 0; s < models.size(); ++s)
          if (needs[s][ku] > target) hit.push_back(s);
        std::vector<Held> was_held;
        std::vector<std::vector<long long>> was_needed;
        for (std::size_t s : hit) {
          was_held.push_back(held[s]);
          was_needed.push_back(needs[s]);
        }
        bool fits = true;
        for (std::size_t s : hit) {
          const TopTwo top(needs, n_span);
          std::vector<long long> others(n_span);
          for (std::size_t j = 0; j < n_span; ++j) others[j] = top.without(j, s);
          others[ku] = std::min(others[ku], target);
          // Its routes over the span moved around it first; failing that,
          // all of its routes.
          route_around(study, models[s], others, held[s], k);
          needs[s] = need_of(held[s], n_span);
          if (needs[s][ku] > target) {
            std::vector<int> order(models[s].demands.size());
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            route_again(study, models[s], others, order, held[s], k);
            needs[s] = need_of(held[s], n_span);
          }
          if (needs[s][ku] > target) {
            fits = false;
            break;
          }
        }
        const long long lowered = fits ? cost_of(study, spare_of()) : cost;
        if (lowered < cost) {
          cost = lowered;
          lower = true;
          spare = spare_of();
          continue;
        }
        for (std::size_t i = 0; i < hit.size(); ++i) {
          held[hit[i]] = std::move(was_held[i]);
          needs[hit[i]] = std::move(was_needed[i]);
        }
      }
    }
  }
  // The plan it began from may have put a link's spare on another of its
  // parallel spans, for less.
  if (cost >= given) return passes;
  added = spare_of();
  for (std::size_t s = 0; s < models.size(); ++s) restorations[s] = std::move(held[s].routes);
  return passes;
}

}  // namespace capplan
