// DateText, ParseDate and OleDateFromParts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/DrawStore.h"

namespace tricala {
namespace {

struct DateCase {
    int year, month, day, hour, minute, second;
    double ole;        // expected OLE day count (checked when not NaN)
    const char* text;  // DateText of it
};

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();

const DateCase kDates[] = {
    {1899, 12, 30, 0, 0, 0, 0.0, "1899年12月30日"},
    {1899, 12, 30, 12, 0, 0, 0.5, "1899年12月30日12时"},
    {1899, 12, 31, 0, 0, 0, 1.0, "1899年12月31日"},
    {1900, 1, 1, 0, 0, 0, 2.0, "1900年1月1日"},
    {1899, 12, 29, 0, 0, 0, -1.0, "1899年12月29日"},
    {1899, 12, 29, 6, 0, 0, -1.25, "1899年12月29日6时"},
    {1800, 1, 1, 0, 0, 0, -36522.0, "1800年1月1日"},
    {100, 1, 1, 0, 0, 0, -657434.0, "100年1月1日"},
    {9999, 12, 31, 0, 0, 0, 2958465.0, "9999年12月31日"},
    {9999, 12, 31, 23, 59, 59, kAny, "9999年12月31日23时59分59秒"},
    {2008, 5, 1, 0, 0, 0, 39569.0, "2008年5月1日"},
    {2008, 5, 1, 0, 0, 5, kAny, "2008年5月1日0时0分5秒"},
    {2008, 5, 1, 20, 30, 0, 39569.0 + 20.5 / 24, "2008年5月1日20时30分"},
    {2008, 5, 1, 20, 0, 0, 39569.0 + 20.0 / 24, "2008年5月1日20时"},
    {2008, 5, 1, 0, 30, 0, kAny, "2008年5月1日0时30分"},
    {2008, 5, 1, 23, 59, 59, kAny, "2008年5月1日23时59分59秒"},
    {2008, 5, 4, 8, 0, 0, 39572.0 + 1.0 / 3, "2008年5月4日8时"},
    {2000, 2, 29, 0, 0, 0, 36585.0, "2000年2月29日"},
    {2004, 11, 14, 0, 0, 0, 38305.0, "2004年11月14日"},
    {2013, 10, 17, 0, 0, 0, 41564.0, "2013年10月17日"},
    {2026, 7, 29, 0, 0, 0, 46232.0, "2026年7月29日"},
    {2026, 12, 31, 12, 1, 1, kAny, "2026年12月31日12时1分1秒"},
};

class DateRoundTrip : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateRoundTrip, PartsTextAndBack) {
    const DateCase& c = GetParam();
    const double ole = OleDateFromParts(c.year, c.month, c.day, c.hour, c.minute, c.second);
    if (!std::isnan(c.ole)) {
        EXPECT_DOUBLE_EQ(ole, c.ole);
    }
    EXPECT_EQ(DateText(ole), c.text);
    EXPECT_EQ(ParseDate(c.text), ole);
    EXPECT_EQ(DateText(ParseDate(c.text)), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, DateRoundTrip, ::testing::ValuesIn(kDates));

TEST(DateText, FromThePart21Examples) {
    EXPECT_EQ(DateText(0.0), "1899年12月30日");
    EXPECT_EQ(DateText(OleDateFromParts(2008, 5, 1)), "2008年5月1日");
    EXPECT_EQ(DateText(OleDateFromParts(2008, 5, 1, 20, 30)), "2008年5月1日20时30分");
    EXPECT_EQ(DateText(OleDateFromParts(2008, 5, 1, 0, 0, 5)), "2008年5月1日0时0分5秒");
    EXPECT_NEAR(OleDateFromParts(2008, 5, 4, 8) - OleDateFromParts(2008, 5, 1), 3.0 + 1.0 / 3, 1e-9);
    EXPECT_EQ(kEarliestOleDate, -657434.0);
}

// A value a hair below a whole second is rounded to it, not truncated.
TEST(DateText, RoundsToTheNearestSecond) {
    const double midnight = OleDateFromParts(2008, 5, 2);
    EXPECT_EQ(DateText(midnight - 1e-9), "2008年5月2日");
    EXPECT_EQ(DateText(midnight - 0.4 / 86400), "2008年5月2日");
    EXPECT_EQ(DateText(midnight - 0.6 / 86400), "2008年5月1日23时59分59秒");
    EXPECT_EQ(DateText(OleDateFromParts(2008, 5, 1, 20, 30) + 1e-9), "2008年5月1日20时30分");
    EXPECT_EQ(DateText(OleDateFromParts(2008, 5, 1, 20, 30) - 1e-9), "2008年5月1日20时30分");
    EXPECT_EQ(DateText(39569.0 + 20.5 / 24), "2008年5月1日20时30分");
    // Before day 0 the fraction is the time of the (negative) day.
    EXPECT_EQ(DateText(-1.0 - (1 - 1e-9)), "1899年12月30日");
    EXPECT_EQ(DateText(-0.5), "1899年12月30日12时");
}

TEST(DateText, OutOfRangeHasNoText) {
    EXPECT_EQ(DateText(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(DateText(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(DateText(-657435.0), "");
    EXPECT_EQ(DateText(2958466.0), "");
    EXPECT_EQ(DateText(-657434.5), "100年1月1日12时");
}

struct ParseCase {
    const char* text;
    int year, month, day, hour, minute, second;
};

const ParseCase kSeparators[] = {
    {"2008-05-01", 2008, 5, 1, 0, 0, 0},
    {"2008/5/1", 2008, 5, 1, 0, 0, 0},
    {"2008.5.1", 2008, 5, 1, 0, 0, 0},
    {"2008 5 1", 2008, 5, 1, 0, 0, 0},
    {"2008:5:1", 2008, 5, 1, 0, 0, 0},
    {"2008/5/1 20:30:00", 2008, 5, 1, 20, 30, 0},
    {"2008-05-01 20:30", 2008, 5, 1, 20, 30, 0},
    {"2008-05-01 20", 2008, 5, 1, 20, 0, 0},
    {"2008-05-01 00:00:05", 2008, 5, 1, 0, 0, 5},
    {"2008年05月01日", 2008, 5, 1, 0, 0, 0},
    {"2008年5月1日 20时30分", 2008, 5, 1, 20, 30, 0},
    {"2008年5月1日20:30:15", 2008, 5, 1, 20, 30, 15},
    {"2008-5-1 20时", 2008, 5, 1, 20, 0, 0},
    {"  2008-05-01  ", 2008, 5, 1, 0, 0, 0},
    {"2008-05-01 23:59:59", 2008, 5, 1, 23, 59, 59},
    {"2000-02-29", 2000, 2, 29, 0, 0, 0},
    {"100-1-1", 100, 1, 1, 0, 0, 0},
};

class ParseSeparators : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSeparators, Reads) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseDate(c.text), OleDateFromParts(c.year, c.month, c.day, c.hour, c.minute, c.second)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, ParseSeparators, ::testing::ValuesIn(kSeparators));

class ParseInvalid : public ::testing::TestWithParam<const char*> {};

TEST_P(ParseInvalid, GivesTheEarliestDate) { EXPECT_EQ(ParseDate(GetParam()), kEarliestOleDate) << GetParam(); }

INSTANTIATE_TEST_SUITE_P(Table, ParseInvalid,
                         ::testing::Values("", "   ", "garbage", "2008", "2008-05", "2008年5月", "2008-02-30",
                                           "2007-02-29", "1900-02-29", "2008-13-01", "2008-00-10", "2008-05-00",
                                           "2008-05-32", "2008-05-01 24:00", "2008-05-01 12:60", "2008-05-01 12:00:60",
                                           "2008-05-01 1:2:3:4", "2008-05-01-", "2008--05-01", "2008-05-01x",
                                           "2008月5年1日", "2008年5月1日日", "99-01-01", "10000-01-01",
                                           "x2008-05-01", "2008-05-0１", "20080501",
                                           "-2008-05-01", "2008_05_01", "9999999999-1-1", "2008-05-01 +1"));

TEST(OleDateFromParts, InvalidPartsGiveTheEarliestDate) {
    EXPECT_EQ(OleDateFromParts(2008, 2, 30), kEarliestOleDate);
    EXPECT_EQ(OleDateFromParts(99, 12, 31), kEarliestOleDate);
    EXPECT_EQ(OleDateFromParts(2008, 5, 1, 24), kEarliestOleDate);
    EXPECT_EQ(OleDateFromParts(2008, 5, 1, 0, -1), kEarliestOleDate);
    EXPECT_EQ(OleDateFromParts(100, 1, 1), kEarliestOleDate);  // and the earliest date itself
}

// Every day of a wide span survives text and back.
TEST(DateText, EveryDayRoundTrips) {
    for (double day = -40000; day <= 60000; day += 1) {
        const std::string text = DateText(day);
        ASSERT_EQ(ParseDate(text), day) << text;
        const double noonish = day >= 0 ? day + 43201.0 / 86400 : day - 43201.0 / 86400;
        ASSERT_EQ(ParseDate(DateText(noonish)), noonish) << DateText(noonish);
    }
}

}  // namespace
}  // namespace tricala
