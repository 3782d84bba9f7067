#include "results.h"

#include <gtest/gtest.h>

#include <string>

namespace studyfiles {

namespace {

std::string row(const char* text) { return text + std::string("\n"); }

const std::string kRowAB = row("   1     A      B      10    Y       10     0.100000   0.050000    30    100.00%");
const std::string kRowCD = row("   3     C      D       5    N        0     0.010000   0.005000     0      0.00%");
const std::string kExponentialBanner =
    "\n---------------------------------------------------------------------------\n"
    "---------------------------EXPONENTIAL FIT-----------------------------------\n"
    "---------------------------------------------------------------------------\n\n";
const std::string kBisectionBanner =
    "\n---------------------------------------------------------------------------\n"
    "------------------------------BISECTION--------------------------------------\n"
    "---------------------------------------------------------------------------\n\n";
const std::string kTrialCD4 = row(
    "   5     C      D       5    N        4     0.040000   0.020000   0     80.00%  0.040000  0.020000     1   -1");
const std::string kLastAttemptCD =
    "\n\n********** LAST ATTEMPT *********** Need to try lower bound!!\n\n"
    "   5     C      D       5    N        1     0.010000   0.005000   0     20.00%  0.070000  0.035000    3    0\n"
    "\n\n********** LAST ATTEMPT FAILED *********** NO RESTORATION POSSIBLE!!\n\n";
std::string closing(const char* words, int before, int after) {
  std::string plus(81, '+');
  return "\n" + plus + "\n" + std::string(before, '+') + words + std::string(after, '+') + "\n" + plus + "\n\n";
}

std::vector<ResultRow> read_ok(const std::string& text) {
  std::vector<ResultRow> rows;
  EXPECT_EQ(read_results(text, "net.out", rows).text(), "");
  return rows;
}

}  // namespace

TEST(Results, ReadsEveryFieldOfAPlainTable) {
  std::vector<ResultRow> rows = read_ok(kResultsHeader + kRowAB + kRowCD);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].line, 4);
  EXPECT_EQ(rows[0].edge, 1);
  EXPECT_EQ(rows[0].from, "A");
  EXPECT_EQ(rows[0].to, "B");
  EXPECT_EQ(rows[0].working, 10);
  EXPECT_TRUE(rows[0].feasible);
  EXPECT_EQ(rows[0].restored, 10);
  EXPECT_DOUBLE_EQ(rows[0].elapsed, 0.1);
  EXPECT_DOUBLE_EQ(rows[0].cost, 30.0);
  EXPECT_DOUBLE_EQ(rows[0].percent, 100.0);
  EXPECT_FALSE(rows[1].feasible);
  EXPECT_TRUE(read_ok(kResultsHeader).empty());

  std::string crlf;  // the same table with carriage returns
  for (char c : kResultsHeader + kRowAB + kRowCD) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(read_ok(crlf).size(), 2u);
}

TEST(Results, PassesOverBannersTrialRowsAndLastAttemptNotes) {
  // capsweep -d with strategy 1: the banners, a trial row with its totals,
  // the last attempt's notes, then the cut's row.
  std::string text =
      kResultsHeader + kRowAB + kExponentialBanner + kTrialCD4 + kBisectionBanner + kLastAttemptCD + kRowCD;
  std::vector<ResultRow> rows = read_ok(text);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].from, "C");
  EXPECT_EQ(rows[1].line, 25);
}

TEST(Results, PassesOverTheClosingBannersOfStrategyFour) {
  std::string text = kResultsHeader + kExponentialBanner + kTrialCD4 + closing("END EXPONENTIAL RUN", 25, 37) +
                     kTrialCD4 + closing("END LINEAR RUN", 27, 39) + kTrialCD4 + closing("END BISECTION RUN", 26, 38) +
                     kRowCD;
  std::vector<ResultRow> rows = read_ok(text);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].to, "D");
}

