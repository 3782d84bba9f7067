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
long long demand_bound_of(const NetData& net, std::size_t cut) {
  const Edge& c = net.edges[cut];
  long long out = 0, in = 0;
  for (std::size_t k = 0; k < net.edges.size(); ++k) {
    if (k == cut || k == cut + 1) continue;
    if (net.edges[k].from == c.from) out += net.edges[k].spare;
    if (net.edges[k].to == c.to) in += net.edges[k].spare;
  }
  return std::min<long long>({c.capacity, out, in});
}

long long max_flow_without(const NetData& net, std::size_t cut) {
  lemon::SmartDigraph g;
  std::vector<lemon::SmartDigraph::Node> nodes;
  for (int n = 0; n < net.n_node; ++n) nodes.push_back(g.addNode());
  lemon::SmartDigraph::ArcMap<long long> capacity(g);
  for (std::size_t k = 0; k < net.edges.size(); ++k) {
    if (k == cut || k == cut + 1) continue;
    const Edge& e = net.edges[k];
    capacity[g.addArc(nodes[e.from - 1], nodes[e.to - 1])] = e.spare;
  }
  const Edge& c = net.edges[cut];
  lemon::Preflow<lemon::SmartDigraph, lemon::SmartDigraph::ArcMap<long long>> preflow(g, capacity, nodes[c.from - 1],
                                                                                      nodes[c.to - 1]);
  preflow.runMinCut();
  return preflow.flowValue();
}

std::string file_text(const fs::path& p) {
  std::optional<std::string> text = read_whole_file(p.string());
  return text ? *text : "";
}

class CapsweepRestorability : public testing::TestWithParam<std::tuple<std::string, int>> {};

TEST_P(CapsweepRestorability, EveryCutRestoresTheLeastOfBoundAndMaxFlow) {
  const fs::path bin = TOOLKIT_BIN_DIR;
  if (!fs::exists(bin / "relax")) GTEST_SKIP() << "relax is not built";
  const auto& [name, strategy] = GetParam();
  const fs::path examples = EXAMPLES_DIR;
  const fs::path work = fs::path(testing::TempDir()) / ("restorability_" + name + std::to_string(strategy));
  fs::remove_all(work);
  fs::create_directories(work);
  fs::copy_file(examples / (name + "_nodes.txt"), work / (name + "_nodes.txt"));
  fs::copy_file(examples / (name + ".dat"), work / (name + ".dat"));

  run_shell_command("cd " + shell_word(work.string()) + " && PATH=" + shell_word(bin.string()) + ":$PATH capsweep " +
                    name + "_nodes.txt " + name + ".dat " + std::to_string(strategy) + " > capsweep.log");
  const NetDataRead read = parse_netdata(file_text(examples / (name + ".dat")), name);
  ASSERT_EQ(read.error, "");
  const NetData& net = read.data;
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
                         testing::Combine(testing::Values("nsfnet", "europe"), testing::Values(1, 2, 3)));

}  // namespace
