// capview's readers on any bytes. An input of three parts (node list, NUL,
// netdata file, NUL, results file) is read as one study and, when all three
// are accepted, summarised and drawn as capview does; any other input goes
// to each reader whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "csv.h"
#include "fuzz_input.h"
#include "netdata.h"
#include "node_list.h"
#include "page.h"
#include "results.h"
#include "study.h"
#include "summary.h"

using capview::Axes;
using capview::SpanResult;
using capview::StudyFiles;
using capview::Summary;
using capview::csv_text;
using capview::match_results;
using capview::page_html;
using capview::summarize;
using capview::summary_text;
using studyfiles::Netdata;
using studyfiles::NodeList;
using studyfiles::ResultRow;
using studyfiles::read_netdata;
using studyfiles::read_node_list;
using studyfiles::read_results;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz_text(data, size);
  std::vector<std::string_view> parts = fuzz_parts(text);
  if (parts.size() < 3) parts = {text, text, text};
  NodeList nodes;
  Netdata net;
  std::vector<ResultRow> rows;
  const StudyFiles files{"nodes.txt", "net.dat", "net.out"};
  // Every reader runs, whatever the others answer.
  const std::string errors[] = {read_node_list(parts[0], files.nodes, nodes).text(),
                                read_netdata(parts[1], files.netdata, net).text(),
                                read_results(parts[2], files.results, rows).text()};
  for (const std::string& error : errors) {
    if (!error.empty()) return 0;
  }
  std::vector<SpanResult> spans;
  if (!match_results(nodes, net, rows, files, spans).empty()) return 0;
  const Summary summary = summarize(spans);
  summary_text(summary, spans, files);
  csv_text(spans);
  for (Axes axes : {Axes::automatic, Axes::north_first}) page_html(nodes, spans, summary, files, axes);
  return 0;
}
