#include <gtest/gtest.h>

#include "analysis/HeatRanking.h"
#include "store/DrawStore.h"
#include "tests/support/FixtureStore.h"
#include "tests/support/TempDir.h"

namespace tricala {
namespace {

using test::FixtureDraw;

std::vector<FixtureDraw> Draws(std::initializer_list<const char*> numbers) {
    std::vector<FixtureDraw> draws;
    int issue = 13001;
    for (const char* n : numbers) draws.push_back({n, "2013-01-01", std::to_string(issue++)});
    return draws;
}

// Heat of `digit` at `position`, as the panel reads it off the table.
std::string HeatOf(const HeatRanking& rows, int position, int digit) {
    for (const HeatRow& row : rows)
        if (row.digit[position] == digit) return std::to_string(row.heat);
    return {};
}

class DigitCount : public ::testing::Test {
protected:
    std::unique_ptr<DrawStore> Store(std::initializer_list<const char*> numbers, int totalRecords) {
        return test::MakeFixtureStore(dir_.file("caipiao.edb"), Draws(numbers), totalRecords, false);
    }
    test::TempDir dir_;
};

TEST_F(DigitCount, FiveDrawsGiveTheExpectedTable) {
    auto store = Store({"123", "153", "428", "105", "623"}, 5);
    const HeatRanking rows = RankDigits(CountDigits(*store));

    // Per row: digit and count for positions 1, 2, 3.
    const int expected[10][6] = {
        {1, 3, 2, 3, 3, 3}, {6, 1, 5, 1, 8, 1}, {4, 1, 0, 1, 5, 1}, {9, 0, 9, 0, 9, 0}, {8, 0, 8, 0, 7, 0},
        {7, 0, 7, 0, 6, 0}, {5, 0, 6, 0, 4, 0}, {3, 0, 4, 0, 2, 0}, {2, 0, 3, 0, 1, 0}, {0, 0, 1, 0, 0, 0},
    };
    for (int r = 0; r < 10; ++r)
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(rows[r].digit[p], expected[r][2 * p]) << "row " << r << " position " << p;
            EXPECT_EQ(rows[r].count[p], expected[r][2 * p + 1]) << "row " << r << " position " << p;
        }

    EXPECT_EQ(HeatOf(rows, 0, 1) + HeatOf(rows, 1, 0) + HeatOf(rows, 2, 8), "978");
    EXPECT_EQ(HeatOf(rows, 0, 6) + HeatOf(rows, 1, 2) + HeatOf(rows, 2, 3), "899");
}

TEST_F(DigitCount, LeavesTheCursorOnTheFirstRecord) {
    auto store = Store({"123", "153", "428"}, 3);
    store->GoLast();
    CountDigits(*store);
    EXPECT_EQ(store->RecordNumber(), 1);
}

TEST_F(DigitCount, BlankRecordsCountForNoDigit) {
    // 995 records with an empty 中奖号 after the draws.
    auto store = Store({"000", "900", "090"}, 1000);
    const DigitCounts counts = CountDigits(*store);
    EXPECT_EQ(counts[0][0], 2);
    EXPECT_EQ(counts[0][9], 1);
    EXPECT_EQ(counts[1][0], 2);
    EXPECT_EQ(counts[2][0], 3);
    int total = 0;
    for (const auto& position : counts)
        for (int n : position) total += n;
    EXPECT_EQ(total, 9);
}

TEST_F(DigitCount, PositionThreeIsTheLastCharacterAndPositionTwoNeedsTwo) {
    auto store = Store({"7", "12345", "", "48"}, 4);
    const DigitCounts counts = CountDigits(*store);
    EXPECT_EQ(counts[0], (std::array<int, 10>{0, 1, 0, 0, 1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(counts[1], (std::array<int, 10>{0, 0, 1, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(counts[2], (std::array<int, 10>{0, 0, 0, 0, 0, 1, 0, 1, 1, 0}));
}

TEST_F(DigitCount, RepeatedDigitsAreCountedOncePerRecordAndPosition) {
    // Adjacent hits: every record holds the digit, so each find lands on the
    // cursor's own record.
    auto store = Store({"777", "777", "777", "777", "777", "777", "777", "777", "777", "777", "777", "777"}, 12);
    const DigitCounts counts = CountDigits(*store);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(counts[p][7], 12);
        EXPECT_EQ(counts[p][0], 0);
    }
    const HeatRanking rows = RankDigits(counts);
    EXPECT_EQ(rows[0].digit[0], 7);
    EXPECT_EQ(rows[0].count[0], 12);
}

TEST_F(DigitCount, EmptyTableCountsNothing) {
    auto store = Store({}, 0);
    EXPECT_EQ(CountDigits(*store), DigitCounts{});
}

}  // namespace
}  // namespace tricala
