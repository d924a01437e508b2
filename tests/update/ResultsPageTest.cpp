#include <gtest/gtest.h>

#include <string>

#include "update/ResultsPage.h"

namespace tricala {
namespace {

// One table row as the operator's page writes it.
std::string Row(const std::string& issue, const std::string& digits, const std::string& date) {
    const std::string gap = "&nbsp;&nbsp;&nbsp;&nbsp;";
    return "<tr><td height=\"24\">" + issue + "</td><td>" + digits.substr(0, 1) + gap + digits.substr(1, 1) + gap +
           digits.substr(2, 1) + "</td><td>" + date + "</td></tr>\n";
}

std::string Page(const std::string& rows) {
    return "<html><head><title>排列三开奖历史</title></head>\n<body><table>\n" + rows + "</table></body></html>\n";
}

std::string WorkedExample() {
    return Page(Row("13246", "538", "2013-10-13") + Row("13245", "077", "2013-10-12") +
                Row("13244", "419", "2013-10-11"));
}

// OLE day count of 2013-10-13 at 00:00.
constexpr double k20131013 = 41560.0;

TEST(ParseResultsPage, ReadsTheRowsNewestFirst) {
    const ParsedPage page = ParseResultsPage(WorkedExample());
    ASSERT_TRUE(page.readable) << page.problem;
    ASSERT_EQ(page.rows.size(), 3u);
    EXPECT_EQ(page.rows[0].issue, "13246");
    EXPECT_EQ(page.rows[0].number, "538");
    EXPECT_EQ(page.rows[0].date, k20131013);
    EXPECT_EQ(page.rows[1].issue, "13245");
    EXPECT_EQ(page.rows[1].number, "077");
    EXPECT_EQ(page.rows[1].date, k20131013 - 1);
    EXPECT_EQ(page.rows[2].issue, "13244");
    EXPECT_EQ(page.rows[2].number, "419");
    EXPECT_EQ(page.rows[2].date, k20131013 - 2);
}

TEST(ParseResultsPage, IssueCellMaySpanLinesAndMarkup) {
    const std::string gap = "&nbsp;&nbsp;&nbsp;&nbsp;";
    const ParsedPage page = ParseResultsPage("<td height=\"24\">\r\n  <a href=\"x\">第</a>\n<b>13246</b></td><td>0" +
                                             gap + "0" + gap + "7</td><td>2013-10-13</td>");
    ASSERT_TRUE(page.readable) << page.problem;
    ASSERT_EQ(page.rows.size(), 1u);
    EXPECT_EQ(page.rows[0].issue, "13246");
    EXPECT_EQ(page.rows[0].number, "007");
}

TEST(ParseResultsPage, LongerDigitRunGivesItsFirstFiveDigits) {
    const ParsedPage page = ParseResultsPage(Page(Row("2013246", "538", "2013-10-13")));
    ASSERT_TRUE(page.readable) << page.problem;
    EXPECT_EQ(page.rows.at(0).issue, "20132");
}

TEST(ParseResultsPage, PagesWithoutNumbersHaveNoRowsAndAreReadable) {
    for (const std::string& text : {std::string(), std::string("<html><body><h1>404 Not Found</h1></body></html>"),
                                   Page("<tr><td height=\"24\">13246</td><td>2013-10-13</td></tr>")}) {
        const ParsedPage page = ParseResultsPage(text);
        EXPECT_TRUE(page.readable) << text;
        EXPECT_TRUE(page.rows.empty()) << text;
    }
}

struct RefusedCase {
    const char* what;
    std::string page;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.what; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

class RefusedPage : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPage, GivesNoRowsAndSaysWhy) {
    const ParsedPage page = ParseResultsPage(GetParam().page);
    EXPECT_FALSE(page.readable);
    EXPECT_TRUE(page.rows.empty());
    EXPECT_FALSE(page.problem.empty());
}

const std::string kRow1 = Row("13246", "538", "2013-10-13");
const std::string kRow2 = Row("13245", "077", "2013-10-12");
const std::string kRow3 = Row("13244", "419", "2013-10-11");

INSTANTIATE_TEST_SUITE_P(
    ListsThatDoNotLineUp, RefusedPage,
    ::testing::Values(
        RefusedCase{"extra date outside the table", Page(kRow1 + kRow2 + kRow3) + "<p>更新于 2013-10-14</p>"},
        RefusedCase{"extra issue cell", Page(kRow1 + kRow2 + kRow3 + "<td height=\"24\">13243</td>")},
        RefusedCase{"row without date", Page(kRow1 + Row("13245", "077", "") + kRow3)},
        RefusedCase{"row without issue cell",
                    Page(kRow1 + "<tr><td>13245</td><td>0&nbsp;&nbsp;&nbsp;&nbsp;7&nbsp;&nbsp;&nbsp;&nbsp;7</td>"
                                 "<td>2013-10-12</td></tr>" +
                         kRow3)},
        RefusedCase{"issue of four digits borrows the next row's", Page(kRow1 + Row("1324", "077", "2013-10-12") + kRow3)},
        RefusedCase{"matching is case-sensitive", Page(kRow1 + Replaced(kRow2, "height", "HEIGHT") + kRow3)},
        RefusedCase{"rows oldest first", Page(kRow3 + kRow2 + kRow1)},
        RefusedCase{"same issue twice", Page(kRow1 + Row("13246", "538", "2013-10-13"))},
        RefusedCase{"dates rise while issues fall", Page(kRow1 + Row("13245", "077", "2013-10-14"))}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    ImpossibleDates, RefusedPage,
    ::testing::Values(RefusedCase{"30 February", Page(Row("13246", "538", "2013-02-30"))},
                      RefusedCase{"29 February of a common year", Page(Row("13246", "538", "2013-02-29"))},
                      RefusedCase{"month 13", Page(Row("13246", "538", "2013-13-01"))},
                      RefusedCase{"month 0", Page(Row("13246", "538", "2013-00-10"))},
                      RefusedCase{"day 0", Page(Row("13246", "538", "2013-10-00"))},
                      RefusedCase{"31 April", Page(Row("13246", "538", "2013-04-31"))},
                      RefusedCase{"year 0", Page(Row("13246", "538", "0000-10-13"))}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ParseResultsPage, LeapDayIsAccepted) {
    const ParsedPage page = ParseResultsPage(Page(Row("12060", "123", "2012-02-29")));
    ASSERT_TRUE(page.readable) << page.problem;
    EXPECT_EQ(page.rows.at(0).date, 40968.0);
}

TEST(ParseResultsPage, SameDayTwiceIsAcceptedWhenIssuesFall) {
    const ParsedPage page = ParseResultsPage(Page(kRow1 + Row("13245", "077", "2013-10-13")));
    ASSERT_TRUE(page.readable) << page.problem;
    EXPECT_EQ(page.rows.size(), 2u);
}

TEST(ParseResultsPage, TailOfIssueCellsWithoutIssuesStaysCheap) {
    // Half a million issue cells after the table, none followed by five
    // digits: a plain search retries the lazy expression from every cell to
    // the end of the text.
    std::string tail;
    for (int i = 0; i < 500000; ++i) tail += "<td height=\"24\">-</td>";
    const ParsedPage page = ParseResultsPage(Page(kRow1 + kRow2) + tail);
    ASSERT_TRUE(page.readable) << page.problem;
    EXPECT_EQ(page.rows.size(), 2u);
}

}  // namespace
}  // namespace tricala
