#include "path_study.h"

namespace pathrestore {

Error path_study_of(const studyfiles::NodeList& nodes, const studyfiles::Netdata& netdata, const PathStudyFiles& files,
                    const studyfiles::SpanRules& rules, const std::string& path_text, const std::string& group_text,
                    PathStudy& out) {
  std::vector<studyfiles::Span> spans;
  if (Error e = studyfiles::spans_of_netdata(netdata, files.netdata, nodes, files.nodes, rules, spans)) return e;
  out.net = network_of(nodes, netdata.n_node, spans);
  if (Error e = read_working_paths(path_text, files.paths, files.nodes, out.net, out.paths)) return e;
  if (!files.groups.empty())
    if (Error e = studyfiles::read_groups(group_text, files.groups, nodes, spans, out.groups)) return e;
  return {};
}

}  // namespace pathrestore
