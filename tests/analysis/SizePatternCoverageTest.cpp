#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "analysis/NumberProfile.h"

namespace tricala {
namespace {

// The size-pattern filter offers 27 boxes; each must strike a known share
// of the 1000 numbers, so the counts pin down both rules and both thresholds.
TEST(SizePatternCoverage, EveryPatternOccursTheKnownNumberOfTimes) {
    std::map<std::string, int> seen;
    char text[4];
    for (int n = 0; n < 1000; ++n) {
        std::snprintf(text, sizeof text, "%03d", n);
        ++seen[ProfileNumber(text).sizePattern];
    }

    std::map<std::string, int> expected;
    for (const char* p : {"大中小", "大小中", "中大小", "中小大", "小大中", "小中大"}) expected[p] = 120;
    expected["中中中"] = 40;
    expected["小小小"] = 21;
    expected["大大大"] = 21;
    for (const char* p : {"小小中", "小中小", "中小小", "小中中", "中小中", "中中小", "中中大", "中大中",
                          "大中中", "中大大", "大中大", "大大中"})
        expected[p] = 12;
    for (const char* p : {"小小大", "小大小", "大小小", "小大大", "大小大", "大大小"}) expected[p] = 9;

    EXPECT_EQ(seen, expected);
}

TEST(SizePatternCoverage, SumsAndGapsStayInRange) {
    char text[4];
    int sumCount[28] = {};
    for (int n = 0; n < 1000; ++n) {
        std::snprintf(text, sizeof text, "%03d", n);
        const NumberProfile p = ProfileNumber(text);
        const int sum = std::stoi(p.sumText);
        ASSERT_EQ(p.sumText, std::to_string(sum)) << text;
        ASSERT_EQ(p.gaps.size(), 3u) << text;
        ASSERT_EQ(p.oddEven.size(), 9u) << text;
        ++sumCount[sum];
    }
    // The sum filter's extremes: only 000 sums to 0, only 999 to 27, and the
    // middle sums 13 and 14 are the most frequent (75 numbers each).
    EXPECT_EQ(sumCount[0], 1);
    EXPECT_EQ(sumCount[27], 1);
    EXPECT_EQ(sumCount[13], 75);
    EXPECT_EQ(sumCount[14], 75);
}

}  // namespace
}  // namespace tricala
