#include "linkweave.h"

#include <cstdio>
#include <memory>
#include <string>

#include "node_table.h"
#include "outputs.h"
#include "shell.h"
#include "span_list.h"
#include "writer.h"
#include "wholefile.h"

namespace {

constexpr int kStatusSyntax = 1;
constexpr int kStatusSpanFile = 4;
constexpr int kStatusSpans = 1;  // a node with more spans than its record holds

struct Arguments {
  std::string nodeFile;
  std::string spanFile;
  std::string netrestoreFile;
  std::string msgProcessingDelay;
};

class LinkweaveFormat : public netrestore::NetrestoreFormat {
 public:
  LinkweaveFormat(const netrestore::SpanNetwork& sn, const Arguments& args)
      : sn_(sn), net_(sn.net), args_(args), delay_(netrestore::number_from_text(args.msgProcessingDelay)) {}

  const char* type_keyword() const override { return "V_H2wSpanMiles"; }
  int equals_signs() const override { return 40; }

  void write_node_line(std::FILE* out, int i) const override {
    const netrestore::Node& n = net_.node[i];
    const long long working = net_.working_total(i);
    const long long spare = net_.spare_total(i);
    std::fprintf(out, "%s %d %f 0 %f %f %lld %lld %lld %lld %d\n", n.name.c_str(), static_cast<int>(n.spans.size()),
                 delay_, n.v, n.h, working, spare, net_.I[i], working + spare + net_.I[i], i);
  }

  void write_port_line(std::FILE* out, const netrestore::SpanEntry& span, int here, bool companion) const override {
    std::fprintf(out, companion ? "    %d 1 %lld %lld %f\n" : "  %d 1 %lld %lld %f\n", span.other_end(here),
                 net_.W.at(span.lower, span.higher), net_.S.at(span.lower, span.higher),
                 sn_.M.at(span.lower, span.higher));
  }

  void write_run_line(std::FILE* script, const netrestore::SpanEntry& span) const override {
    const std::string cut = net_.node[span.lower].name + "-" + net_.node[span.higher].name;
    std::fprintf(script, "vetrun %s %s > %s\n", path_word(args_.netrestoreFile).c_str(),
                 shell_word("/b=" + cut).c_str(), shell_word("vetrun/" + cut + "cut.l").c_str());
  }

  // One path of one span per working channel, lower-numbered end first.
  int write_path_section(std::FILE* out, bool) const override {
    std::fprintf(out, "%lld\n", netrestore::path_count(net_));
    long long k = 0;
    for (int i = 1; i <= net_.noOfNodes; ++i) {
      for (const netrestore::SpanEntry& span : net_.node[i].spans) {
        if (span.lower != i) continue;
        const char* other = net_.node[span.higher].name.c_str();
        for (long long w = net_.W.at(span.lower, span.higher); w > 0; --w)
          std::fprintf(out, "%lld %s %s\n", ++k, net_.node[i].name.c_str(), other);
      }
    }
    return 0;
  }

  // Every span is met under both its ends: the halves are the network's.
  void print_summary() const override {
    long long working = 0;
    long long spare = 0;
    float miles = 0;
    for (int i = 1; i <= net_.noOfNodes; ++i) {
      working += net_.working_total(i);
      spare += net_.spare_total(i);
      for (const netrestore::SpanEntry& span : net_.node[i].spans) miles += sn_.M.at(span.lower, span.higher);
    }
    std::printf("There are %lld working channels, %lld spare channels, %f span miles\n", working / 2, spare / 2,
                miles / 2);
    std::printf("There are %d nodes, %d spans.\n", net_.noOfNodes, sn_.noOfSpans);
    netrestore::print_largest_nodes(net_);
  }

 private:
  const netrestore::SpanNetwork& sn_;
  const netrestore::Network& net_;
  const Arguments& args_;
  double delay_;
};

int read_spans(netrestore::SpanNetwork& sn, const std::string& spanFile) {
  const std::optional<std::string> text = read_whole_file(spanFile);
  if (!text) return netrestore::cannot_open(spanFile, kStatusSpanFile);
  if (Error error = netrestore::count_spans(sn, netrestore::parse_span_list(*text), spanFile)) {
    std::printf("%s\n", error.text().c_str());
    return kStatusSpans;
  }
  return 0;
}

int run(const Arguments& args) {
  const netrestore::OutputNames names = netrestore::output_names(args.netrestoreFile);
  const netrestore::NamedFile spans{"span file", args.spanFile};
  netrestore::announce_run(args.nodeFile, spans, names, args.msgProcessingDelay);
  if (int status = netrestore::refuse_bad_delay(args.msgProcessingDelay)) return status;
  if (int status = netrestore::refuse_clash(names, {{"node file", args.nodeFile}, spans})) return status;
  auto sn = std::make_unique<netrestore::SpanNetwork>();
  const netrestore::NodeListRules nodes_as_numbered{.in_sequence = false, .whole_coordinates = false};
  if (int status = netrestore::read_node_file(sn->net, args.nodeFile, nodes_as_numbered, false)) return status;
  if (int status = read_spans(*sn, args.spanFile)) return status;
  return netrestore::write_netrestore_outputs(sn->net, names, LinkweaveFormat(*sn, args));
}

}  // namespace

int linkweave_main(int argc, char** argv) {
  if (argc != 5) {
    std::printf("command syntax: linkweave nodeFile spanFile netrestoreFile \\\n");
    std::printf("                    msgProcessingDelay\n");
    return kStatusSyntax;
  }
  return run(Arguments{argv[1], argv[2], argv[3], argv[4]});
}
