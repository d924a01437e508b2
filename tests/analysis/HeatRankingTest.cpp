#include <gtest/gtest.h>

#include "analysis/HeatRanking.h"

namespace tricala {
namespace {

// Column of one position read top to bottom.
std::array<int, 10> DigitColumn(const HeatRanking& rows, int position) {
    std::array<int, 10> column{};
    for (int r = 0; r < 10; ++r) column[r] = rows[r].digit[position];
    return column;
}

TEST(RankDigits, HeatRunsFromNineAtTheTopToZero) {
    const HeatRanking rows = RankDigits(DigitCounts{});
    for (int r = 0; r < 10; ++r) EXPECT_EQ(rows[r].heat, 9 - r);
}

TEST(RankDigits, EmptyHistoryListsDigitsDescendingSoHeatEqualsDigit) {
    const HeatRanking rows = RankDigits(DigitCounts{});
    for (int position = 0; position < 3; ++position) {
        EXPECT_EQ(DigitColumn(rows, position), (std::array<int, 10>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
        for (const HeatRow& row : rows) {
            EXPECT_EQ(row.count[position], 0);
            EXPECT_EQ(row.heat, row.digit[position]);
        }
    }
}

TEST(RankDigits, CountsOfTwoDecimalDigitsSortAboveSingleDigitCounts) {
    // Packs 127 and 100 against 99: a text sort would put 99 first.
    DigitCounts counts{};
    counts[0][7] = 12;
    counts[0][0] = 10;
    counts[0][9] = 9;
    counts[0][3] = 1;
    const HeatRanking rows = RankDigits(counts);
    EXPECT_EQ(DigitColumn(rows, 0), (std::array<int, 10>{7, 0, 9, 3, 8, 6, 5, 4, 2, 1}));
    EXPECT_EQ(rows[0].count[0], 12);
    EXPECT_EQ(rows[1].count[0], 10);
    EXPECT_EQ(rows[2].count[0], 9);
    EXPECT_EQ(rows[3].count[0], 1);
    EXPECT_EQ(rows[4].count[0], 0);
}

TEST(RankDigits, EqualCountsPutTheLargerDigitHigher) {
    DigitCounts counts{};
    counts[1][2] = 3;
    counts[1][7] = 3;
    counts[1][4] = 5;
    const HeatRanking rows = RankDigits(counts);
    EXPECT_EQ(DigitColumn(rows, 1), (std::array<int, 10>{4, 7, 2, 9, 8, 6, 5, 3, 1, 0}));
}

TEST(RankDigits, PositionsAreRankedIndependently) {
    DigitCounts counts{};
    counts[0][1] = 4;
    counts[2][1] = 0;
    counts[2][6] = 2;
    const HeatRanking rows = RankDigits(counts);
    EXPECT_EQ(rows[0].digit[0], 1);
    EXPECT_EQ(rows[0].digit[1], 9);
    EXPECT_EQ(rows[0].digit[2], 6);
}

TEST(RankDigits, LargeCountsKeepTheirValue) {
    DigitCounts counts{};
    counts[2][5] = 250000;
    const HeatRanking rows = RankDigits(counts);
    EXPECT_EQ(rows[0].digit[2], 5);
    EXPECT_EQ(rows[0].count[2], 250000);
}

}  // namespace
}  // namespace tricala
