#include "scripts.h"

#include <tuple>

#include "shell.h"
#include "wholefile.h"

namespace netrestore {

std::string echo_argument(const std::string& text, const std::string& name) {
  if (shell_word(name) == name) return "\"" + text + name + "\"";
  return shell_word(text + name);
}

void write_script_opening(std::FILE* script, const std::string& netrestoreFile, int equals_signs) {
  const std::string title = echo_argument("vtr.restoration results on ", netrestoreFile);
  const std::string ruler = "\"" + std::string(static_cast<std::size_t>(equals_signs), '=') + "\"";
  std::fprintf(script, "echo %s\n", title.c_str());
  std::fprintf(script, "echo %s\n", ruler.c_str());
  std::fprintf(script, "if [ -f netres.vtr.res ]; then mv netres.vtr.res netres.vtr.res.bak; fi\n");
  std::fprintf(script, "echo %s > netres.vtr.res\n", title.c_str());
  std::fprintf(script, "echo %s >> netres.vtr.res\n", ruler.c_str());
  std::fprintf(script, "if [ ! -d vetrun ]; then mkdir vetrun; fi\n");
}

void write_script_closing(std::FILE* script, const std::string& base) {
  const std::string result = path_word(base + ".vtr.res");
  const std::string backup = path_word(base + ".vtr.res.bak");
  std::fprintf(script, "if [ -f %s ]; then mv %s %s; fi\n", result.c_str(), result.c_str(), backup.c_str());
  std::fprintf(script, "mv netres.vtr.res %s\n", result.c_str());
}

std::string derive_command(const std::string& vetrun_script, const std::string& simulator, const std::string& tag,
                           const std::string& target) {
  return "sed 's/vetrun/" + simulator + "/g; s/vtr.res/" + tag + ".res/g' " + path_word(vetrun_script) + " > " +
         path_word(target);
}

void write_master_script(std::FILE* master, const OutputNames& names) {
  const std::string title = echo_argument("Starting network restoration scripts on ", names.netrestore);
  std::fprintf(master, "echo %s\n", title.c_str());
  for (const std::string& script : {names.kimber, names.ospel, names.dunvar, names.simulator})
    std::fprintf(master, "%s\n", shell_word(script).c_str());
}

std::string chmod_command(const OutputNames& names) {
  std::string command = "chmod 755";
  for (const std::string& script : names.scripts()) command += " " + path_word(script);
  return command;
}

// Runs one command; false after "fail to run COMMAND" when it does not end
// with status 0.
bool run_script_command(const std::string& command) {
  if (command_succeeded(run_shell_command(command))) return true;
  std::printf("fail to run %s\n", command.c_str());
  return false;
}

int finish_scripts(const OutputNames& names) {
  for (const auto& [simulator, tag, target] : {std::tuple{"kimber", "kmb", &names.kimber},
                                               std::tuple{"ospel", "osp", &names.ospel},
                                               std::tuple{"dunvar", "dunv", &names.dunvar}}) {
    if (!run_script_command(derive_command(names.simulator, simulator, tag, *target))) return 1;
  }
  File master = open_file(names.master, "w");
  if (!master) {
    std::printf("fail to open %s for write\n", names.master.c_str());
    return 1;
  }
  write_master_script(master.get(), names);
  if (!finish_writing(master)) {
    std::printf("fail to write %s\n", names.master.c_str());
    return 1;
  }
  return run_script_command(chmod_command(names)) ? 0 : 1;
}

}  // namespace netrestore
