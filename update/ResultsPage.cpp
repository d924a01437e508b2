#include "update/ResultsPage.h"

#include <boost/regex.hpp>

#include <chrono>
#include <exception>
#include <optional>

namespace tricala {

namespace {

// Perl syntax, case-sensitive; `.` matches line breaks (Boost's default).
// Compiled once: the scan runs on every click of the update button.
const boost::regex& NumberExpression() {
    static const boost::regex e(R"(\d&nbsp;&nbsp;&nbsp;&nbsp;\d&nbsp;&nbsp;&nbsp;&nbsp;\d)");
    return e;
}
const boost::regex& IssueExpression() {
    static const boost::regex e(R"(height="24">.*?\d{5})");
    return e;
}
const boost::regex& DateExpression() {
    static const boost::regex e(R"(\d{4}-\d\d-\d\d)");
    return e;
}
const boost::regex& DigitExpression() {
    static const boost::regex e(R"(\d*\d*\d)");
    return e;
}
const boost::regex& IssueDigitsExpression() {
    static const boost::regex e(R"(\d{5})");
    return e;
}

// Successive leftmost matches, each search starting where the previous
// match ended; at most `limit` of them. None of the expressions can match
// the empty text, so every step advances.
std::vector<std::string_view> Matches(std::string_view text, const boost::regex& e,
                                      std::size_t limit = static_cast<std::size_t>(-1)) {
    std::vector<std::string_view> found;
    const char* from = text.data();
    const char* const end = text.data() + text.size();
    boost::cmatch m;
    while (found.size() < limit && from != end && boost::regex_search(from, end, m, e)) {
        found.emplace_back(m[0].first, static_cast<std::size_t>(m[0].second - m[0].first));
        from = m[0].second;
    }
    return found;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An issue match ends on five digits, so none reaches past the last run of
// five or more digits. Searching only up to there gives the same matches
// and spares the lazy `.*?` its quadratic failing scans over a tail of
// `height="24">` cells with no issue after them.
std::string_view UpToLastFiveDigitRun(std::string_view page) {
    std::size_t end = page.size();
    while (end > 0) {
        std::size_t start = end;
        while (start > 0 && IsDigit(page[start - 1])) --start;
        if (end - start >= 5) return page.substr(0, end);
        end = start;
        while (end > 0 && !IsDigit(page[end - 1])) --end;
    }
    return {};
}

int DecimalValue(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

// "2013-10-13" as an OLE day count at 00:00, or nothing for a day that does
// not exist or lies before the year 100, where the date type ends.
std::optional<double> DayFromText(std::string_view text) {
    using namespace std::chrono;
    const int y = DecimalValue(text.substr(0, 4));
    const year_month_day day{year{y}, month{static_cast<unsigned>(DecimalValue(text.substr(5, 2)))},
                             std::chrono::day{static_cast<unsigned>(DecimalValue(text.substr(8, 2)))}};
    if (y < 100 || !day.ok()) return std::nullopt;
    return static_cast<double>((sys_days{day} - sys_days{1899y / December / 30}).count());
}

ParsedPage Refused(std::string problem) {
    ParsedPage page;
    page.readable = false;
    page.problem = std::move(problem);
    return page;
}

ParsedPage PairMatches(std::string_view page) {
    const std::vector<std::string_view> numbers = Matches(page, NumberExpression());
    if (numbers.empty()) return {};
    const std::vector<std::string_view> issues = Matches(UpToLastFiveDigitRun(page), IssueExpression());
    const std::vector<std::string_view> dates = Matches(page, DateExpression());
    if (issues.size() != numbers.size() || dates.size() != numbers.size())
        return Refused(std::to_string(numbers.size()) + " numbers, " + std::to_string(issues.size()) +
                       " issues and " + std::to_string(dates.size()) + " dates do not pair up");

    ParsedPage parsed;
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const std::string row = "row " + std::to_string(n + 1) + ": ";
        const std::vector<std::string_view> digits = Matches(numbers[n], DigitExpression(), 3);
        if (digits.size() < 3) return Refused(row + "number has fewer than three digits");
        const std::vector<std::string_view> issue = Matches(issues[n], IssueDigitsExpression(), 1);
        if (issue.empty()) return Refused(row + "issue has no five digits");
        const std::optional<double> date = DayFromText(dates[n]);
        if (!date) return Refused(row + "impossible date " + std::string(dates[n]));

        PageRow r;
        r.issue = issue[0];
        for (std::string_view d : digits) r.number += d;
        r.date = *date;
        // Newest first: issues fall strictly (they are the draws' identity);
        // dates never rise. A list shifted against the others breaks this.
        if (!parsed.rows.empty()) {
            const PageRow& newer = parsed.rows.back();
            if (r.issue >= newer.issue) return Refused(row + "issue " + r.issue + " not older than " + newer.issue);
            if (r.date > newer.date) return Refused(row + "date " + std::string(dates[n]) + " after the row above");
        }
        parsed.rows.push_back(std::move(r));
    }
    return parsed;
}

}  // namespace

ParsedPage ParseResultsPage(std::string_view page) {
    try {
        return PairMatches(page);
    } catch (const std::exception& e) {
        // Boost gives up on matches that grow too complex, and may run out of
        // memory; the page is then unreadable, not the program broken.
        return Refused(std::string("expression search failed: ") + e.what());
    }
}

}  // namespace tricala
