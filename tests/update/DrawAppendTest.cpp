#include <gtest/gtest.h>

#include <utility>

#include "store/DrawStore.h"
#include "tests/support/FixtureStore.h"
#include "tests/support/TempDir.h"
#include "update/DrawAppend.h"

namespace tricala {
namespace {

PageRow Draw(const std::string& issue, const std::string& number, int year, int month, int day) {
    return {issue, number, OleDateFromParts(year, month, day)};
}

// The two newest draws after the fixture's last issue, 13250, newest first.
std::vector<PageRow> TwoNewDraws() {
    return {Draw("13252", "077", 2013, 10, 19), Draw("13251", "538", 2013, 10, 18)};
}

struct Snapshot {
    std::vector<std::pair<std::string, std::string>> workingSet;  // 备选号, 备份 by record
    std::vector<std::string> issues;                              // 期数 by record
};

Snapshot Take(const DrawStore& store) {
    Snapshot s;
    for (const Record& r : store.Records()) {
        s.workingSet.emplace_back(r.备选号, r.备份);
        s.issues.push_back(r.期数);
    }
    return s;
}

void Write(DrawStore& store, int recordNumber, Field field, const std::string& text) {
    store.GoFirst();
    for (int n = 1; n < recordNumber; ++n) store.Skip();
    RecordValues values;
    if (field == Field::备选号) values.备选号 = text;
    else values.备份 = text;
    store.ModifyRecord(values);
}

// The twelve fixture draws, oldest first, then blank records; records
// 1..1000 carry the full candidate set.
class AppendDrawsTest : public ::testing::Test {
protected:
    std::unique_ptr<DrawStore> Store(int totalRecords = 1000) {
        return test::MakeFixtureStore(path(), test::TwelveDraws(), totalRecords);
    }
    std::string path() const { return dir_.file("caipiao.edb"); }
    test::TempDir dir_;
};

TEST_F(AppendDrawsTest, OneDrawReplacesTheOldestRecord) {
    auto store = Store();
    const Snapshot before = Take(*store);
    ASSERT_TRUE(AppendDraws(*store, {Draw("13251", "538", 2013, 10, 18)}));

    ASSERT_EQ(store->RecordCount(), 1000);
    EXPECT_EQ(store->RecordNumber(), 1);
    const std::vector<Record>& records = store->Records();
    EXPECT_EQ(records.front().期数, "13240");
    EXPECT_EQ(records.back().期数, "13251");
    EXPECT_EQ(records.back().中奖号, "538");
    EXPECT_EQ(records.back().开奖日期, OleDateFromParts(2013, 10, 18));
    for (std::size_t i = 1; i < before.issues.size(); ++i) EXPECT_EQ(records[i - 1].期数, before.issues[i]);
}

TEST_F(AppendDrawsTest, SeveralDrawsGoInOldestFirst) {
    auto store = Store();
    const std::vector<PageRow> rows = {Draw("13253", "419", 2013, 10, 20), Draw("13252", "077", 2013, 10, 19),
                                       Draw("13251", "538", 2013, 10, 18)};
    ASSERT_TRUE(AppendDraws(*store, rows));

    ASSERT_EQ(store->RecordCount(), 1000);
    const std::vector<Record>& records = store->Records();
    EXPECT_EQ(records[0].期数, "13242");
    EXPECT_EQ(records[997].期数, "13251");
    EXPECT_EQ(records[998].期数, "13252");
    EXPECT_EQ(records[998].中奖号, "077");
    EXPECT_EQ(records[999].期数, "13253");
    EXPECT_EQ(records[999].中奖号, "419");
}

TEST_F(AppendDrawsTest, WorkingSetStaysOnItsRecords) {
    // A few records past the 1000th, so the appended ones lie outside the set.
    auto store = Store(1003);
    for (int n : {1, 5, 500, 1000}) Write(*store, n, Field::备选号, "");
    for (auto [n, saved] : {std::pair{2, "001"}, std::pair{124, "123"}, std::pair{1000, "999"}})
        Write(*store, n, Field::备份, saved);
    const Snapshot before = Take(*store);

    ASSERT_TRUE(AppendDraws(*store, TwoNewDraws()));

    const Snapshot after = Take(*store);
    ASSERT_EQ(after.workingSet.size(), 1003u);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(after.workingSet[i], before.workingSet[i]) << "record " << i + 1;
    EXPECT_EQ(after.workingSet[1001], std::make_pair(std::string(), std::string()));
    EXPECT_EQ(after.workingSet[1002], std::make_pair(std::string(), std::string()));
    EXPECT_EQ(after.issues[0], "13241");
    EXPECT_EQ(after.issues[1002], "13252");
}

TEST_F(AppendDrawsTest, ShortTableKeepsItsWorkingSetToo) {
    auto store = Store(12);
    Write(*store, 3, Field::备选号, "");
    Write(*store, 12, Field::备份, "011");
    const Snapshot before = Take(*store);

    ASSERT_TRUE(AppendDraws(*store, TwoNewDraws()));

    const Snapshot after = Take(*store);
    EXPECT_EQ(after.workingSet, before.workingSet);
    EXPECT_EQ(after.issues.front(), "13241");
    EXPECT_EQ(after.issues.back(), "13252");
}

TEST_F(AppendDrawsTest, NoRowsChangeNothing) {
    auto store = Store();
    const Snapshot before = Take(*store);
    store->GoLast();
    ASSERT_TRUE(AppendDraws(*store, {}));
    const Snapshot after = Take(*store);
    EXPECT_EQ(after.workingSet, before.workingSet);
    EXPECT_EQ(after.issues, before.issues);
    EXPECT_EQ(store->RecordNumber(), 1);
}

TEST_F(AppendDrawsTest, AppendedDrawsAreInTheFile) {
    Snapshot before;
    {
        auto store = Store();
        Write(*store, 7, Field::备选号, "");
        ASSERT_TRUE(AppendDraws(*store, TwoNewDraws()));
        before = Take(*store);
    }
    DrawStore::OpenResult reopened = DrawStore::Open(path());
    ASSERT_TRUE(reopened.store) << reopened.detail;
    const Snapshot after = Take(*reopened.store);
    EXPECT_EQ(after.issues, before.issues);
    EXPECT_EQ(after.workingSet, before.workingSet);
}

}  // namespace
}  // namespace tricala
