// The history CSV reader and the tricala_import tool.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "store/DrawStore.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/support/TempDir.h"
#include "tools/HistoryCsv.h"

namespace tricala::test {
namespace {

const char* const kGood =
    "issue,date,number\n"
    "2013244,2013-09-07,192\n"
    "2013245,2013-09-08,077\n"
    "2013246,2013-09-09,000\n"
    "2014001,2014-01-05,999\n";

HistoryParseResult Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseHistoryCsv(in);
}

TEST(HistoryCsv, ReadsAGoodFile) {
    const HistoryParseResult r = Parse(kGood);
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.draws.size(), 4u);
    EXPECT_EQ(r.draws[0].issue, "13244");
    EXPECT_EQ(r.draws[0].number, "192");
    EXPECT_EQ(r.draws[0].date, OleDateFromParts(2013, 9, 7));
    EXPECT_EQ(r.draws[1].issue, "13245");
    EXPECT_EQ(r.draws[1].number, "077");
    EXPECT_EQ(r.draws[3].issue, "14001");
    EXPECT_EQ(DateText(r.draws[3].date), "2014年1月5日");
}

TEST(HistoryCsv, AcceptsCrLfBomAndTrailingEmptyLines) {
    const HistoryParseResult r =
        Parse("\xEF\xBB\xBFissue,date,number\r\n2013244,2013-09-07,192\r\n2013245,2013-09-08,077\r\n\r\n\n");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.draws.size(), 2u);
    EXPECT_TRUE(Parse("issue,date,number\n2013244,2013-09-07,192").ok());  // no final newline
}

struct BadCsv {
    const char* name;
    std::string text;
    std::string error;  // expected start of the message
};

std::ostream& operator<<(std::ostream& out, const BadCsv& b) { return out << b.name; }

std::string WithRow(int position, const std::string& row) {
    // kGood with its data row `position` (from 1) replaced.
    std::istringstream in(kGood);
    std::string line, out;
    for (int n = 0; std::getline(in, line); ++n) out += (n == position ? row : line) + "\n";
    return out;
}

std::vector<BadCsv> BadCsvs() {
    return {
        {"EmptyFile", "", "line 1: "},
        {"NoHeader", "2013244,2013-09-07,192\n", "line 1: expected the header"},
        {"WrongHeader", "issue,number,date\n2013244,2013-09-07,192\n", "line 1: expected the header"},
        {"HeaderOnly", "issue,date,number\n", "line 2: no draws"},
        {"TooFewFields", WithRow(2, "2013245,2013-09-08"), "line 3: expected 3 fields"},
        {"TooManyFields", WithRow(2, "2013245,2013-09-08,077,1"), "line 3: expected 3 fields"},
        {"ShortIssue", WithRow(2, "213245,2013-09-08,077"), "line 3: issue \"213245\" is not seven digits"},
        {"LetterInIssue", WithRow(3, "201324x,2013-09-09,000"), "line 4: issue \"201324x\" is not seven digits"},
        {"SpaceInIssue", WithRow(1, " 2013244,2013-09-07,192"), "line 2: issue"},
        {"DrawNumberZero", WithRow(1, "2013000,2013-09-07,192"), "line 2: issue 2013000 has draw number 000"},
        {"ImpossibleDate", WithRow(2, "2013245,2013-02-30,077"), "line 3: date \"2013-02-30\" is not a real date"},
        {"DateFormat", WithRow(2, "2013245,2013/09/08,077"), "line 3: date \"2013/09/08\" is not a real date"},
        {"ShortDate", WithRow(2, "2013245,2013-9-8,077"), "line 3: date \"2013-9-8\" is not a real date"},
        {"MonthThirteen", WithRow(2, "2013245,2013-13-08,077"), "line 3: date \"2013-13-08\""},
        {"IssueYearNotDateYear", WithRow(2, "2013245,2014-09-08,077"), "line 3: issue 2013245 is not of the year"},
        {"ShortNumber", WithRow(2, "2013245,2013-09-08,77"), "line 3: number \"77\" is not three digits"},
        {"LongNumber", WithRow(4, "2014001,2014-01-05,1234"), "line 5: number \"1234\" is not three digits"},
        {"EmptyNumber", WithRow(4, "2014001,2014-01-05,"), "line 5: number \"\" is not three digits"},
        {"IssueRepeated", WithRow(2, "2013244,2013-09-08,077"), "line 3: issue 2013244 does not come after issue 2013244"},
        {"IssueDecreasing", WithRow(3, "2013243,2013-09-09,000"), "line 4: issue 2013243 does not come after"},
        {"DateRepeated", WithRow(2, "2013245,2013-09-07,077"), "line 3: date 2013-09-07 does not come after date 2013-09-07"},
        {"DateDecreasing", WithRow(3, "2013246,2013-09-01,000"), "line 4: date 2013-09-01 does not come after"},
        {"EmptyLineInside", WithRow(2, ""), "line 3: empty line"},
        {"QuotedField", WithRow(1, "\"2013244\",2013-09-07,192"), "line 2: issue"},
    };
}

