// What a run writes: the cut report on standard output and the row of the
// running result table.
#include "experiment_table.h"
#include "restoresim.h"
#include "text_format.h"
#include "version.h"

namespace restoresim {

const char* method_title(Method m) {
  switch (m) {
    case Method::vetrun: return "single-ended flooding restoration";
    case Method::kimber: return "double-ended flooding restoration";
    case Method::ospel: return "restoration over preplanned successively shortest routes";
    case Method::dunvar: return "end-to-end path restoration";
  }
  return "";
}

namespace {

std::string lengths_text(LengthSource s) {
  switch (s) {
    case LengthSource::port_miles: return text_printf("from the port lines, in miles (%.6f km each)", kKmPerMile);
    case LengthSource::port_km: return "from the port lines, in km";
    case LengthSource::great_circle: return "great circle between the nodes' latitude and longitude";
    case LengthSource::none: return "none in the description: every span counts 0 km, no propagation delay";
  }
  return "";
}

// "1 span", "2 spans"
std::string count_text(long long n, const char* noun) { return text_printf("%lld %s%s", n, noun, n == 1 ? "" : "s"); }

std::string route_text(const Network& net, const std::vector<int>& nodes) {
  std::string text;
  for (int n : nodes) {
    if (!text.empty()) text += ' ';
    text += net.nodes[n].name;
  }
  return text;
}

}  // namespace

std::string format_report(Method method, const Network& net, const Cut& cut, const Options& options,
                          const RunResult& r) {
  const Span& span = net.spans[cut.span];
  const int s = cut.sender(), t = cut.chooser();
  std::string out;
  out += text_printf("%s: %s\n", method_name(method), method_title(method));
  out += written_by(method_name(method)) + "\n";
  out += text_printf("network: %s (%s, version %d, %s, %s)\n", net.file_name.c_str(), net.keyword.c_str(),
                     net.version2 ? 2 : 1, count_text(net.node_count(), "node").c_str(),
                     count_text(static_cast<long long>(net.spans.size()), "span").c_str());
  out += text_printf("cut span: %s-%s (%s %d - %s %d), %d working, %d spare, %.3f km\n", cut.from_word.c_str(),
                     cut.to_word.c_str(), net.nodes[cut.from].name.c_str(), cut.from, net.nodes[cut.to].name.c_str(),
                     cut.to, span.working, span.spare, span.km);
  out += text_printf("ends: sender %s (%d), chooser %s (%d)\n", net.nodes[s].name.c_str(), s, net.nodes[t].name.c_str(), t);
  const int limit = net.nodes[s].repeat_limit;
  out += limit > 0 ? "repeat limit: " + count_text(limit, "span") + "\n" : std::string("repeat limit: none\n");
  out += options.delay_ms >= 0 ? text_printf("processing delay: %.3f ms at every node\n", options.delay_ms)
                               : std::string("processing delay: each node's own, from its node line\n");
  out += text_printf("failure detection: %.3f ms\ncross-connect: %.3f ms\n", options.detection_ms, options.crossconnect_ms);
  out += text_printf("propagation: %.1f us per km\nspan lengths: %s\n", kMsPerKm * 1000, lengths_text(net.lengths).c_str());
  if (method == Method::dunvar) {
    out += text_printf("working paths across the cut: %zu\n", r.affected.size());
    out += "    path    from      to  spans  attempts  restored\n";
    bool farther = false;
    for (const AffectedPath& p : r.affected) {
      out += text_printf("%8lld %7s %7s %6d %9d  %s\n", p.number, net.nodes[p.from].name.c_str(),
                         net.nodes[p.to].name.c_str(), p.hops, p.attempts, p.restored ? "yes" : "no");
      if (p.hops > 1) farther = true;
    }
    if (farther)
      out += "note: paths restored between farther ends than the cut span's may exceed the span's bound\n";
  }
  out += text_printf("restoration paths: %zu\n", r.paths.size());
  out += "channels  spans         km          ms  route\n";
  for (const RestorationPath& p : r.paths)
    out += text_printf("%8d %6zu %10.3f %11.3f  %s\n", p.channels, p.spans.size(), p.km, p.completion_ms,
                       route_text(net, p.nodes).c_str());
  out += "summary\n";
  out += text_printf("working channels lost:       %d\n", r.lost);
  out += text_printf("channels restored:           %d\n", r.restored);
  out += text_printf("restoration ratio:           %.4f\n", r.lost > 0 ? static_cast<double>(r.restored) / r.lost : 1.0);
  out += text_printf("bound (spare max flow):      %d\n", r.bound);
  out += text_printf("successively shortest routes: %d, carrying %s\n", r.routes,
                     count_text(r.route_channels, "channel").c_str());
  out += text_printf("first path restored:         %.3f ms\n", r.first_ms);
  out += text_printf("last path restored:          %.3f ms\n", r.last_ms);
  out += text_printf("messages sent:               %lld\n", r.messages);
  out += text_printf("spare channel-spans used:    %lld\n", r.channel_spans);
  return out;
}

std::string format_row(const Cut& cut, const RunResult& r) {
  studyfiles::ExperimentRow row;
  row.from = cut.from_word;
  row.to = cut.to_word;
  row.lost = r.lost;
  row.restored = r.restored;
  row.bound = r.bound;
  row.last_ms = r.last_ms;
  row.first_ms = r.first_ms;
  row.routes = r.routes;
  row.messages = r.messages;
  row.channel_spans = r.channel_spans;
  row.paths = static_cast<int>(r.paths.size());
  return studyfiles::format_experiment_row(row);
}

}  // namespace restoresim
