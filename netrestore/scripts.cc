#include "scripts.h"

#include "shell.h"
#include "wholefile.h"

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
  const std::string result = shell_word(base + ".vtr.res");
  const std::string backup = shell_word(base + ".vtr.res.bak");
  std::fprintf(script, "if [ -f %s ]; then mv %s %s; fi\n", result.c_str(), result.c_str(), backup.c_str());
  std::fprintf(script, "mv netres.vtr.res %s\n", result.c_str());
}

std::string derive_command(const std::string& vetrun_script, const std::string& simulator, const std::string& tag,
                           const std::string& target) {
  return "sed 's/vetrun/" + simulator + "/g; s/vtr.res/" + tag + ".res/g' " + shell_word(vetrun_script) + " > " +
         shell_word(target);
}

void write_master_script(std::FILE* master, const OutputNames& names) {
  const std::string title = echo_argument("Starting network restoration scripts on ", names.netrestore);
  std::fprintf(master, "echo %s\n", title.c_str());
  for (const std::string& script : {names.kimber, names.ospel, names.dunvar, names.simulator})
    std::fprintf(master, "%s\n", shell_word(script).c_str());
}

std::string chmod_command(const OutputNames& names) {
  std::string command = "chmod 755";
  for (const std::string& script : names.scripts()) command += " " + shell_word(script);
  return command;
}

int finish_scripts(const OutputNames& names) {
  run_shell_command(derive_command(names.simulator, "kimber", "kmb", names.kimber));
  run_shell_command(derive_command(names.simulator, "ospel", "osp", names.ospel));
  run_shell_command(derive_command(names.simulator, "dunvar", "dunv", names.dunvar));
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
  run_shell_command(chmod_command(names));
  return 0;
}
