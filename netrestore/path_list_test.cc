#include "path_list.h"

#include <gtest/gtest.h>

namespace netrestore {

namespace {

TEST(PathList, NamesAreSeparatedByBlanksOnly) {
  EXPECT_EQ(split_names("  A   B 45\n"), (std::vector<std::string>{"A", "B", "45"}));
  EXPECT_EQ(split_names("A\tB 45"), (std::vector<std::string>{"A\tB", "45"}));
  EXPECT_TRUE(split_names("\n").empty());
  PathList list = parse_path_list("title\nA B 45\n\nC");
  EXPECT_EQ(list.title, "title\n");
  ASSERT_EQ(list.lines.size(), 3u);
  EXPECT_EQ(list.lines[0].line_number, 2);
  EXPECT_EQ(list.lines[0].text, "A B 45\n");
  EXPECT_TRUE(list.lines[1].names.empty());
  EXPECT_EQ(list.lines[2].text, "C");
}

TEST(PathList, PathSectionCutsAtTheLastBlank) {
  EXPECT_EQ(cut_at_last_blank("A B C 45\n"), "A B C");
  EXPECT_EQ(cut_at_last_blank("  A B 45\n"), "  A B");
  EXPECT_EQ(cut_at_last_blank("A B 45 \n"), "A B 45");
  EXPECT_EQ(cut_at_last_blank("AB\n"), "AB");
  EXPECT_EQ(cut_at_last_blank(""), "");
}

TEST(PathList, WrittenPathsReadBackAsWritten) {
  const std::vector<std::vector<std::string>> paths = {{"A", "B"}, {"New_York", "C", "A"}, {"C", "B", "A", "C"}};
  std::string text = "paths of t\n";
  for (const std::vector<std::string>& path : paths) {
    std::vector<const std::string*> names;
    for (const std::string& name : path) names.push_back(&name);
    text += path_line(names);
  }
  EXPECT_EQ(text, "paths of t\nA B 45\nNew_York C A 45\nC B A C 45\n");

  const PathList list = parse_path_list(text);
  EXPECT_EQ(list.title, "paths of t\n");
  ASSERT_EQ(list.lines.size(), paths.size());
  for (std::size_t k = 0; k < paths.size(); ++k) {
    std::vector<std::string> expected = paths[k];
    expected.emplace_back(kPathTerminator);
    EXPECT_EQ(list.lines[k].line_number, static_cast<int>(k) + 2);
    EXPECT_EQ(list.lines[k].names, expected);
    std::string joined;
    for (const std::string& name : paths[k]) joined += (joined.empty() ? "" : " ") + name;
    EXPECT_EQ(cut_at_last_blank(list.lines[k].text), joined);  // what the path section writes
  }
}

class CountPaths : public testing::Test {
 protected:
  void SetUp() override {
    net_ = std::make_unique<Network>();
    const char* names[] = {"", "A", "B", "C"};
    for (int i = 1; i <= 3; ++i) net_->node[i].name = names[i];
    net_->noOfNodes = 3;
  }
  void count(const std::string& lines) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(count_paths(*net_, parse_path_list("t\n" + lines), "p.txt"));
    printed_ = testing::internal::GetCapturedStdout();
  }
  std::unique_ptr<Network> net_;
  std::string printed_;
};

TEST_F(CountPaths, WorkingChannelsAndPathEnds) {
  count("A B C 45\nB A 45\nA B A 45\n");
  EXPECT_EQ(net_->W.at(1, 2), 4);
  EXPECT_EQ(net_->W.at(2, 3), 1);
  EXPECT_EQ(net_->I[1], 4);
  EXPECT_EQ(net_->I[2], 1);
  EXPECT_EQ(net_->I[3], 1);
  EXPECT_EQ(net_->node[1].spans.size(), 1u);
  EXPECT_EQ(printed_, "");
}

TEST_F(CountPaths, FaultyLinesAreReportedAndCountedAsFarAsTheyGo) {
  count("A A B 45\nA B C 46\nA B\n");
  EXPECT_EQ(net_->W.at(1, 2), 3);
  EXPECT_EQ(net_->W.at(2, 3), 1);
  EXPECT_EQ(net_->I[1], 3);
  EXPECT_EQ(net_->I[2], 2);  // ends of A A B 45 and of the two-name line
  EXPECT_EQ(net_->I[3], 0);  // no end without the terminator
  EXPECT_EQ(printed_,
            "Error: Duplicated nodeID, 1, should not exist in a path!\n   in line 2: A A B 45\n\n"
            "incorrect path format, the path line should terminate with 45.\n    in line 3: A B C 46\n\n"
            "incorrect path format, only have two nodeID, without 45 terminaator\nin line 4: A B\n\n");
}

TEST_F(CountPaths, WrittenPathsAreCountedWithoutAComplaint) {
  const std::string a = "A", b = "B", c = "C";
  count(path_line({&a, &b, &c}) + path_line({&c, &b}) + path_line({&b, &a}));
  EXPECT_EQ(printed_, "");
  EXPECT_EQ(net_->W.at(1, 2), 2);
  EXPECT_EQ(net_->W.at(2, 3), 2);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(net_->I[i], 2) << i;  // each node ends two of the paths
}

TEST_F(CountPaths, UnknownNamesCountOnNodeZero) {
  count("X B 45\nX Y 45\n");
  EXPECT_EQ(net_->W.at(0, 2), 1);
  EXPECT_EQ(net_->I[0], 3);
  EXPECT_TRUE(net_->ExistSpanEntry(0, 0, 2));
  EXPECT_NE(printed_.find("Duplicated nodeID, 0,"), std::string::npos);
}

TEST_F(CountPaths, AFortyFirstSpanStopsTheCount) {
  std::string lines;
  for (int i = 2; i <= 42; ++i) {
    net_->node[i].name = "N" + std::to_string(i);
    lines += "A N" + std::to_string(i) + " 45\n";
  }
  Error error = count_paths(*net_, parse_path_list("t\n" + lines), "p.txt");
  ASSERT_TRUE(error);
  EXPECT_EQ(error.text(), "p.txt:42: node 1 (A) would have more than 40 spans");
}

}  // namespace

}  // namespace netrestore
