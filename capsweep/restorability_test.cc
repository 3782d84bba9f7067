// capsweep with the toolkit's own relax on the example networks: every cut's
// restored amount must be the smaller of its demand bound and the maximum
// flow between its ends over the spare of the other records, computed here
// with LEMON's Preflow.
#include <gtest/gtest.h>
#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "inputs.h"
#include "network.h"
#include "shell.h"
#include "wholefile.h"

using studyfiles::EdgeRecord;
using studyfiles::Netdata;

namespace {

namespace fs = std::filesystem;

struct ResultRow {
  std::string from, to;
  int restored = 0;
};

// The result rows of a results file: lines that end in a percent sign after
// the header lines.
std::vector<ResultRow> result_rows(const std::string& text) {
  std::vector<ResultRow> rows;
  std::istringstream in(text);
  std::string line;
  for (int n = 0; std::getline(in, line); ++n) {
    if (n < 3 || line.empty() || line.back() != '%') continue;
    std::istringstream fields(line);
    ResultRow r;
    int edge, capacity;
    std::string feas;
    fields >> edge >> r.from >> r.to >> capacity >> feas >> r.restored;
    rows.push_back(r);
  }
  return rows;
}

// min(capacity, spare leaving A, spare entering B) over the other records.
long long demand_bound_of(const Netdata& net, std::size_t cut) {
  const EdgeRecord& c = net.edges[cut];
  long long out = 0, in = 0;
  for (std::size_t k = 0; k < net.edges.size(); ++k) {
    if (k == cut || k == cut + 1) continue;
    if (net.edges[k].from == c.from) out += net.edges[k].spare;
    if (net.edges[k].to == c.to) in += net.edges[k].spare;
  }
  return std::min<long long>({c.capacity, out, in});
}

long long max_flow_without(const Netdata& net, std::size_t cut) {
  lemon::SmartDigraph g;
  std::vector<lemon::SmartDigraph::Node> nodes;
  for (int n = 0; n < net.n_node; ++n) nodes.push_back(g.addNode());
  lemon::SmartDigraph::ArcMap<long long> capacity(g);
  for (std::size_t k = 0; k < net.edges.size(); ++k) {
    if (k == cut || k == cut + 1) continue;
    const EdgeRecord& e = net.edges[k];
    capacity[g.addArc(nodes[e.from - 1], nodes[e.to - 1])] = e.spare;
  }
  const EdgeRecord& c = net.edges[cut];
  lemon::Preflow<lemon::SmartDigraph, lemon::SmartDigraph::ArcMap<long long>> preflow(g, capacity, nodes[c.from - 1],
                                                                                      nodes[c.to - 1]);
  preflow.runMinCut();
  return preflow.flowValue();
}

std::string file_text(const fs::path& p) {
  std::optional<std::string> text = read_whole_file(p.string());
  return text ? *text : "";
}

// A 21 x 20 grid of 420 nodes, every span with spare and working capacity,
// as files <name>_nodes.txt and <name>.dat in `dir`.
void write_grid(const fs::path& dir, const std::string& name) {
  constexpr int kRows = 21, kColumns = 20;
  std::string nodes = name + "_nodes.txt\n", records;
  int count = 0;
  auto add_span = [&](int a, int b, int i) {
    const int cost = 1 + i % 5, spare = 1 + (i * 7) % 9, capacity = 2 + (i * 5) % 11;
    records += std::to_string(++count) + " " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(cost) +
               " " + std::to_string(spare) + " " + std::to_string(capacity) + "\n";
    records += std::to_string(++count) + " " + std::to_string(b) + " " + std::to_string(a) + " " + std::to_string(cost) +
               " " + std::to_string(spare) + " " + std::to_string(capacity) + "\n";
  };
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      const int k = r * kColumns + c + 1;
      nodes += std::to_string(k) + " G" + std::to_string(k) + " 0.0 0.0\n";
      if (c + 1 < kColumns) add_span(k, k + 1, 3 * r + c);
      if (r + 1 < kRows) add_span(k, k + kColumns, r + 2 * c);
    }
  }
  ASSERT_FALSE(write_text_file((dir / (name + "_nodes.txt")).string(), nodes));
  ASSERT_FALSE(write_text_file((dir / (name + ".dat")).string(),
                               "1\n" + std::to_string(kRows * kColumns) + "\n" + std::to_string(count) + "\n" + records));
}

// (network, strategy, capsweep's options): "grid" is the generated grid of
// 420 nodes, the others are the shipped examples.
class CapsweepRestorability : public testing::TestWithParam<std::tuple<std::string, int, std::string>> {};

TEST_P(CapsweepRestorability, EveryCutRestoresTheLeastOfBoundAndMaxFlow) {
  const fs::path bin = TOOLKIT_BIN_DIR;
  const auto& [name, strategy, options] = GetParam();
  if (options.empty() && !fs::exists(bin / "relax")) GTEST_SKIP() << "relax is not built";
  const fs::path examples = EXAMPLES_DIR;
  const fs::path work = fs::path(testing::TempDir()) /
                        ("restorability_" + name + std::to_string(strategy) + (options.empty() ? "" : "_j"));
  fs::remove_all(work);
  fs::create_directories(work);
  if (name == "grid") {
    write_grid(work, name);
  } else {
    fs::copy_file(examples / (name + "_nodes.txt"), work / (name + "_nodes.txt"));
    fs::copy_file(examples / (name + ".dat"), work / (name + ".dat"));
  }

  // With -j no relax is needed: none is put on PATH.
  const std::string path = options.empty() ? shell_word(bin.string()) + ":$PATH" : "/usr/bin:/bin";
  run_shell_command("cd " + shell_word(work.string()) + " && PATH=" + path + " " +
                    shell_word((bin / "capsweep").string()) + " " + options + " " + name + "_nodes.txt " + name +
                    ".dat " + std::to_string(strategy) + " > capsweep.log");
  const NetDataRead read = parse_netdata(file_text(work / (name + ".dat")), name);
  ASSERT_EQ(read.error.text(), "");
  const Netdata& net = read.data;
  const std::vector<ResultRow> rows = result_rows(file_text(work / (name + ".out")));
  ASSERT_EQ(rows.size(), net.edges.size() / 2);

  for (std::size_t cut = 0, row = 0; cut < net.edges.size(); cut += 2, ++row) {
    const long long expected = std::min(demand_bound_of(net, cut), max_flow_without(net, cut));
    EXPECT_EQ(rows[row].restored, expected) << "span " << row + 1;
    // The path report of the cut shows the same total.
    const std::string report = file_text(work / (name + ".dat.ls") / (rows[row].from + "_" + rows[row].to + "cut.l"));
    EXPECT_NE(report.find("\nTOTAL_BANDWIDTH_RESTORED=" + std::to_string(expected) + "\n"), std::string::npos)
        << report;
  }
  if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Examples, CapsweepRestorability,
                         testing::Combine(testing::Values("nsfnet", "europe"), testing::Values(1, 2, 3),
                                          testing::Values("", "-j 2")));
// More than 300 nodes, solved inside capsweep.
INSTANTIATE_TEST_SUITE_P(Grid, CapsweepRestorability,
                         testing::Combine(testing::Values("grid"), testing::Values(1, 3), testing::Values("-j 2")));

}  // namespace
