#include "study.h"

#include "netdata.h"
#include "node_list.h"
#include "spans.h"
#include "wholefile.h"

Error read_path_study(const Options& o, PathStudy& out) {
  std::string node_text, net_text, path_text, group_text;
  if (Error e = read_file_or_reason(o.nodes_file, node_text)) return e;
  if (Error e = read_file_or_reason(o.netdata_file, net_text)) return e;
  if (Error e = read_file_or_reason(o.paths_file, path_text)) return e;
  if (!o.groups.empty())
    if (Error e = read_file_or_reason(o.groups, group_text)) return e;
  return path_study_of(o, node_text, net_text, path_text, group_text, out);
}

Error path_study_of(const Options& o, const std::string& node_text, const std::string& net_text,
                    const std::string& path_text, const std::string& group_text, PathStudy& out) {
  studyfiles::NodeList nodes;
  if (Error e = studyfiles::read_node_list(node_text, o.nodes_file, nodes)) return e;
  studyfiles::Netdata netdata;
  if (Error e = studyfiles::read_netdata(net_text, o.netdata_file, netdata)) return e;
  studyfiles::SpanRules rules;
  rules.program_does = "pathsweep fails spans";
  rules.cost_read = !o.cut_rate.empty();
  rules.cost_as = ", read as its length";
  return pathrestore::path_study_of(nodes, netdata, {o.nodes_file, o.netdata_file, o.paths_file, o.groups}, rules,
                                    path_text, group_text, out);
}