class HistoryCsvBad : public ::testing::TestWithParam<BadCsv> {};

TEST_P(HistoryCsvBad, NamesTheLine) {
    const HistoryParseResult r = Parse(GetParam().text);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.draws.empty());
    EXPECT_TRUE(r.error.starts_with(GetParam().error)) << r.error;
}

INSTANTIATE_TEST_SUITE_P(Rows, HistoryCsvBad, ::testing::ValuesIn(BadCsvs()),
                         [](const ::testing::TestParamInfo<BadCsv>& info) { return std::string(info.param.name); });

// --- the tool --------------------------------------------------------------

struct ToolRun {
    int exitCode;
    std::string stderrText;
};

ToolRun RunImport(const TempDir& dir, const std::string& csv, const std::string& store) {
    const std::string errFile = dir.file("stderr.txt");
    const std::string command =
        std::string("'") + TRICALA_IMPORT + "' '" + csv + "' '" + store + "' 2> '" + errFile + "'";
    const int status = std::system(command.c_str());
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(errFile)};
    std::filesystem::remove(errFile);
    return run;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ImportTool, BuildsAStoreFromAGoodFile) {
    TempDir dir;
    WriteBytes(dir.file("h.csv"), kGood);
    const ToolRun run = RunImport(dir, dir.file("h.csv"), dir.file("out.edb"));
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"h.csv", "out.edb"}));
    auto opened = DrawStore::Open(dir.file("out.edb"));
    ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
    const auto& records = opened.store->Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].期数, "13245");
    EXPECT_EQ(records[1].中奖号, "077");
    EXPECT_EQ(records[1].开奖日期, OleDateFromParts(2013, 9, 8));
    EXPECT_EQ(records[1].备选号, "");
    EXPECT_EQ(records[1].备份, "");
    EXPECT_FALSE(records[1].deleted);
}

TEST(ImportTool, AddsTheExtension) {
    TempDir dir;
    WriteBytes(dir.file("h.csv"), kGood);
    EXPECT_EQ(RunImport(dir, dir.file("h.csv"), dir.file("caipiao")).exitCode, 0);
    EXPECT_TRUE(Exists(dir.file("caipiao.edb")));
}

TEST(ImportTool, BadRowWritesNothing) {
    TempDir dir;
    WriteBytes(dir.file("h.csv"), WithRow(3, "2013246,2013-02-30,000"));
    const ToolRun run = RunImport(dir, dir.file("h.csv"), dir.file("out.edb"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.stderrText.starts_with("line 4: date \"2013-02-30\"")) << run.stderrText;
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"h.csv"});
}

