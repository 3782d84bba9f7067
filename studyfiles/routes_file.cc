#include "routes_file.h"

#include <optional>

#include "scanner.h"
#include "text_format.h"

namespace studyfiles {

namespace {

constexpr const char* kTitle = "# restoration routes: kind name channels nodes, one line per route\n";

}  // namespace

std::string format_routes_header(const RoutesHeader& h) {
  std::string text = kTitle;
  text += "# written by " + h.writer + "\n";
  text += "# nodes " + h.nodes_file + "\n";
  text += "# netdata " + h.netdata_file + "\n";
  text += "# paths " + h.paths_file + "\n";
  text += h.stub_release ? "# stub-release yes\n" : "# stub-release no\n";
  text += h.max_spans > 0 ? text_printf("# max-spans %d\n", h.max_spans) : "# max-spans none\n";
  return text;
}

std::string format_route_line(const RouteLine& route) {
  // Names joined as they stand, not through a format: a name is any word.
  std::string text = route.kind + " " + route.name + text_printf(" %lld", route.channels);
  for (const std::string& node : route.nodes) text += " " + node;
  return text + "\n";
}

Error read_routes_file(std::string_view text, const std::string& file, RoutesFile& out) {
  out = RoutesFile{};
  const std::vector<std::string_view> lines = lines_as_read(text);
  if (lines.empty() || lines[0] != kTitle) return Error::at(file, 1, "not a routes file: no title line");
  std::size_t next = 1;
  auto header = [&](std::string_view prefix, std::string& value) {
    if (next >= lines.size()) return false;
    // Carriage returns at the end are line-end debris, never part of a name.
    std::string_view l = without_line_end(lines[next]);
    while (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    if (l.substr(0, prefix.size()) != prefix || l.size() == prefix.size()) return false;
    value = std::string(l.substr(prefix.size()));
    ++next;
    return true;
  };
  RoutesHeader& h = out.header;
  std::string stub, spans;
  const std::pair<const char*, std::string*> fields[] = {{"# written by ", &h.writer}, {"# nodes ", &h.nodes_file},
                                                         {"# netdata ", &h.netdata_file}, {"# paths ", &h.paths_file},
                                                         {"# stub-release ", &stub}, {"# max-spans ", &spans}};
  for (const auto& [prefix, value] : fields)
    if (!header(prefix, *value))
      return Error::at(file, static_cast<int>(next) + 1, std::string("expected the line '") + prefix + "...' of the header");
  if (stub != "yes" && stub != "no") return Error::at(file, 6, "the stub-release line says yes or no");
  h.stub_release = stub == "yes";
  if (spans != "none") {
    FieldScanner f(spans, 7);
    const std::optional<long long> n = f.next_whole_word(32);
    if (!n || *n < 1 || !f.at_end()) return Error::at(file, 7, "the max-spans line gives none or a number above 0");
    h.max_spans = static_cast<int>(*n);
  }
  for (; next < lines.size(); ++next) {
    const int at = static_cast<int>(next) + 1;
    FieldScanner f(lines[next], at);
    RouteLine r;
    r.line = at;
    r.kind = f.next_word().value_or("");
    if (r.kind != "span" && r.kind != "node" && r.kind != "group")
      return Error::at(file, at, "expected a route: span, node or group, then its name");
    std::optional<std::string> name = f.next_word();
    if (!name) return Error::at(file, at, "expected the scenario's name");
    r.name = *name;
    const std::optional<long long> channels = f.next_whole_word(64);
    if (!channels || *channels < 1) return Error::at(file, at, "expected the channels of the route, a whole number above 0");
    r.channels = *channels;
    while (std::optional<std::string> node = f.next_word()) r.nodes.push_back(std::move(*node));
    if (r.nodes.size() < 2) return Error::at(file, at, "a route names at least two nodes");
    out.routes.push_back(std::move(r));
  }
  return {};
}

}  // namespace studyfiles
