// The thirteen store operations, table-driven: each case starts from a
// store of N numbered records (record i has 期数 "r<i>"), runs a list of
// steps with their expected results, and ends by checking the records, the
// same records after closing and reopening the file, and the table as the
// sqlite3 shell lists it.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "store/DrawStore.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/support/TempDir.h"

namespace tricala::test {
namespace {

struct Step {
    enum Kind { kGoFirst, kGoLast, kSkip, kFind, kModify, kAdd, kDelete, kPurge, kCheckFields };
    Kind kind;
    RecordValues values{};          // kModify, kAdd
    std::string issue{};            // kFind: the condition is 期数 == issue
    std::optional<bool> result{};   // kSkip, kFind
    int number = 0;                 // RecordNumber afterwards
    int count = -1;                 // RecordCount afterwards, -1: unchanged from before
    std::vector<int> tested{};      // kFind: the record numbers the condition saw
    Record fields{};                // kCheckFields: the five fields at the cursor
};

Step GoFirst(int number) { return {.kind = Step::kGoFirst, .number = number}; }
Step GoLast(int number) { return {.kind = Step::kGoLast, .number = number}; }
Step Skip(bool moved, int number) { return {.kind = Step::kSkip, .result = moved, .number = number}; }
Step Find(std::string issue, bool found, int number, std::vector<int> tested) {
    return {.kind = Step::kFind, .issue = std::move(issue), .result = found, .number = number, .tested = std::move(tested)};
}
Step Modify(RecordValues values, int number) { return {.kind = Step::kModify, .values = std::move(values), .number = number}; }
Step Add(RecordValues values, int number, int count) {
    return {.kind = Step::kAdd, .values = std::move(values), .number = number, .count = count};
}
Step Delete(int number) { return {.kind = Step::kDelete, .number = number}; }
Step Purge(int number, int count) { return {.kind = Step::kPurge, .number = number, .count = count}; }
Step Fields(Record fields) { return {.kind = Step::kCheckFields, .fields = std::move(fields)}; }

// Record i of the numbered store.
Record Numbered(int i) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", i % 1000);
    return {.中奖号 = number, .开奖日期 = OleDateFromParts(2008, 5, 1) + i, .期数 = "r" + std::to_string(i)};
}

struct Case {
    std::string name;
    int records;
    std::vector<Step> steps;
    std::vector<std::string> issues;  // 期数 of every record at the end
    std::vector<bool> deleted{};      // deleted marks at the end, when given
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

std::vector<std::string> Issues(std::initializer_list<int> numbers) {
    std::vector<std::string> issues;
    for (int n : numbers) issues.push_back("r" + std::to_string(n));
    return issues;
}

std::vector<std::string> IssuesUpTo(int count) {
    std::vector<std::string> issues;
    for (int n = 1; n <= count; ++n) issues.push_back("r" + std::to_string(n));
    return issues;
}

const Record kEmpty{};

std::vector<Case> Cases() {
    return {
        {"EmptyTable", 0,
         {GoFirst(1), GoLast(1), Skip(false, 1), Find("r1", false, 1, {}), Fields(kEmpty),
          Modify({.备选号 = "123", .开奖日期 = 5.0}, 1), Delete(1), Purge(1, 0), Fields(kEmpty)},
         {}},
        {"GoFirstAndGoLast", 10, {GoLast(10), Fields(Numbered(10)), GoFirst(1), Fields(Numbered(1))}, IssuesUpTo(10)},
        {"SkipFromLastGoesPastTheEnd", 10,
         {GoLast(10), Skip(true, 11), Skip(false, 11), Fields(kEmpty), Find("r10", false, 11, {})},
         IssuesUpTo(10)},
        {"WalkWholeTable", 3, {Skip(true, 2), Skip(true, 3), Skip(true, 4), Skip(false, 4)}, IssuesUpTo(3)},
        {"ModifyPastTheEndWritesNothing", 3,
         {GoLast(3), Skip(true, 4), Modify({.备选号 = "999", .中奖号 = "x", .期数 = "x", .备份 = "999"}, 4),
          GoLast(3), Fields(Numbered(3))},
         IssuesUpTo(3)},
        {"FindMissesBeforeStartAndRestores", 10,
         {Skip(true, 2), Skip(true, 3), Skip(true, 4), Skip(true, 5), Find("r3", false, 5, {5, 6, 7, 8, 9, 10}),
          Find("r3", false, 5, {5, 6, 7, 8, 9, 10})},
         IssuesUpTo(10)},
        {"FindCurrentRecordDoesNotMove", 10,
         {Skip(true, 2), Skip(true, 3), Find("r3", true, 3, {3})},
         IssuesUpTo(10)},
        {"FindLaterRecordThenSkipThenMiss", 10,
         {Find("r7", true, 7, {1, 2, 3, 4, 5, 6, 7}), Fields(Numbered(7)), Skip(true, 8), Find("r7", false, 8, {8, 9, 10})},
         IssuesUpTo(10)},
        {"FindOnLastRecord", 10, {GoLast(10), Find("r10", true, 10, {10}), Find("r1", false, 10, {10})}, IssuesUpTo(10)},
        {"ModifyValue1KeepsOthers", 5,
         {Skip(true, 2), Modify({.备选号 = "042"}, 2), Fields({.备选号 = "042", .中奖号 = "002",
                                                              .开奖日期 = OleDateFromParts(2008, 5, 3), .期数 = "r2"})},
         IssuesUpTo(5)},
        {"ModifyValue5KeepsOthers", 5,
         {Modify({.备选号 = "007"}, 1), Modify({.备份 = "123"}, 1),
          Fields({.备选号 = "007", .中奖号 = "001", .开奖日期 = OleDateFromParts(2008, 5, 2), .期数 = "r1", .备份 = "123"})},
         IssuesUpTo(5)},
        {"ModifyAllFields", 2,
         {GoLast(2), Modify({.备选号 = "a", .中奖号 = "b", .开奖日期 = 1.5, .期数 = "c", .备份 = "d"}, 2),
          Fields({.备选号 = "a", .中奖号 = "b", .开奖日期 = 1.5, .期数 = "c", .备份 = "d"})},
         {"r1", "c"}},
        {"ModifyToEmptyText", 2,
         {Modify({.备选号 = "000"}, 1), Modify({.备选号 = ""}, 1), Fields(Numbered(1))},
         IssuesUpTo(2)},
        {"AddValues2To4", 3,
         {Add({.中奖号 = "047", .开奖日期 = OleDateFromParts(2013, 10, 17), .期数 = "13250"}, 4, 4),
          Fields({.中奖号 = "047", .开奖日期 = OleDateFromParts(2013, 10, 17), .期数 = "13250"})},
         {"r1", "r2", "r3", "13250"}},
        {"AddToEmptyTable", 0,
         {Add({}, 1, 1), Fields(kEmpty), Skip(true, 2), Skip(false, 2), Add({.期数 = "x"}, 2, 2)},
         {"", "x"}},
        {"AddAllFiveValues", 1,
         {Add({.备选号 = "1", .中奖号 = "2", .开奖日期 = -1.25, .期数 = "3", .备份 = "4"}, 2, 2),
          Fields({.备选号 = "1", .中奖号 = "2", .开奖日期 = -1.25, .期数 = "3", .备份 = "4"})},
         {"r1", "3"}},
        {"DeleteKeepsRecordUntilPurge", 4,
         {Skip(true, 2), Delete(2), Fields(Numbered(2)), GoLast(4), Delete(4), GoFirst(1)},
         IssuesUpTo(4),
         {false, true, false, true}},
        {"DeletePastTheEndDoesNothing", 2, {GoLast(2), Skip(true, 3), Delete(3)}, IssuesUpTo(2), {false, false}},
        {"DeleteFirstThenPurge", 10,
         {Delete(1), Purge(1, 9), Fields(Numbered(2))},
         Issues({2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {"PurgeSeveral", 10,
         {Delete(1), Skip(true, 2), Skip(true, 3), Delete(3), GoLast(10), Delete(10), Purge(1, 7), GoLast(7),
          Fields(Numbered(9))},
         Issues({2, 4, 5, 6, 7, 8, 9})},
        {"PurgeWithoutMarksGoesToFirst", 5, {GoLast(5), Purge(1, 5)}, IssuesUpTo(5)},
        {"PurgeEverything", 2, {Delete(1), Skip(true, 2), Delete(2), Purge(1, 0), Fields(kEmpty)}, {}},
        {"AppendAndDropOldestKeepsLength", 5,
         {Add({.中奖号 = "111", .期数 = "n1"}, 6, 6), GoFirst(1), Delete(1), Purge(1, 5),
          Add({.中奖号 = "222", .期数 = "n2"}, 6, 6), GoFirst(1), Delete(1), Purge(1, 5)},
         {"r3", "r4", "r5", "n1", "n2"}},
        {"AddAfterPurgingTheLastRecord", 3,
         {GoLast(3), Delete(3), Purge(1, 2), Add({.期数 = "new"}, 3, 3)},
         {"r1", "r2", "new"}},
    };
}

class DrawStoreOps : public ::testing::TestWithParam<Case> {};

void CheckFields(const DrawStore& store, const Record& expected) {
    const FieldValue date = store.ReadField(Field::开奖日期);
    ASSERT_TRUE(std::holds_alternative<double>(date));
    EXPECT_EQ(std::get<double>(date), expected.开奖日期);
    EXPECT_EQ(store.ReadDate(), expected.开奖日期);
    const std::pair<Field, const std::string*> texts[] = {{Field::备选号, &expected.备选号},
                                                          {Field::中奖号, &expected.中奖号},
                                                          {Field::期数, &expected.期数},
                                                          {Field::备份, &expected.备份}};
    for (const auto& [field, text] : texts) {
        const FieldValue value = store.ReadField(field);
        ASSERT_TRUE(std::holds_alternative<std::string>(value)) << "field " << static_cast<int>(field);
        EXPECT_EQ(std::get<std::string>(value), *text) << "field " << static_cast<int>(field);
        EXPECT_EQ(store.ReadText(field), *text) << "field " << static_cast<int>(field);
    }
}

TEST_P(DrawStoreOps, Steps) {
    const Case& c = GetParam();
    TempDir dir;
    const std::string path = dir.file("ops.edb");
    std::vector<Record> finalRecords;
    {
        auto store = MakeNumberedStore(path, c.records);
        ASSERT_EQ(store->RecordCount(), c.records);
        ASSERT_EQ(store->RecordNumber(), 1);
        int stepNo = 0;
        for (const Step& step : c.steps) {
            ++stepNo;
            SCOPED_TRACE("step " + std::to_string(stepNo));
            const int countBefore = store->RecordCount();
            std::optional<bool> result;
            std::vector<int> tested;
            switch (step.kind) {
                case Step::kGoFirst:
                    store->GoFirst();
                    break;
                case Step::kGoLast:
                    store->GoLast();
                    break;
                case Step::kSkip:
                    result = store->Skip();
                    break;
                case Step::kFind:
                    result = store->FindForward([&] {
                        tested.push_back(store->RecordNumber());
                        return store->ReadText(Field::期数) == step.issue;
                    });
                    EXPECT_EQ(tested, step.tested);
                    break;
                case Step::kModify:
                    store->ModifyRecord(step.values);
                    break;
                case Step::kAdd:
                    store->AddRecord(step.values);
                    break;
                case Step::kDelete:
                    store->DeleteRecord();
                    break;
                case Step::kPurge:
                    store->PurgeDeleted();
                    break;
                case Step::kCheckFields:
                    CheckFields(*store, step.fields);
                    continue;
            }
            if (step.result) {
                EXPECT_EQ(result, step.result);
            }
            EXPECT_EQ(store->RecordNumber(), step.number);
            EXPECT_EQ(store->RecordCount(), step.count >= 0 ? step.count : countBefore);
        }
        std::vector<std::string> issues;
        for (const Record& r : store->Records()) issues.push_back(r.期数);
        EXPECT_EQ(issues, c.issues);
        if (!c.deleted.empty()) {
            std::vector<bool> deleted;
            for (const Record& r : store->Records()) deleted.push_back(r.deleted);
            EXPECT_EQ(deleted, c.deleted);
        }
        finalRecords = store->Records();
    }

    // The file holds exactly what the store showed.
    auto reopened = DrawStore::Open(path);
    ASSERT_EQ(reopened.error, OpenError::None) << reopened.detail;
    std::string why;
    EXPECT_TRUE(SameRecords(reopened.store->Records(), finalRecords, &why)) << why;
    EXPECT_EQ(reopened.store->RecordNumber(), 1);
    reopened.store.reset();

    const std::vector<RawRow> rows = ReadRawRows(path);
    ASSERT_EQ(rows.size(), finalRecords.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].期数, finalRecords[i].期数) << "row " << i;
        EXPECT_EQ(rows[i].备选号, finalRecords[i].备选号) << "row " << i;
        EXPECT_EQ(rows[i].备份, finalRecords[i].备份) << "row " << i;
        EXPECT_EQ(rows[i].中奖号, finalRecords[i].中奖号) << "row " << i;
        EXPECT_EQ(rows[i].开奖日期, finalRecords[i].开奖日期) << "row " << i;
        EXPECT_EQ(rows[i].deleted, finalRecords[i].deleted ? 1 : 0) << "row " << i;
        if (i > 0) {
            EXPECT_LT(rows[i - 1].rowid, rows[i].rowid);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Part21, DrawStoreOps, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

// FindForward in an empty table does not evaluate the condition at all.
TEST(DrawStoreEdges, FindInEmptyTableDoesNotEvaluate) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("e.edb"), 0);
    int calls = 0;
    EXPECT_FALSE(store->FindForward([&] {
        ++calls;
        return true;
    }));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(store->RecordNumber(), 1);
}

TEST(DrawStoreEdges, ReadFieldTypeTags) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("t.edb"), 1);
    EXPECT_TRUE(std::holds_alternative<double>(store->ReadField(Field::开奖日期)));
    for (Field f : {Field::备选号, Field::中奖号, Field::期数, Field::备份}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(store->ReadField(f)));
    }
    store->Skip();
    EXPECT_EQ(std::get<double>(store->ReadField(Field::开奖日期)), 0.0);
    EXPECT_EQ(std::get<std::string>(store->ReadField(Field::期数)), "");
}

TEST(DrawStoreEdges, ReadTextOfTheDateIsAProgrammingError) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("d.edb"), 1);
    EXPECT_DEBUG_DEATH((void)store->ReadText(Field::开奖日期), "ReadText");
}

