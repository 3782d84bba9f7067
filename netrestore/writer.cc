#include "writer.h"

#include "scripts.h"
#include "wholefile.h"

namespace netrestore {

namespace {

constexpr int kStatusWrite = 1;

int cannot_create(const std::string& name) {
  std::printf("fail to open %s for write\n", name.c_str());
  return kStatusWrite;
}

int cannot_write(const std::string& name) {
  std::printf("fail to write %s\n", name.c_str());
  return kStatusWrite;
}

// The node blocks; run lines go to `script` when there is one.
void write_node_blocks(std::FILE* out, std::FILE* script, const Network& net, const NetrestoreFormat& format) {
  std::fprintf(out, "%d %s\n", net.noOfNodes, format.type_keyword());
  for (int i = 1; i <= net.noOfNodes; ++i) {
    format.write_node_line(out, i);
    for (const SpanEntry& span : net.node[i].spans) {
      if (script && span.lower == i) format.write_run_line(script, span);
      format.write_port_line(out, span, i, script == nullptr);
    }
  }
}

int write_netrestore_file(const Network& net, const OutputNames& names, const NetrestoreFormat& format) {
  File out = open_file(names.netrestore, "w");
  if (!out) return cannot_create(names.netrestore);
  File script = open_file(names.simulator, "w");
  if (!script) return cannot_create(names.simulator);
  write_script_opening(script.get(), names.netrestore, format.equals_signs());
  write_node_blocks(out.get(), script.get(), net, format);
  write_script_closing(script.get(), names.base);
  if (!finish_writing(script)) return cannot_write(names.simulator);
  if (int status = finish_scripts(names)) return status;
  if (int status = format.write_path_section(out.get(), false)) return status;
  if (!finish_writing(out)) return cannot_write(names.netrestore);
  return 0;
}

int write_companion(const Network& net, const OutputNames& names, const NetrestoreFormat& format) {
  File out = open_file(names.companion, "w");
  if (!out) return cannot_create(names.companion);
  write_node_blocks(out.get(), nullptr, net, format);
  if (int status = format.write_path_section(out.get(), true)) return status;
  if (!finish_writing(out)) return cannot_write(names.companion);
  return 0;
}

}  // namespace

int write_netrestore_outputs(const Network& net, const OutputNames& names, const NetrestoreFormat& format) {
  if (int status = write_netrestore_file(net, names, format)) return status;
  format.print_summary();
  return write_companion(net, names, format);
}

void print_largest_nodes(const Network& net) {
  const LargestSpan span = find_largest_span(net);
  const LargestWorking working = find_largest_working(net);
  const Node& busiest = net.node[working.nodeWithLargestWorkingChannels];
  std::printf("node %s is one of the nodes with the largest span=%d.\n", net.node[span.nodeWithLargestSpan].name.c_str(),
              span.largestSpan);
  std::printf("nodeWithLargestWorkingChannels=%s, noOfWorkingChannels=%lld, noOfSpans=%d\n", busiest.name.c_str(),
              working.noOfWorkingChannels, static_cast<int>(busiest.spans.size()));
}

}  // namespace netrestore