TEST(Results, SeparatesALastAttemptWrittenWithoutItsLineEnd) {
  // Without -d a last attempt may leave its trial row's first parts, which
  // end in two blanks and no line end, in front of the cut's row.
  std::string fragment = "   5     C      D       5    N        1     0.010000   0.005000   0     20.00%  ";
  std::vector<ResultRow> rows = read_ok(kResultsHeader + fragment + kRowCD + kRowAB);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].from, "C");
  EXPECT_EQ(rows[0].restored, 0);
  EXPECT_EQ(rows[0].line, 4);
  // ... or in front of a closing banner, which starts with a line end.
  rows = read_ok(kResultsHeader + fragment + closing("END BISECTION RUN", 26, 38) + kRowCD);
  EXPECT_EQ(rows.size(), 1u);
}

TEST(Results, RefusesOtherFilesNamingTheLine) {
  std::vector<ResultRow> rows;
  std::string header(kResultsHeader);
  std::string wrong_second = header.substr(0, header.find('\n') + 1) + "Edge Node\n";
  EXPECT_EQ(read_results(wrong_second, "net.out", rows).text(),
            "net.out:2: not a results table of capsweep: header line 2 differs");
  EXPECT_EQ(read_results("", "net.out", rows).text(), "net.out:1: not a results table of capsweep: header line 1 differs");
  EXPECT_EQ(read_results(header + kRowAB + "   2  A  B  10  maybe  3  0.1 0.1 0 30.00%\n", "net.out", rows).text(),
            "net.out:5: expected Y or N in a row of the results table");
  EXPECT_EQ(read_results(header + "Finished\n", "net.out", rows).text(),
            "net.out:4: expected the edge number in a row of the results table");
  EXPECT_EQ(read_results(header + "   1     A      B      10    Y       10     0.1   0.05    30    100.00\n", "net.out",
                         rows)
                .text(),
            "net.out:4: expected the percentage restored in a row of the results table");
}

// What capsweep writes, capview reads back: the rows as written, the trial
// rows and banners between them passed over, and the bytes of today's table.
TEST(Results, RowsWrittenReadBackTheSame) {
  ResultRow ab{0, 1, "A", "B", 10, true, 10, 0.1, 0.05, 30.0, 100.0};
  ResultRow cd{0, 3, "C", "D", 5, false, 0, 0.01, 0.005, 0.0, 0.0};
  EXPECT_EQ(format_result_row(ab), kRowAB);
  EXPECT_EQ(format_result_row(cd), kRowCD);
  ResultRow trial{0, 5, "C", "D", 5, false, 4, 0.04, 0.02, 0.0, 80.0};
  EXPECT_EQ(format_trial_row(trial) + "0.040000  0.020000     1   -1\n", kTrialCD4);

  std::vector<ResultRow> rows = read_ok(std::string(kResultsHeader) + format_result_row(ab) + kExponentialBanner +
                                        format_trial_row(trial) + "0.040000  0.020000     1   -1\n" +
                                        format_result_row(cd));
  ASSERT_EQ(rows.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    const ResultRow& want = k == 0 ? ab : cd;
    EXPECT_EQ(rows[k].edge, want.edge);
    EXPECT_EQ(rows[k].from, want.from);
    EXPECT_EQ(rows[k].to, want.to);
    EXPECT_EQ(rows[k].working, want.working);
    EXPECT_EQ(rows[k].feasible, want.feasible);
    EXPECT_EQ(rows[k].restored, want.restored);
    EXPECT_DOUBLE_EQ(rows[k].elapsed, want.elapsed);
    EXPECT_DOUBLE_EQ(rows[k].cpu, want.cpu);
    EXPECT_DOUBLE_EQ(rows[k].cost, want.cost);
    EXPECT_DOUBLE_EQ(rows[k].percent, want.percent);
  }
  EXPECT_EQ(rows[1].line, 11);
}

}  // namespace studyfiles
