#include "experiment_table.h"

#include <gtest/gtest.h>

namespace studyfiles {
namespace {

ExperimentRow row(std::string from, std::string to, int lost, int restored, int bound, double last) {
  ExperimentRow r;
  r.from = std::move(from);
  r.to = std::move(to);
  r.lost = lost;
  r.restored = restored;
  r.bound = bound;
  r.last_ms = last;
  r.first_ms = last / 2;
  r.routes = 3;
  r.messages = 123456789012LL;
  r.channel_spans = 42;
  r.paths = 2;
  return r;
}

TEST(ExperimentTable, RowsWrittenReadBackTheSame) {
  const std::vector<ExperimentRow> rows = {row("1", "2", 7, 7, 9, 3.412), row("New_York_City", "WA", 14, 10, 10, 0),
                                           row("A", "B", 0, 0, 0, 0)};
  std::string text = format_experiment_title("kmb", "net.rst") + "=========================================\n";
  for (const ExperimentRow& r : rows) text += format_experiment_row(r);
  ExperimentTable table;
  ASSERT_FALSE(read_experiment_table(text, "net.kmb.res", table));
  EXPECT_EQ(table.tag, "kmb");
  EXPECT_EQ(table.netrestore_file, "net.rst");
  ASSERT_EQ(table.rows.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ExperimentRow& a = table.rows[i];
    const ExperimentRow& b = rows[i];
    EXPECT_EQ(a.line, static_cast<int>(i) + 3);
    EXPECT_EQ(a.from, b.from);
    EXPECT_EQ(a.to, b.to);
    EXPECT_EQ(a.lost, b.lost);
    EXPECT_EQ(a.restored, b.restored);
    EXPECT_EQ(a.bound, b.bound);
    EXPECT_DOUBLE_EQ(a.last_ms, b.last_ms);
    EXPECT_NEAR(a.first_ms, b.first_ms, 0.0005);
    EXPECT_EQ(a.routes, b.routes);
    EXPECT_EQ(a.messages, b.messages);
    EXPECT_EQ(a.channel_spans, b.channel_spans);
    EXPECT_EQ(a.paths, b.paths);
  }
}

TEST(ExperimentTable, RowLayoutIsFixed) {
  EXPECT_EQ(format_experiment_row(row("1", "2", 7, 7, 9, 3.412)),
            "1        2             7      7      9      3.412      1.706      3 123456789012       42      2\n");
}

TEST(ExperimentTable, RefusesOtherFilesNamingTheLine) {
  ExperimentTable table;
  EXPECT_EQ(read_experiment_table("", "t.res", table).text(), "t.res:1: expected TAG.restoration results on FILE");
  EXPECT_EQ(read_experiment_table("results on x\n===\n", "t.res", table).text(),
            "t.res:1: expected TAG.restoration results on FILE");
  EXPECT_EQ(read_experiment_table("vtr.restoration results on x\n--\n", "t.res", table).text(),
            "t.res:2: expected a line of '='");
  const std::string head = "vtr.restoration results on x\n====\n";
  const std::string good = format_experiment_row(row("1", "2", 7, 7, 9, 3.0));
  EXPECT_EQ(read_experiment_table(head + good + "\n1 2 7 x 9 1 1 1 1 1 1\n", "t.res", table).text(),
            "t.res:5: expected the channels restored");
  ASSERT_EQ(table.rows.size(), 1u);  // what came before the fault is kept
  EXPECT_EQ(read_experiment_table(head + "1 2 7 7 9 -1 1 1 1 1 1\n", "t.res", table).text(),
            "t.res:3: expected the completion times");
  // A time that is not a number, or endless, is no completion time either.
  for (const char* time : {"nan", "inf", "1e999"})
    EXPECT_EQ(read_experiment_table(head + "1 2 7 7 9 " + time + " 1 1 1 1 1\n", "t.res", table).text(),
              "t.res:3: expected the completion times")
        << time;
  EXPECT_EQ(read_experiment_table(head + "1 2 7 7 9 1 inf 1 1 1 1\n", "t.res", table).text(),
            "t.res:3: expected the completion times");
  EXPECT_EQ(read_experiment_table(head + "1 2 7 7 9 1 1 1 1 1 1 extra\n", "t.res", table).text(),
            "t.res:3: expected the end of the row");
  EXPECT_EQ(read_experiment_table(head + "1 2 7 7 9 1 1 1 1 1\n", "t.res", table).text(),
            "t.res:3: expected the number of paths");
  EXPECT_EQ(read_experiment_table(head + "1 2 7 7 99999999999 1 1 1 1 1 1\n", "t.res", table).text(),
            "t.res:3: expected the bound");
}

TEST(ExperimentTable, AcceptsCrlfAndTheHeaderAlone) {
  ExperimentTable table;
  ASSERT_FALSE(read_experiment_table("osp.restoration results on a b.rst\r\n=====\r\n", "t.res", table));
  EXPECT_EQ(table.tag, "osp");
  EXPECT_EQ(table.netrestore_file, "a b.rst");
  EXPECT_TRUE(table.rows.empty());
  ASSERT_FALSE(read_experiment_table("osp.restoration results on n\n=====\n1 2 1 1 1 0 0 0 0 0 0\r\n", "t.res", table));
  EXPECT_EQ(table.rows.size(), 1u);
}

}  // namespace
}  // namespace studyfiles
