#include <gtest/gtest.h>

#include "analysis/NumberProfile.h"

namespace tricala {
namespace {

struct ProfileCase {
    const char* number;
    const char* digit1;
    const char* digit2;
    const char* digit3;
    const char* oddEven;
    const char* sizePattern;
    const char* sumText;
    const char* gaps;
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << '"' << c.number << '"'; }

class ProfileTable : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileTable, GivesEverySevenTexts) {
    const ProfileCase& c = GetParam();
    const NumberProfile p = ProfileNumber(c.number);
    EXPECT_EQ(p.digit1, c.digit1);
    EXPECT_EQ(p.digit2, c.digit2);
    EXPECT_EQ(p.digit3, c.digit3);
    EXPECT_EQ(p.oddEven, c.oddEven);
    EXPECT_EQ(p.sizePattern, c.sizePattern);
    EXPECT_EQ(p.sumText, c.sumText);
    EXPECT_EQ(p.gaps, c.gaps);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeDigitNumbers, ProfileTable,
    ::testing::Values(ProfileCase{"159", "1", "5", "9", "单单单", "小中大", "15", "448"},
                      ProfileCase{"000", "0", "0", "0", "双双双", "小小小", "0", "000"},
                      ProfileCase{"999", "9", "9", "9", "单单单", "大大大", "27", "000"},
                      ProfileCase{"555", "5", "5", "5", "单单单", "中中中", "15", "000"},
                      ProfileCase{"012", "0", "1", "2", "双单双", "小中大", "3", "112"},
                      ProfileCase{"789", "7", "8", "9", "单双单", "小中大", "24", "112"},
                      ProfileCase{"736", "7", "3", "6", "单单双", "大小中", "16", "431"},
                      ProfileCase{"150", "1", "5", "0", "单单双", "中大小", "6", "451"},
                      ProfileCase{"501", "5", "0", "1", "单双单", "大小中", "6", "514"},
                      ProfileCase{"112", "1", "1", "2", "单单双", "小小小", "4", "011"},
                      ProfileCase{"211", "2", "1", "1", "双单单", "小小小", "4", "101"},
                      ProfileCase{"907", "9", "0", "7", "单双单", "大小中", "16", "972"},
                      ProfileCase{"377", "3", "7", "7", "单单单", "中大大", "17", "404"},
                      ProfileCase{"337", "3", "3", "7", "单单单", "中中大", "13", "044"},
                      ProfileCase{"336", "3", "3", "6", "单单双", "中中中", "12", "033"},
                      ProfileCase{"909", "9", "0", "9", "单双单", "大小大", "18", "990"},
                      ProfileCase{"990", "9", "9", "0", "单单双", "大大小", "18", "099"}));

// Texts that are not three digits: struck records (empty), typing in the
// panel's edit box, and Chinese text, whose characters take two code-page
// bytes each.
INSTANTIATE_TEST_SUITE_P(
    OtherTexts, ProfileTable,
    ::testing::Values(ProfileCase{"", "", "", "", "双双双", "小小小", "0", "000"},
                      ProfileCase{"1a3", "1", "a", "3", "单双单", "中小大", "4", "132"},
                      ProfileCase{"7", "7", "", "7", "单双单", "大小大", "14", "770"},
                      ProfileCase{"12", "1", "2", "2", "单双双", "小小小", "5", "101"},
                      ProfileCase{"12345", "1", "2", "5", "单双单", "小中大", "8", "134"},
                      // 中 covers code-page bytes 1 and 2: position 2 is inside it.
                      ProfileCase{"中58", "中", "", "8", "双双双", "小小大", "8", "088"},
                      ProfileCase{"5中", "5", "中", "中", "单双双", "中小小", "5", "505"},
                      ProfileCase{"3 9", "3", " ", "9", "单双单", "中小大", "12", "396"}));

TEST(LocalByteLength, CountsChineseCharactersAsTwoBytes) {
    EXPECT_EQ(LocalByteLength(""), 0);
    EXPECT_EQ(LocalByteLength("077"), 3);
    EXPECT_EQ(LocalByteLength("单单单"), 6);
    EXPECT_EQ(LocalByteLength("1中"), 3);
    EXPECT_EQ(LocalByteLength("第13245期"), 9);
}

TEST(LocalByteLength, SurvivesMalformedUtf8) {
    // A lone continuation byte and a sequence cut short at the end.
    EXPECT_EQ(LocalByteLength("\x80" "1"), 3);
    EXPECT_EQ(LocalByteLength("1\xE4\xB8"), 3);
}

TEST(PositionCharacters, CutShortSequenceStaysInsideTheText) {
    const NumberPositions chars = PositionCharacters("1\xE4\xB8");
    EXPECT_EQ(chars.first, "1");
    EXPECT_EQ(chars.second, "\xE4\xB8");
    EXPECT_EQ(chars.last, "\xE4\xB8");
}

}  // namespace
}  // namespace tricala
