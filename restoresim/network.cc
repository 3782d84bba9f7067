#include "network.h"

#include <cmath>
#include <map>
#include <optional>

#include "scanner.h"
#include "text_format.h"
#include "wholefile.h"

namespace restoresim {

namespace {

// The node a word names: a node's name, else a number from 1 to the node count.
int node_of_word(const Network& net, const std::map<std::string, int>& by_name, const std::string& word) {
  if (auto it = by_name.find(word); it != by_name.end()) return it->second;
  FieldScanner f(word);
  const std::optional<long long> n = f.next_whole_word(32);
  if (n && *n >= 1 && *n <= net.node_count()) return static_cast<int>(*n);
  return 0;
}

std::map<std::string, int> names_of(const Network& net) {
  std::map<std::string, int> by_name;
  for (int n = 1; n <= net.node_count(); ++n) by_name.emplace(net.nodes[n].name, n);
  return by_name;
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
      else if (net.lengths == LengthSource::great_circle) s.km = great_circle_km(net.nodes[s.a].first, net.nodes[s.a].second, net.nodes[s.b].first, net.nodes[s.b].second);
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
    std::map<std::string, int> by_name = names_of(net);
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

namespace {

std::optional<double> nonnegative_ms(const std::string& text) {
  FieldScanner f(text);
  const std::optional<double> v = f.next_decimal_word();
  if (!v || !f.nothing_left() || !(*v >= 0) || !std::isfinite(*v)) return std::nullopt;
  return v;
}

std::optional<int> nonnegative_int(const std::string& text) {
  FieldScanner f(text);
  const std::optional<long long> v = f.next_whole_word(32);
  if (!v || !f.nothing_left() || *v < 0) return std::nullopt;
  return static_cast<int>(*v);
}

}  // namespace

Error parse_command_line(const std::vector<std::string>& args, CommandLine& line) {
  bool have_file = false, have_cut = false;
  for (const std::string& word : args) {
    // An option is '/', a name and '='; any other word, such as the
    // absolute path /home/net.rst, is the file name.
    const std::size_t equals = word.find('=');
    const bool option = !word.empty() && word[0] == '/' && equals != std::string::npos &&
                        word.find('/', 1) > equals;
    if (!option) {
      if (have_file) return Error::of("one netrestore file only: \"" + word + "\"");
      line.file_name = word;
      have_file = true;
      continue;
    }
    const std::string key = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    const auto bad_value = [&](const char* what) {
      return Error::of("option \"" + word + "\": expected " + what);
    };
    if (key == "/b") {
      if (value.empty()) return bad_value("the two end nodes of a span, joined by '-'");
      line.cut_word = value;
      have_cut = true;
    } else if (key == "/r") {
      const std::optional<int> v = nonnegative_int(value);
      if (!v) return bad_value("a whole number of spans, 0 for no limit");
      line.options.repeat_limit = *v;
    } else if (key == "/t") {
      const std::optional<int> v = nonnegative_int(value);
      if (!v) return bad_value("a whole number of attempts");
      line.options.retries = *v;
    } else if (key == "/d" || key == "/x" || key == "/p") {
      const std::optional<double> v = nonnegative_ms(value);
      if (!v) return bad_value("a time in ms, 0 or more");
      (key == "/d" ? line.options.detection_ms : key == "/x" ? line.options.crossconnect_ms : line.options.delay_ms) = *v;
    } else {
      return Error::of("unknown option \"" + word + "\"");
    }
  }
  if (!have_file) return Error::of("no netrestore file named");
  if (!have_cut) return Error::of("no span to break: expected /b=X-Y");
  return Error();
}

void apply_options(const Options& options, Network& net) {
  for (int n = 1; n <= net.node_count(); ++n) {
    if (options.repeat_limit >= 0) net.nodes[n].repeat_limit = options.repeat_limit;
    if (options.delay_ms >= 0) net.nodes[n].delay_ms = options.delay_ms;
  }
}

int Cut::sender() const { return std::min(from, to); }
int Cut::chooser() const { return std::max(from, to); }

int span_between(const Network& net, int x, int y) {
  const int lo = std::min(x, y), hi = std::max(x, y);
  for (int s : net.nodes[lo].spans)
    if (net.spans[s].a == lo && net.spans[s].b == hi) return s;
  return -1;
}

Error resolve_cut(const Network& net, const std::string& word, Cut& cut) {
  const std::map<std::string, int> by_name = names_of(net);
  int found = 0;
  for (std::size_t dash = word.find('-'); dash != std::string::npos; dash = word.find('-', dash + 1)) {
    const std::string x = word.substr(0, dash), y = word.substr(dash + 1);
    const int nx = node_of_word(net, by_name, x), ny = node_of_word(net, by_name, y);
    if (nx == 0 || ny == 0) continue;
    if (++found > 1) return Error::of("/b=" + word + ": ambiguous, more than one split at '-' names two nodes");
    cut.from = nx;
    cut.to = ny;
    cut.from_word = x;
    cut.to_word = y;
  }
  if (found == 0) {
    if (word.find('-') == std::string::npos) return Error::of("/b=" + word + ": expected two end nodes joined by '-'");
    // halvane's scripts cut the ports to node 0 too, which are no spans here.
    for (std::size_t dash = word.find('-'); dash != std::string::npos; dash = word.find('-', dash + 1)) {
      const std::string x = word.substr(0, dash), y = word.substr(dash + 1);
      if ((x == "SIM" && node_of_word(net, by_name, y) != 0) || (y == "SIM" && node_of_word(net, by_name, x) != 0))
        return Error::of("/b=" + word + ": SIM, node 0, is no node of the simulated network; its ports are no spans");
    }
    return Error::of("/b=" + word + ": names no two nodes of " + net.file_name);
  }
  if (cut.from == cut.to) return Error::of("/b=" + word + ": names the same node twice");
  cut.span = span_between(net, cut.from, cut.to);
  if (cut.span < 0)
    return Error::of("/b=" + word + ": no span between " + net.nodes[cut.from].name + " and " + net.nodes[cut.to].name);
  return Error();
}

}  // namespace restoresim
