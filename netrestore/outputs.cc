#include "outputs.h"

#include "network.h"

#include <cmath>
#include <cstdio>

namespace netrestore {

std::vector<std::string> OutputNames::scripts() const { return {simulator, kimber, ospel, dunvar, master}; }

OutputNames output_names(const std::string& netrestoreFile) {
  OutputNames n;
  n.netrestore = netrestoreFile;
  n.base = netrestoreFile.substr(0, netrestoreFile.find('.'));
  n.companion = n.base + ".top";
  n.simulator = n.base + ".vtr.scr";
  n.kimber = n.base + ".kmb.scr";
  n.ospel = n.base + ".osp.scr";
  n.dunvar = n.base + ".dunv.scr";
  n.master = n.base + ".scr";
  return n;
}

std::optional<std::string> output_clash(const OutputNames& names, const std::vector<NamedFile>& inputs) {
  const std::vector<NamedFile> outputs = {
      {"netrestore file", names.netrestore}, {"topology file", names.companion},
      {"script", names.simulator},           {"script", names.kimber},
      {"script", names.ospel},               {"script", names.dunvar},
      {"master script", names.master}};
  for (std::size_t k = 0; k < outputs.size(); ++k) {
    std::vector<NamedFile> taken = inputs;
    taken.insert(taken.end(), outputs.begin(), outputs.begin() + static_cast<std::ptrdiff_t>(k));
    for (const NamedFile& other : taken) {
      if (same_file(outputs[k].name, other.name))
        return "the " + outputs[k].role + " " + outputs[k].name + " would overwrite the " + other.role + " " +
               other.name + "; no file is written\n";
    }
  }
  return std::nullopt;
}

int refuse_clash(const OutputNames& names, const std::vector<NamedFile>& inputs) {
  const std::optional<std::string> clash = output_clash(names, inputs);
  if (!clash) return 0;
  std::printf("%s", clash->c_str());
  return 1;
}

void announce_run(const std::string& nodeFile, const NamedFile& second, const OutputNames& names,
                  const std::string& msgProcessingDelay) {
  std::printf("node file is %s\n", nodeFile.c_str());
  std::printf("%s is %s\n", second.role.c_str(), second.name.c_str());
  std::printf("resulting netrestore file is %s\n", names.netrestore.c_str());
  std::printf("resulting script file for testing link restoration is %s\n", names.simulator.c_str());
  std::printf("msgProcessingDelay is %s\n", msgProcessingDelay.c_str());
}

int refuse_bad_delay(const std::string& msgProcessingDelay) {
  if (!std::isnan(number_from_text(msgProcessingDelay))) return 0;
  std::printf("msgProcessingDelay %s is not a number\n", msgProcessingDelay.c_str());
  return 1;
}

int cannot_open(const std::string& name, int status) {
  std::printf("can not open %s\n", name.c_str());
  return status;
}

}  // namespace netrestore
