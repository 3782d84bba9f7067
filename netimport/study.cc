#include "study.h"

#include <climits>
#include <cmath>
#include <filesystem>

#include "netdata.h"
#include "node_list.h"
#include "path_list.h"
#include "span_list.h"
#include "text_format.h"
#include "textio.h"
#include "version.h"
#include "wholefile.h"

using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::format_netdata;
using studyfiles::format_node_list;

namespace {

const char* const kFileNames[] = {"nodes.txt", "net.dat", "paths.txt", "spans.txt", "import.txt"};

const char* cost_name(CostKind cost) {
  switch (cost) {
    case CostKind::kKm: return "km, rounded, at least 1";
    case CostKind::kMiles: return "miles, rounded, at least 1";
    case CostKind::kHops: return "hops: 1 a span";
    case CostKind::kUnit: return "unit: 1 a span";
  }
  return "";
}

long long cost_of(const StudySpan& s, CostKind cost) {
  switch (cost) {
    case CostKind::kKm: return std::max(1LL, std::llround(s.km));
    case CostKind::kMiles: return std::max(1LL, std::llround(s.km / kKmPerMile));
    case CostKind::kHops:
    case CostKind::kUnit: return 1;
  }
  return 1;
}

// Which demand the network gets, and why; an error for a choice it cannot have.
Error choose_demand(const RawNetwork& raw, const StudyOptions& options, DemandModel& model, std::vector<std::string>& notes) {
  if (raw.has_working) {
    if (options.demand || options.channels)
      return Error::of(raw.link_file + ": the working column gives the working channels; --demand and --channels do not apply");
    return Error();
  }
  if (options.demand) {
    model = *options.demand;
    if (model == DemandModel::kFile && !raw.has_demands)
      return Error::of(raw.file + ": --demand file needs a file with demands (SNDlib's DEMANDS section)");
    return Error();
  }
  model = raw.has_demands && !raw.demands.empty() ? DemandModel::kFile : DemandModel::kUniform;
  if (raw.has_demands && raw.demands.empty())
    notes.push_back(raw.file + ": the DEMANDS section is empty: uniform demand instead");
  return Error();
}

std::string counts_line(const char* what, const std::vector<long long>& values) {
  long long total = 0;
  long long largest = 0;
  for (long long v : values) {
    total += v;
    largest = std::max(largest, v);
  }
  return text_printf("%s: %lld channels in all, at most %lld on a span", what, total, largest);
}

}  // namespace

