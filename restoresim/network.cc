#include "network.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

#include "text_format.h"
#include "wholefile.h"

namespace restoresim {

namespace {

// Signals' times are sums of these lengths, and the order of equal-looking
// times follows their last bits: this arithmetic stays as it is, so that a
// description gives the same report from one version to the next.
double great_circle_km(const Node& x, const Node& y) {
  const double to_rad = std::numbers::pi / 180.0;
  const double lat1 = x.first * to_rad, lon1 = x.second * to_rad;
  const double lat2 = y.first * to_rad, lon2 = y.second * to_rad;
  const double h = std::sin((lat2 - lat1) / 2) * std::sin((lat2 - lat1) / 2) +
                   std::cos(lat1) * std::cos(lat2) * std::sin((lon2 - lon1) / 2) * std::sin((lon2 - lon1) / 2);
  return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

}  // namespace

Error build_network(const net_description& d, const std::string& file_name, Network& net) {
  net = Network();
  net.file_name = file_name;
  net.keyword = d.keyword;
  const type_mode mode = mode_of_keyword(d.keyword);
  net.version2 = mode != type_mode::unrecognized;
  if (d.keyword == "V_H2wSpanMiles") net.lengths = LengthSource::port_miles;
  else if (d.keyword == "L_L2wSpanKms") net.lengths = LengthSource::port_km;
  else if (d.keyword.rfind("L_L", 0) == 0) net.lengths = LengthSource::great_circle;
  const int count = static_cast<int>(d.netsize);
  net.nodes.resize(static_cast<std::size_t>(count) + 1);
  net.nodes[0].name = "SIM";
  for (int n = 1; n <= count; ++n) {
    const node_entry& e = *recall_list(d.net, n);
    Node& node = net.nodes[n];
    node.name = e.name;
    if (!(e.delay >= 0) || !std::isfinite(e.delay))
      return Error::of(file_name + ": node " + std::to_string(n) + " (" + e.name +
                       "): the message processing delay " + text_printf("%g", e.delay) + " is not a time of 0 or more");
    node.delay_ms = e.delay;
    node.repeat_limit = e.repeat_limit > 0 ? e.repeat_limit : 0;
    node.first = e.first_coordinate;
    node.second = e.second_coordinate;
  }
  // Spans from their lower-numbered ends; the higher end's ports to the same
  // node are paired with them in order.
  std::map<std::pair<int, int>, std::vector<int>> by_pair;
  for (int n = 1; n <= count; ++n) {
    const node_entry& e = *recall_list(d.net, n);
    for (std::size_t k = 0; k < e.ports.size(); ++k) {
      const port_entry& p = e.ports.at(k);
      if (p.other_end <= n || p.other_end > count) continue;
      Span s;
      s.a = n;
      s.b = p.other_end;
      s.working = std::max(0, p.working);
      s.spare = std::max(0, p.spare);
      if (net.lengths == LengthSource::port_miles) s.km = p.span_length * kKmPerMile;
      else if (net.lengths == LengthSource::port_km) s.km = p.span_length;
      else if (net.lengths == LengthSource::great_circle) s.km = great_circle_km(net.nodes[s.a], net.nodes[s.b]);
      if (s.km < 0 || !std::isfinite(s.km)) s.km = 0;
      s.prop_ms = s.km * kMsPerKm;
      by_pair[{s.a, s.b}].push_back(static_cast<int>(net.spans.size()));
      net.spans.push_back(s);
    }
  }
  std::map<std::pair<int, int>, std::size_t> used;
  for (int n = 1; n <= count; ++n) {
    const node_entry& e = *recall_list(d.net, n);
    for (std::size_t k = 0; k < e.ports.size(); ++k) {
      const int m = e.ports.at(k).other_end;
      if (m < 1 || m > count || m == n) continue;
      const std::pair<int, int> key{std::min(n, m), std::max(n, m)};
      auto it = by_pair.find(key);
      if (it == by_pair.end()) continue;
      std::size_t& next = used[{n, m}];
      if (next < it->second.size()) net.nodes[n].spans.push_back(it->second[next++]);
    }
  }
  if (net.version2) {
    std::map<std::string, int> by_name;
    for (int n = 1; n <= count; ++n) by_name.emplace(net.nodes[n].name, n);
    by_name.emplace("SIM", 0);
    for (const path_line& line : d.paths) {
      WorkingPath path;
      path.number = line.number;
      path.line = line.line;
      for (const std::string& name : line.names) {
        auto it = by_name.find(name);
        if (it == by_name.end())
          return Error::at(file_name, line.line, "path " + std::to_string(line.number) + " names no node \"" + name + "\"");
        path.nodes.push_back(it->second);
      }
      net.paths.push_back(std::move(path));
    }
  }
  return Error();
}

Error load_network(const std::string& file_name, Network& net) {
  const std::optional<std::string> text = read_whole_file(file_name);
  if (!text) return Error::of("can not open " + file_name);
  const net_read read = read_net_any(*text, file_name);
  if (read.error) return read.error;
  return build_network(read.description, file_name, net);
}

int span_between(const Network& net, int x, int y) {
  const int lo = std::min(x, y), hi = std::max(x, y);
  for (int s : net.nodes[lo].spans)
    if (net.spans[s].a == lo && net.spans[s].b == hi) return s;
  return -1;
}

}  // namespace restoresim