// A ModifyRecord that would store the value already there does no SQL: the
// write-ahead log does not grow. A real change does make it grow.
TEST(DrawStoreEdges, UnchangedModifyWritesNothing) {
    TempDir dir;
    const std::string path = dir.file("w.edb");
    auto store = MakeNumberedStore(path, 3);
    store->ModifyRecord({.备选号 = "123"});
    const long long wal = FileSize(path + "-wal");
    const std::string main = ReadBytes(path);
    store->ModifyRecord({.备选号 = "123"});
    store->ModifyRecord({.中奖号 = "001", .期数 = "r1"});
    store->ModifyRecord({});
    store->Skip();
    store->ModifyRecord({.开奖日期 = OleDateFromParts(2008, 5, 3)});
    EXPECT_EQ(FileSize(path + "-wal"), wal);
    EXPECT_EQ(ReadBytes(path), main);
    store->ModifyRecord({.备选号 = "124"});
    EXPECT_GT(FileSize(path + "-wal"), wal);
}

TEST(DrawStoreEdges, NonFiniteDateIsRefused) {
    TempDir dir;
    const std::string path = dir.file("n.edb");
    auto store = MakeNumberedStore(path, 1);
    store->ModifyRecord({.备选号 = "1", .开奖日期 = std::numeric_limits<double>::quiet_NaN()});
    EXPECT_EQ(store->ReadText(Field::备选号), "");
    store->AddRecord({.开奖日期 = std::numeric_limits<double>::infinity()});
    EXPECT_EQ(store->RecordCount(), 1);
    EXPECT_EQ(store->RecordNumber(), 1);
}