TEST(ImportTool, EveryKindOfBadRowIsReportedWithItsLine) {
    TempDir dir;
    for (const BadCsv& bad : BadCsvs()) {
        WriteBytes(dir.file("h.csv"), bad.text);
        const ToolRun run = RunImport(dir, dir.file("h.csv"), dir.file("out.edb"));
        EXPECT_EQ(run.exitCode, 1) << bad.name;
        EXPECT_TRUE(run.stderrText.starts_with(bad.error)) << bad.name << ": " << run.stderrText;
        EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"h.csv"}) << bad.name;
    }
}

TEST(ImportTool, RefusesToOverwrite) {
    TempDir dir;
    WriteBytes(dir.file("h.csv"), kGood);
    WriteBytes(dir.file("out.edb"), "precious");
    const ToolRun run = RunImport(dir, dir.file("h.csv"), dir.file("out.edb"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.stderrText.find("exists"), std::string::npos) << run.stderrText;
    EXPECT_EQ(ReadBytes(dir.file("out.edb")), "precious");
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"h.csv", "out.edb"}));
}

TEST(ImportTool, MissingCsvAndBadUsage) {
    TempDir dir;
    const ToolRun run = RunImport(dir, dir.file("none.csv"), dir.file("out.edb"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.stderrText.empty());
    EXPECT_FALSE(Exists(dir.file("out.edb")));
    EXPECT_NE(std::system((std::string("'") + TRICALA_IMPORT + "' 2>/dev/null").c_str()), 0);
}

TEST(ImportTool, MissingTargetFolder) {
    TempDir dir;
    WriteBytes(dir.file("h.csv"), kGood);
    const ToolRun run = RunImport(dir, dir.file("h.csv"), dir.file("no/out.edb"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(Exists(dir.file("no")));
}

TEST(BuildStoreFromDraws, LeavesNoTemporaryFiles) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(BuildStoreFromDraws({{"13245", OleDateFromParts(2013, 9, 8), "077"}}, dir.file("x.edb"), &error))
        << error;
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"x.edb"});
    EXPECT_FALSE(BuildStoreFromDraws({}, dir.file("x.edb"), &error));
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"x.edb"});
}

// The shipped history: 7675 draws, 2004001 to 2026200.
TEST(ImportTool, TheRealHistory) {
    TempDir dir;
    const std::string csv = std::string(PROJECT_SOURCE_DIR) + "/data/pls_history.csv";
    const ToolRun run = RunImport(dir, csv, dir.file("caipiao.edb"));
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;
    EXPECT_EQ(run.stderrText, "");
    auto opened = DrawStore::Open(dir.file("caipiao.edb"));
    ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
    DrawStore& store = *opened.store;
    ASSERT_EQ(store.RecordCount(), 7675);
    store.GoFirst();
    EXPECT_EQ(store.ReadText(Field::中奖号), "192");
    EXPECT_EQ(store.ReadText(Field::期数), "04001");
    EXPECT_EQ(DateText(store.ReadDate()), "2004年11月14日");
    store.GoLast();
    EXPECT_EQ(store.ReadText(Field::期数), "26200");
    EXPECT_EQ(store.ReadText(Field::中奖号), "077");
    EXPECT_EQ(store.ReadDate(), OleDateFromParts(2026, 7, 29));
    EXPECT_EQ(DateText(store.ReadDate()), "2026年7月29日");
    for (const Record& r : store.Records()) {
        ASSERT_EQ(r.期数.size(), 5u);
        ASSERT_EQ(r.中奖号.size(), 3u);
        ASSERT_EQ(r.备选号, "");
        ASSERT_EQ(r.备份, "");
        ASSERT_EQ(r.开奖日期, std::floor(r.开奖日期));
    }
    // The draw of 2013-09-09 is issue 13245 (a fact of the public results).
    store.GoFirst();
    const double day = ParseDate("2013-09-09");
    ASSERT_TRUE(store.FindForward([&] { return store.ReadDate() == day; }));
    EXPECT_EQ(store.ReadText(Field::期数), "13245");
}

}  // namespace
}  // namespace tricala::test
