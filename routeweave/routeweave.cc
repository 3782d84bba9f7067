#include "routeweave.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "node_table.h"
#include "outputs.h"
#include "path_list.h"
#include "shell.h"
#include "writer.h"
#include "wholefile.h"

namespace {

constexpr int kStatusSyntax = 1;
constexpr int kStatusPathFile = 4;
constexpr int kStatusSpans = 1;  // a node with more spans than its record holds

struct Arguments {
  std::string nodefile;
  std::string pathfile;
  std::string netrestoreFile;
  std::string msgProcessingDelay;
  std::string spanSpareRatio;
};

class RouteweaveFormat : public netrestore::NetrestoreFormat {
 public:
  RouteweaveFormat(const netrestore::Network& net, const Arguments& args, int noOfPaths)
      : net_(net), args_(args), noOfPaths_(noOfPaths), delay_(netrestore::number_from_text(args.msgProcessingDelay)) {}

  const char* type_keyword() const override { return "V_H2"; }
  int equals_signs() const override { return 41; }

  void write_node_line(std::FILE* out, int i) const override {
    const netrestore::Node& n = net_.node[i];
    const long long working = net_.working_total(i);
    const long long spare = net_.spare_total(i);
    std::fprintf(out, "%s %d %3.2f 0 %d %d %lld %lld %lld %lld %d\n", n.name.c_str(), static_cast<int>(n.spans.size()),
                 delay_, netrestore::cut_coordinate(n.v), netrestore::cut_coordinate(n.h), working, spare, net_.I[i],
                 working + spare + net_.I[i], i);
  }

  void write_port_line(std::FILE* out, const netrestore::SpanEntry& span, int here, bool companion) const override {
    const int other = span.other_end(here);
    const long long w = net_.W.at(span.lower, span.higher);
    const long long s = net_.S.at(span.lower, span.higher);
    if (companion)
      std::fprintf(out, "    %s 1 %lld %lld\n", net_.node[other].name.c_str(), w, s);
    else
      std::fprintf(out, "    %d 1 %lld %lld\n", other, w, s);
  }

  void write_run_line(std::FILE* script, const netrestore::SpanEntry& span) const override {
    std::fprintf(script, "vetrun %s /b=%d-%d > %d-%dcut.l\n", path_word(args_.netrestoreFile).c_str(), span.lower,
                 span.higher, span.lower, span.higher);
  }

  // The path list is read again, and each path written by its node names.
  int write_path_section(std::FILE* out, bool companion) const override {
    std::fprintf(out, "%d\n", noOfPaths_);
    const std::optional<std::string> text = read_whole_file(args_.pathfile);
    if (!text) return netrestore::cannot_open(args_.pathfile, kStatusPathFile);
    const netrestore::PathList paths = netrestore::parse_path_list(*text);
    if (!companion) std::printf("line 1: path file name is %s\n", paths.title.c_str());
    int k = 0;
    for (const netrestore::PathLine& line : paths.lines) std::fprintf(out, "%d %s\n", ++k, netrestore::cut_at_last_blank(line.text).c_str());
    return 0;
  }

  void print_summary() const override {
    std::printf("There are %d nodes, the largest nodeID is %d\n", net_.noOfNodes, net_.largestNodeID);
    netrestore::print_largest_nodes(net_);
  }

 private:
  const netrestore::Network& net_;
  const Arguments& args_;
  int noOfPaths_;
  double delay_;
};

// Counts the paths; sets noOfPaths to the number of lines after the title.
int read_paths(netrestore::Network& net, const std::string& pathfile, int& noOfPaths) {
  const std::optional<std::string> text = read_whole_file(pathfile);
  if (!text) return netrestore::cannot_open(pathfile, kStatusPathFile);
  const netrestore::PathList paths = netrestore::parse_path_list(*text);
  std::printf("line 1: path file name is %s\n", paths.title.c_str());
  if (Error error = netrestore::count_paths(net, paths, pathfile)) {
    std::printf("%s\n", error.text().c_str());
    return kStatusSpans;
  }
  noOfPaths = static_cast<int>(paths.lines.size());
  std::printf("noOfPaths=%d\n", noOfPaths);
  return 0;
}

// Every recorded span gets its spare channels from the ratio.
int derive_spares(netrestore::Network& net, const std::string& spanSpareRatio) {
  const double ratio = netrestore::number_from_text(spanSpareRatio);
  for (int n = 0; n < netrestore::kNodeSlots; ++n) {
    for (const netrestore::SpanEntry& span : net.node[n].spans) {
      if (span.lower != n) continue;
      const std::optional<long long> s = netrestore::spare_channels(net.W.at(span.lower, span.higher), ratio);
      if (!s) {
        std::printf("spanSpareRatio %s gives no whole number of spare channels for span %d-%d\n",
                    spanSpareRatio.c_str(), span.lower, span.higher);
        return kStatusSyntax;
      }
      net.S.at(span.lower, span.higher) = *s;
    }
  }
  return 0;
}

// Spare channels come from the ratio: one below zero, or nan, gives none
// that a span could have.
int refuse_bad_ratio(const std::string& spanSpareRatio) {
  const double ratio = netrestore::number_from_text(spanSpareRatio);
  if (ratio >= 0) return 0;
  std::printf(std::isnan(ratio) ? "spanSpareRatio %s is not a number\n" : "spanSpareRatio %s is below zero\n",
              spanSpareRatio.c_str());
  return kStatusSyntax;
}

int run(const Arguments& args) {
  const netrestore::OutputNames names = netrestore::output_names(args.netrestoreFile);
  const netrestore::NamedFile paths{"path file", args.pathfile};
  netrestore::announce_run(args.nodefile, paths, names, args.msgProcessingDelay);
  std::printf("spanSpareRatio is %s\n", args.spanSpareRatio.c_str());
  if (int status = netrestore::refuse_bad_delay(args.msgProcessingDelay)) return status;
  if (int status = refuse_bad_ratio(args.spanSpareRatio)) return status;
  if (int status = netrestore::refuse_clash(names, {{"node file", args.nodefile}, paths})) return status;
  auto net = std::make_unique<netrestore::Network>();
  int noOfPaths = 0;
  const netrestore::NodeListRules numbered_nodes{.in_sequence = true, .whole_coordinates = true};
  if (int status = netrestore::read_node_file(*net, args.nodefile, numbered_nodes, true)) return status;
  if (int status = read_paths(*net, args.pathfile, noOfPaths)) return status;
  if (int status = derive_spares(*net, args.spanSpareRatio)) return status;
  return netrestore::write_netrestore_outputs(*net, names, RouteweaveFormat(*net, args, noOfPaths));
}

}  // namespace

int routeweave_main(int argc, char** argv) {
  if (argc != 6) {
    std::printf("command syntax: routeweave nodefile pathfile netrestoreFile \n");
    std::printf("                    msgProcessingDelay, spanSpareRatio\n");
    return kStatusSyntax;
  }
  return run(Arguments{argv[1], argv[2], argv[3], argv[4], argv[5]});
}
