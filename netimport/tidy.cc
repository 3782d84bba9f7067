#include "tidy.h"

#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "distance.h"
#include "text_format.h"
#include "words.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees) { return degrees * kPi / 180.0; }

// The mean position of points on the sphere: the mean of their unit vectors,
// so that neighbours on both sides of the 180th meridian average near it.
std::pair<double, double> mean_position(const std::vector<const RawNode*>& points) {
  double x = 0, y = 0, z = 0;
  for (const RawNode* p : points) {
    x += std::cos(radians(p->latitude)) * std::cos(radians(p->longitude));
    y += std::cos(radians(p->latitude)) * std::sin(radians(p->longitude));
    z += std::sin(radians(p->latitude));
  }
  const double r = std::sqrt(x * x + y * y + z * z);
  if (r < 1e-9) return {points[0]->latitude, points[0]->longitude};  // antipodes: no mean
  return {std::asin(z / r) * 180.0 / kPi, std::atan2(y, x) * 180.0 / kPi};
}

std::string quoted_label(const RawNode& n) { return n.label.empty() ? "(no label)" : "\"" + shown(n.label) + "\""; }

// Node i gets a name that no node before it has.
std::string unique_name(const std::string& base, std::set<std::string>& taken) {
  if (taken.insert(base).second) return base;
  for (int k = 2;; ++k) {
    const std::string suffix = "_" + std::to_string(k);
    const std::string name = base.substr(0, kLongestName - suffix.size()) + suffix;
    if (taken.insert(name).second) return name;
  }
}

}  // namespace

double great_circle_km(double lat1, double lon1, double lat2, double lon2) {
  const double dlat = radians(lat2 - lat1);
  const double dlon = radians(lon2 - lon1);
  const double h = std::sin(dlat / 2) * std::sin(dlat / 2) +
                   std::cos(radians(lat1)) * std::cos(radians(lat2)) * std::sin(dlon / 2) * std::sin(dlon / 2);
  return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

std::string word_of(std::string_view label) {
  std::string word;
  for (char c : label) {
    const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (kept) {
      word += c;
    } else if (!word.empty() && word.back() != '_') {
      word += '_';
    }
    if (word.size() > kLongestName) break;
  }
  word = word.substr(0, kLongestName);
  while (!word.empty() && word.back() == '_') word.pop_back();
  return word;
}

Error tidy(const RawNetwork& raw, TidyNetwork& out) {
  const std::string& nf = raw.file;
  const std::string& lf = raw.link_file;
  const int n_raw = static_cast<int>(raw.nodes.size());

  // Self-loops first: they neither join nor place anything.
  std::vector<const RawLink*> links;
  std::vector<std::vector<int>> neighbours(n_raw);
  for (const RawLink& l : raw.links) {
    if (l.a == l.b) {
      ++out.self_loops;
      out.notes.push_back(text_printf("%s:%d: link from %s to itself left out", lf.c_str(), l.line,
                                      quoted_label(raw.nodes[l.a]).c_str()));
      continue;
    }
    links.push_back(&l);
    neighbours[l.a].push_back(l.b);
    neighbours[l.b].push_back(l.a);
  }

  // Coordinates: a node without them takes the mean position of the
  // neighbours that the file locates, or is left out.
  std::vector<int> index(n_raw, -1);
  std::set<std::string> taken;
  for (int i = 0; i < n_raw; ++i) {
    const RawNode& n = raw.nodes[i];
    StudyNode s{std::string(), n.latitude, n.longitude};
    if (!n.located) {
      std::vector<const RawNode*> located;
      std::string names;
      std::set<int> seen;
      for (int j : neighbours[i]) {
        if (raw.nodes[j].located && seen.insert(j).second) {
          located.push_back(&raw.nodes[j]);
          names += (names.empty() ? "" : ", ") + quoted_label(raw.nodes[j]);
        }
      }
      if (located.empty()) {
        ++out.nodes_left_out;
        out.notes.push_back(text_printf("%s:%d: node %s has no coordinates and no located neighbour: left out with its %zu links",
                                        nf.c_str(), n.line, quoted_label(n).c_str(), neighbours[i].size()));
        continue;
      }
      std::tie(s.latitude, s.longitude) = mean_position(located);
      ++out.nodes_placed;
      out.notes.push_back(text_printf("%s:%d: node %s has no coordinates: placed at %.4f %.4f (latitude longitude), amid %s",
                                      nf.c_str(), n.line, quoted_label(n).c_str(), s.latitude, s.longitude, names.c_str()));
    }
    std::string base = word_of(n.label);
    if (base.empty()) base = word_of(n.key);
    if (base.empty()) base = "node";
    s.name = unique_name(base, taken);
    if (s.name != n.label) {
      ++out.renamed;
      out.notes.push_back(text_printf("%s:%d: node %s is named %s", nf.c_str(), n.line, quoted_label(n).c_str(), s.name.c_str()));
    }
    index[i] = static_cast<int>(out.nodes.size());
    out.nodes.push_back(std::move(s));
  }

  // Spans: the links between kept nodes, those between one pair made one.
  std::map<std::pair<int, int>, int> span_of;
  for (const RawLink* l : links) {
    const int x = index[l->a];
    const int y = index[l->b];
    if (x < 0 || y < 0) continue;
    const int a = std::min(x, y);
    const int b = std::max(x, y);
    double km = l->km ? *l->km
                      : great_circle_km(out.nodes[a].latitude, out.nodes[a].longitude, out.nodes[b].latitude,
                                        out.nodes[b].longitude);
    const auto [at, added] = span_of.emplace(std::make_pair(a, b), static_cast<int>(out.spans.size()));
    if (added) {
      out.spans.push_back(StudySpan{a, b, km, std::llround(km * 1000.0), l->working});
      continue;
    }
    StudySpan& span = out.spans[at->second];
    ++out.parallel_links;
    std::string what = "one span with the link before it between " + out.nodes[a].name + " and " + out.nodes[b].name;
    if (km < span.km) {
      span.km = km;
      span.metres = std::llround(km * 1000.0);
    }
    if (span.working && l->working) {
      *span.working += *l->working;
      what += " (the shorter length, the working channels added up)";
    }
    out.notes.push_back(text_printf("%s:%d: parallel link: %s", lf.c_str(), l->line, what.c_str()));
  }

  // Demands between kept nodes, one per pair.
  std::map<std::pair<int, int>, double> demand;
  for (const RawDemand& d : raw.demands) {
    const int x = index[d.a];
    const int y = index[d.b];
    if (x < 0 || y < 0 || x == y) {
      out.notes.push_back(text_printf("%s:%d: demand left out: %s", lf.c_str(), d.line,
                                      x == y && x >= 0 ? "both ends are one node" : "an end was left out"));
      continue;
    }
    const auto pair = std::make_pair(std::min(x, y), std::max(x, y));
    if (demand.count(pair))
      out.notes.push_back(text_printf("%s:%d: a second demand between %s and %s: the two added up", lf.c_str(), d.line,
                                      out.nodes[pair.first].name.c_str(), out.nodes[pair.second].name.c_str()));
    demand[pair] += d.value;
  }
  for (const auto& [pair, value] : demand) out.demands.push_back({pair.first, pair.second, value});

  if (out.nodes.size() < 2 || out.spans.empty())
    return Error::of(text_printf("%s: no network of two nodes joined by a span (%d nodes and %zu links read; %zu nodes and %zu spans left)",
                                 nf.c_str(), n_raw, raw.links.size(), out.nodes.size(), out.spans.size()));
  return Error();
}