Error make_study(const RawNetwork& raw, const StudyOptions& options, StudyTexts& out) {
  TidyNetwork net;
  if (Error e = tidy(raw, net)) return e;
  std::vector<std::string> notes = raw.notes;
  notes.insert(notes.end(), net.notes.begin(), net.notes.end());

  DemandModel model = DemandModel::kUniform;
  if (Error e = choose_demand(raw, options, model, notes)) return e;
  const Routing routing = raw.has_working ? working_as_given(net) : route_demands(net, model, options.channels);
  if (routing.pairs_apart > 0)
    notes.push_back(text_printf("%s: %d components: %lld pairs in different components get no demand", raw.file.c_str(),
                                routing.components, routing.pairs_apart));

  std::vector<long long> spare(net.spans.size());
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const double s = std::ceil(options.spare_ratio * static_cast<double>(routing.working[k]));
    if (routing.working[k] > INT_MAX || s > INT_MAX || cost_of(net.spans[k], options.cost) > INT_MAX)
      return Error::of(text_printf("%s: span %s-%s would carry %lld working and %.0f spare channels, more than a netdata file holds",
                                   raw.file.c_str(), net.nodes[net.spans[k].a].name.c_str(),
                                   net.nodes[net.spans[k].b].name.c_str(), routing.working[k], s));
    spare[k] = static_cast<long long>(s);
  }

  // What routeweave and linkweave cannot take: they say so when they read
  // it, and so does the account.
  const std::size_t n = net.nodes.size();
  if (n > static_cast<std::size_t>(netrestore::kLargestNodeNumber))
    notes.push_back(text_printf("%s: %zu nodes: routeweave and linkweave read at most %d, so they refuse paths.txt and spans.txt",
                                raw.file.c_str(), n, netrestore::kLargestNodeNumber));
  std::vector<std::size_t> degree(n);
  for (const StudySpan& s : net.spans) {
    ++degree[s.a];
    ++degree[s.b];
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (degree[i] > netrestore::kMaxSpansPerNode)
      notes.push_back(text_printf("%s: node %s has %zu spans: routeweave and linkweave take at most %zu at a node",
                                  raw.file.c_str(), net.nodes[i].name.c_str(), degree[i], netrestore::kMaxSpansPerNode));
  }

  NodeList list;
  for (const StudyNode& node : net.nodes) list.nodes.push_back({node.name, node.longitude, node.latitude, true});
  out.nodes = format_node_list("nodes of " + raw.file + " (netimport)", list);

  Netdata data;
  data.bidirectional = true;
  data.n_node = static_cast<int>(n);
  std::vector<netrestore::SpanLine> span_lines;
  for (std::size_t k = 0; k < net.spans.size(); ++k) {
    const StudySpan& s = net.spans[k];
    const int cost = static_cast<int>(cost_of(s, options.cost));
    const int w = static_cast<int>(routing.working[k]);
    const int sp = static_cast<int>(spare[k]);
    const int number = static_cast<int>(data.edges.size()) + 1;
    data.edges.push_back({number, s.a + 1, s.b + 1, cost, sp, w, 0});
    data.edges.push_back({number + 1, s.b + 1, s.a + 1, cost, sp, w, 0});
    netrestore::SpanLine line;
    line.a = net.nodes[s.a].name;
    line.b = net.nodes[s.b].name;
    line.working = w;
    line.spare = sp;
    line.miles = s.km / kKmPerMile;
    span_lines.push_back(std::move(line));
  }
  out.netdata = format_netdata(data);
  out.spans = netrestore::format_span_list("spans of " + raw.file + " (netimport)", span_lines);

  out.paths = "paths of " + raw.file + " (netimport): one line per working channel\n";
  for (const RoutedPair& p : routing.pairs) {
    std::vector<const std::string*> names;
    for (int v : p.nodes) names.push_back(&net.nodes[v].name);
    const std::string line = netrestore::path_line(names);
    for (long long c = 0; c < p.channels; ++c) out.paths += line;
  }

  // The account.
  std::string& a = out.account;
  a = text_printf("netimport of %s (%s)", raw.file.c_str(), raw.form.c_str());
  if (raw.link_file != raw.file) a += " and " + raw.link_file;
  a += "\n" + written_by("netimport") + "\n";
  a += text_printf("nodes: %zu read, %zu kept, %d placed amid their neighbours, %d left out, %d renamed\n",
                   raw.nodes.size(), n, net.nodes_placed, net.nodes_left_out, net.renamed);
  a += text_printf("links: %zu read, %zu spans, %d self-loops left out, %d parallel links merged\n", raw.links.size(),
                   net.spans.size(), net.self_loops, net.parallel_links);
  a += text_printf("components: %d\n", routing.components);
  if (raw.has_working) {
    a += "demand: none; the working channels as " + raw.link_file + " gives them, one one-span path per channel\n";
  } else {
    a += text_printf("demand: %s, %zu pairs, %lld channels", demand_model_name(model), routing.pairs.size(), routing.channels);
    if (options.channels) a += text_printf(" (scaled to about %lld, each pair rounded, at least 1)", *options.channels);
    a += "; routed on shortest paths by great-circle length, ties to fewer spans, then lower node numbers\n";
  }
  a += counts_line("working", routing.working) + "\n";
  a += counts_line("spare", spare) + text_printf(" (ratio %g, rounded up)\n", options.spare_ratio);
  a += std::string("cost: ") + cost_name(options.cost) + "\n";
  a += "files: nodes.txt net.dat paths.txt spans.txt import.txt\n";
  a += text_printf("notes: %zu\n", notes.size());
  for (const std::string& note : notes) a += note + "\n";
  out.notes = std::move(notes);

  long long working = 0;
  for (long long w : routing.working) working += w;
  out.summary = text_printf("%zu nodes, %zu spans, %lld working channels", n, net.spans.size(), working);
  return Error();
}

Error write_study(const std::string& folder, const std::vector<std::string>& inputs, bool force, const StudyTexts& texts) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) return Error::of(folder + ": not a folder");
  for (const char* name : kFileNames) {
    const std::string path = (fs::path(folder) / name).string();
    for (const std::string& input : inputs) {
      if (same_file(input, path)) return Error::of(path + " is an input: it is never written");
    }
    if (!force && fs::exists(path, ec)) return Error::of(path + " exists: give --force to write over it");
  }
  fs::create_directories(folder, ec);
  if (ec) return Error::of("can not create the folder " + folder);
  const std::string* contents[] = {&texts.nodes, &texts.netdata, &texts.paths, &texts.spans, &texts.account};
  for (std::size_t k = 0; k < std::size(kFileNames); ++k) {
    if (Error e = write_text_file((fs::path(folder) / kFileNames[k]).string(), *contents[k])) return e;
  }
  return Error();
}