TEST(DrawStoreEdges, TextIsStoredAsUtf8) {
    TempDir dir;
    const std::string path = dir.file("u.edb");
    {
        auto store = MakeNumberedStore(path, 1);
        store->ModifyRecord({.备份 = "排列三"});
    }
    EXPECT_EQ(ReadRawRows(path).at(0).备份, "排列三");
}

TEST(DrawStoreEdges, CreateRefusesAnExistingFileAndAddsExtension) {
    TempDir dir;
    std::string error;
    auto store = DrawStore::Create(dir.file("plain"), &error);
    ASSERT_TRUE(store) << error;
    EXPECT_TRUE(Exists(dir.file("plain.edb")));
    store.reset();
    const std::string before = ReadBytes(dir.file("plain.edb"));
    EXPECT_FALSE(DrawStore::Create(dir.file("plain.edb"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(dir.file("plain.edb")), before);
    EXPECT_FALSE(DrawStore::Create(dir.file("no-such-folder/x.edb"), &error));
    EXPECT_FALSE(Exists(dir.file("no-such-folder")));
}

TEST(DrawStoreEdges, StoreFileName) {
    EXPECT_EQ(StoreFileName("caipiao"), "caipiao.edb");
    EXPECT_EQ(StoreFileName("caipiao.edb"), "caipiao.edb");
    EXPECT_EQ(StoreFileName("dir.d/caipiao"), "dir.d/caipiao.edb");
    EXPECT_EQ(StoreFileName("x.db"), "x.db");
}

// The schema of a new file, as the sqlite3 shell shows it.
TEST(DrawStoreEdges, SchemaOfANewFile) {
    TempDir dir;
    const std::string path = dir.file("s.edb");
    DrawStore::Create(path).reset();
    EXPECT_EQ(QueryRows(path, "SELECT cid, name, type FROM pragma_table_info('DrawStore')"),
              (std::vector<std::string>{"0|备选号|TEXT", "1|中奖号|TEXT", "2|开奖日期|REAL", "3|期数|TEXT",
                                        "4|备份|TEXT", "5|deleted|INTEGER"}));
    EXPECT_EQ(QueryRows(path, "SELECT type, strict, wr FROM pragma_table_list WHERE name = 'DrawStore'"),
              std::vector<std::string>{"table|1|0"});
    EXPECT_EQ(QueryRows(path, "PRAGMA journal_mode"), std::vector<std::string>{"wal"});
    EXPECT_EQ(QueryRows(path, "SELECT name FROM sqlite_schema"), std::vector<std::string>{"DrawStore"});
}

}  // namespace
}  // namespace tricala::test
