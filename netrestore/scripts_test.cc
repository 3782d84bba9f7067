#include "scripts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "outputs.h"

namespace netrestore {

namespace {

TEST(OutputNames, BaseNameEndsAtTheFirstDot) {
  EXPECT_EQ(output_names("net.dat").base, "net");
  EXPECT_EQ(output_names("a.b.c").base, "a");
  EXPECT_EQ(output_names("net").base, "net");
  EXPECT_EQ(output_names(".hidden").base, "");
  const OutputNames n = output_names("run/x.dat");
  EXPECT_EQ(n.companion, "run/x.top");
  EXPECT_EQ(n.scripts(), (std::vector<std::string>{"run/x.vtr.scr", "run/x.kmb.scr", "run/x.osp.scr",
                                                   "run/x.dunv.scr", "run/x.scr"}));
}

TEST(OutputClash, InputsAndEarlierOutputsAreNeverOverwritten) {
  const std::vector<NamedFile> inputs = {{"node file", "nodes.txt"}, {"path file", "paths.txt"}};
  EXPECT_EQ(output_clash(output_names("net.dat"), inputs), std::nullopt);
  EXPECT_EQ(output_clash(output_names("paths.txt"), inputs),
            "the netrestore file paths.txt would overwrite the path file paths.txt; no file is written\n");
  EXPECT_EQ(output_clash(output_names("nodes.dat"), {{"node file", "nodes.top"}}),
            "the topology file nodes.top would overwrite the node file nodes.top; no file is written\n");
  EXPECT_EQ(output_clash(output_names("net.vtr.scr"), inputs),
            "the script net.vtr.scr would overwrite the netrestore file net.vtr.scr; no file is written\n");
}

TEST(ScriptWords, OrdinaryNamesGiveThePlainLines) {
  EXPECT_EQ(echo_argument("vtr.restoration results on ", "net.dat"), "\"vtr.restoration results on net.dat\"");
  EXPECT_EQ(echo_argument("on ", "a b"), "'on a b'");
  EXPECT_EQ(derive_command("net.vtr.scr", "kimber", "kmb", "net.kmb.scr"),
            "sed 's/vetrun/kimber/g; s/vtr.res/kmb.res/g' net.vtr.scr > net.kmb.scr");
  EXPECT_EQ(derive_command("a;b.vtr.scr", "ospel", "osp", "a;b.osp.scr"),
            "sed 's/vetrun/ospel/g; s/vtr.res/osp.res/g' 'a;b.vtr.scr' > 'a;b.osp.scr'");
  EXPECT_EQ(chmod_command(output_names("net.dat")),
            "chmod 755 net.vtr.scr net.kmb.scr net.osp.scr net.dunv.scr net.scr");
}

TEST(ScriptWords, NamesStartingWithADashAreNoOptions) {
  EXPECT_EQ(derive_command("-x.vtr.scr", "dunvar", "dunv", "-x.dunv.scr"),
            "sed 's/vetrun/dunvar/g; s/vtr.res/dunv.res/g' ./-x.vtr.scr > ./-x.dunv.scr");
  EXPECT_EQ(chmod_command(output_names("-x.dat")),
            "chmod 755 ./-x.vtr.scr ./-x.kmb.scr ./-x.osp.scr ./-x.dunv.scr ./-x.scr");
}

std::string written(void (*write)(std::FILE*)) {
  const std::string name = testing::TempDir() + "script_lines";
  {
    File f = open_file(name, "w");
    write(f.get());
  }
  std::ifstream in(name);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(name.c_str());
  return text;
}

TEST(ScriptLines, OpeningClosingAndMaster) {
  EXPECT_EQ(written([](std::FILE* f) { write_script_opening(f, "net.dat", 40); }),
            "echo \"vtr.restoration results on net.dat\"\n"
            "echo \"========================================\"\n"
            "if [ -f netres.vtr.res ]; then mv netres.vtr.res netres.vtr.res.bak; fi\n"
            "echo \"vtr.restoration results on net.dat\" > netres.vtr.res\n"
            "echo \"========================================\" >> netres.vtr.res\n"
            "if [ ! -d vetrun ]; then mkdir vetrun; fi\n");
  EXPECT_EQ(written([](std::FILE* f) { write_script_closing(f, "my net"); }),
            "if [ -f 'my net.vtr.res' ]; then mv 'my net.vtr.res' 'my net.vtr.res.bak'; fi\n"
            "mv netres.vtr.res 'my net.vtr.res'\n");
  EXPECT_EQ(written([](std::FILE* f) { write_script_closing(f, "-x"); }),
            "if [ -f ./-x.vtr.res ]; then mv ./-x.vtr.res ./-x.vtr.res.bak; fi\n"
            "mv netres.vtr.res ./-x.vtr.res\n");
  EXPECT_EQ(written([](std::FILE* f) { write_master_script(f, output_names("net.dat")); }),
            "echo \"Starting network restoration scripts on net.dat\"\n"
            "net.kmb.scr\nnet.osp.scr\nnet.dunv.scr\nnet.vtr.scr\n");
}

}  // namespace

}  // namespace netrestore
