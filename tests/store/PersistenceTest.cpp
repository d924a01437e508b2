// Write-through, reopening, Atomically and the working-set walks.

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

#include "store/DrawStore.h"
#include "store/WorkingSet.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/support/FixtureStore.h"
#include "tests/support/TempDir.h"

namespace tricala::test {
namespace {

std::vector<Record> ReopenedRecords(const std::string& path) {
    auto opened = DrawStore::Open(path);
    if (!opened.store) throw std::runtime_error("reopen failed: " + opened.detail);
    return opened.store->Records();
}

TEST(Persistence, EveryChangeIsInTheFileWhenTheStoreCloses) {
    TempDir dir;
    const std::string path = dir.file("p.edb");
    std::vector<Record> expected;
    {
        auto store = MakeNumberedStore(path, 20);
        store->ModifyRecord({.备选号 = "000", .备份 = "111"});
        store->GoLast();
        store->ModifyRecord({.开奖日期 = OleDateFromParts(2026, 7, 29, 20, 30)});
        store->AddRecord({.中奖号 = "077", .开奖日期 = OleDateFromParts(2026, 7, 30), .期数 = "26201"});
        store->GoFirst();
        store->DeleteRecord();
        store->PurgeDeleted();
        store->GoFirst();
        store->Skip();
        store->DeleteRecord();
        expected = store->Records();
    }
    std::string why;
    EXPECT_TRUE(SameRecords(ReopenedRecords(path), expected, &why)) << why;
    EXPECT_FALSE(Exists(path + "-wal"));   // merged at close
    EXPECT_FALSE(Exists(path + "-lock"));  // the claim is gone with the store
}

TEST(Persistence, OpenWithoutExtensionFindsTheEdbFile) {
    TempDir dir;
    MakeNumberedStore(dir.file("caipiao.edb"), 3).reset();
    auto opened = DrawStore::Open(dir.file("caipiao"));
    ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
    EXPECT_EQ(opened.store->RecordCount(), 3);
    EXPECT_EQ(opened.store->RecordNumber(), 1);
}

TEST(Persistence, FixtureStoreHelper) {
    TempDir dir;
    const std::string path = dir.file("f.edb");
    {
        auto store = MakeFixtureStore(path, TwelveDraws(), 1000, true);
        EXPECT_EQ(store->RecordCount(), 1000);
        EXPECT_EQ(store->RecordNumber(), 1);
        EXPECT_EQ(store->ReadText(Field::备选号), "000");
        EXPECT_EQ(store->ReadText(Field::期数), "13239");
    }
    const auto records = ReopenedRecords(path);
    ASSERT_EQ(records.size(), 1000u);
    EXPECT_EQ(records[11].期数, "13250");
    EXPECT_EQ(records[11].中奖号, "623");
    EXPECT_EQ(records[11].开奖日期, OleDateFromParts(2013, 10, 17));
    EXPECT_EQ(records[999].备选号, "999");
    EXPECT_EQ(records[999].期数, "");
}

TEST(Atomically, CommitsAllChanges) {
    TempDir dir;
    const std::string path = dir.file("a.edb");
    std::vector<Record> expected;
    {
        auto store = MakeNumberedStore(path, 5);
        EXPECT_TRUE(store->Atomically([&] {
            store->AddRecord({.期数 = "new"});
            store->GoFirst();
            store->DeleteRecord();
            store->PurgeDeleted();
            store->ModifyRecord({.备选号 = "x"});
            return true;
        }));
        EXPECT_EQ(store->RecordCount(), 5);
        expected = store->Records();
    }
    std::string why;
    EXPECT_TRUE(SameRecords(ReopenedRecords(path), expected, &why)) << why;
}

// work() returning false: the file and the memory are as before, cursor
// included.
TEST(Atomically, RollbackRestoresFileAndMemory) {
    TempDir dir;
    const std::string path = dir.file("r.edb");
    std::vector<Record> before;
    {
        auto store = MakeNumberedStore(path, 8);
        store->Skip();
        store->Skip();
        store->ModifyRecord({.备份 = "keep"});
        before = store->Records();
        const long long walBefore = FileSize(path + "-wal");
        const std::string mainBefore = ReadBytes(path);
        EXPECT_FALSE(store->Atomically([&] {
            store->ModifyRecord({.备选号 = "gone"});
            store->AddRecord({.期数 = "gone"});
            store->GoFirst();
            store->DeleteRecord();
            store->PurgeDeleted();
            store->GoLast();
            store->DeleteRecord();
            return false;
        }));
        std::string why;
        EXPECT_TRUE(SameRecords(store->Records(), before, &why)) << why;
        EXPECT_EQ(store->RecordNumber(), 3);
        EXPECT_EQ(store->ReadText(Field::备份), "keep");
        EXPECT_EQ(ReadBytes(path), mainBefore);
        EXPECT_EQ(FileSize(path + "-wal"), walBefore);
        // The store goes on working after a rollback.
        store->ModifyRecord({.备选号 = "after"});
        before = store->Records();
    }
    std::string why;
    EXPECT_TRUE(SameRecords(ReopenedRecords(path), before, &why)) << why;
}

TEST(Atomically, ExceptionRollsBackAndPropagates) {
    TempDir dir;
    const std::string path = dir.file("x.edb");
    auto store = MakeNumberedStore(path, 3);
    const auto before = store->Records();
    EXPECT_THROW(store->Atomically([&]() -> bool {
        store->AddRecord({.期数 = "gone"});
        throw std::runtime_error("boom");
    }),
                 std::runtime_error);
    std::string why;
    EXPECT_TRUE(SameRecords(store->Records(), before, &why)) << why;
    EXPECT_TRUE(store->Atomically([&] {
        store->AddRecord({.期数 = "kept"});
        return true;
    }));
    store.reset();
    EXPECT_EQ(ReopenedRecords(path).back().期数, "kept");
}

// Writes inside the transaction are not committed one by one: nothing
// reaches the log before the commit (the changes are small enough to stay in
// the page cache).
TEST(Atomically, WritesInsideDoNotAutocommit) {
    TempDir dir;
    const std::string path = dir.file("t.edb");
    auto store = MakeNumberedStore(path, 10);
    const long long wal = FileSize(path + "-wal");
    long long walInside = -2;
    EXPECT_TRUE(store->Atomically([&] {
        for (int i = 0; i < 5; ++i) {
            store->ModifyRecord({.备选号 = std::to_string(i)});
            store->Skip();
        }
        walInside = FileSize(path + "-wal");
        return true;
    }));
    EXPECT_EQ(walInside, wal);
    EXPECT_GT(FileSize(path + "-wal"), wal);
}

// A write the engine refuses (here a CHECK constraint of a file made by the
// shell, which the schema check does not look at) leaves memory as the file
// is; inside Atomically it makes the whole transaction roll back.
TEST(Atomically, FailedWriteRollsBackTheTransaction) {
    TempDir dir;
    const std::string path = dir.file("c.edb");
    RunSql(path,
           "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT CHECK (length(期数) <= 5), "
           "备份 TEXT, deleted INTEGER) STRICT;"
           "INSERT INTO DrawStore VALUES('', '192', 38305.0, '04001', '', 0);");
    auto opened = DrawStore::Open(path);
    ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
    DrawStore& store = *opened.store;
    const auto before = store.Records();

    store.AddRecord({.期数 = "too long"});
    store.ModifyRecord({.备选号 = "1", .期数 = "too long"});
    EXPECT_EQ(store.RecordCount(), 1);
    EXPECT_EQ(store.RecordNumber(), 1);
    std::string why;
    EXPECT_TRUE(SameRecords(store.Records(), before, &why)) << why;

    EXPECT_FALSE(store.Atomically([&] {
        store.AddRecord({.期数 = "ok"});
        store.GoFirst();
        store.ModifyRecord({.备选号 = "123"});
        store.ModifyRecord({.期数 = "too long"});
        store.GoLast();
        return true;
    }));
    EXPECT_TRUE(SameRecords(store.Records(), before, &why)) << why;
    EXPECT_EQ(store.RecordNumber(), 1);
    opened.store.reset();
    EXPECT_TRUE(SameRecords(ReopenedRecords(path), before, &why)) << why;
}

TEST(Atomically, NestedCallIsRefused) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("n.edb"), 2);
    bool innerRan = false;
    bool innerResult = true;
    EXPECT_TRUE(store->Atomically([&] {
        innerResult = store->Atomically([&] {
            innerRan = true;
            return true;
        });
        return true;
    }));
    EXPECT_FALSE(innerRan);
    EXPECT_FALSE(innerResult);
}

// --- working set -----------------------------------------------------------

std::string Three(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

TEST(WorkingSet, ResetCandidatesFillsRecords1To1000) {
    TempDir dir;
    const std::string path = dir.file("c.edb");
    auto store = MakeNumberedStore(path, 1200);
    store->GoLast();
    store->ModifyRecord({.备选号 = "untouched"});
    store->GoFirst();
    store->Skip();
    store->ModifyRecord({.备选号 = "stale", .备份 = "saved"});
    ResetCandidates(*store);
    EXPECT_EQ(store->RecordNumber(), 1);
    const auto& records = store->Records();
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(records[static_cast<size_t>(i)].备选号, Three(i)) << i;
    for (int i = 1000; i < 1199; ++i) ASSERT_EQ(records[static_cast<size_t>(i)].备选号, "") << i;
    EXPECT_EQ(records[1199].备选号, "untouched");
    EXPECT_EQ(records[1].备份, "saved");
    EXPECT_EQ(records[1].期数, "r2");
    store.reset();
    const auto reopened = ReopenedRecords(path);
    EXPECT_EQ(reopened[999].备选号, "999");
}

TEST(WorkingSet, ResetCandidatesOnAShortTable) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("s.edb"), 900);
    ResetCandidates(*store);
    EXPECT_EQ(store->RecordNumber(), 1);
    EXPECT_EQ(store->RecordCount(), 900);
    EXPECT_EQ(store->Records().front().备选号, "000");
    EXPECT_EQ(store->Records().back().备选号, "899");
}

TEST(WorkingSet, ResetCandidatesOnAnEmptyTable) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("e.edb"), 0);
    ResetCandidates(*store);
    EXPECT_EQ(store->RecordCount(), 0);
    EXPECT_EQ(store->RecordNumber(), 1);
}

// A refill of a full set writes nothing.
TEST(WorkingSet, ResetCandidatesSkipsUnchangedValues) {
    TempDir dir;
    const std::string path = dir.file("u.edb");
    auto store = MakeNumberedStore(path, 1000);
    ResetCandidates(*store);
    const long long wal = FileSize(path + "-wal");
    ResetCandidates(*store);
    EXPECT_EQ(FileSize(path + "-wal"), wal);
}

TEST(WorkingSet, SaveCandidatesCopiesTheLiveSetExactly) {
    TempDir dir;
    const std::string path = dir.file("v.edb");
    auto store = MakeNumberedStore(path, 1100);
    // An earlier save held every number, and record 1001 holds a leftover.
    ResetCandidates(*store);
    SaveCandidates(*store);
    EXPECT_EQ(store->RecordNumber(), 1101);
    store->GoLast();
    store->ModifyRecord({.备份 = "old"});
    // Strike everything but 12 numbers.
    store->GoFirst();
    for (int i = 0; i < 1000; ++i) {
        if (i % 80 != 0) store->ModifyRecord({.备选号 = ""});
        store->Skip();
    }
    SaveCandidates(*store);
    EXPECT_EQ(store->RecordNumber(), store->RecordCount() + 1);
    store.reset();
    const auto records = ReopenedRecords(path);
    int saved = 0;
    for (int i = 0; i < 1000; ++i) {
        const Record& r = records[static_cast<size_t>(i)];
        ASSERT_EQ(r.备份, r.备选号) << i;
        ASSERT_EQ(r.备份, i % 80 == 0 ? Three(i) : "") << i;
        if (!r.备份.empty()) ++saved;
    }
    EXPECT_EQ(saved, 13);
    EXPECT_EQ(records[1000].备份, "");
    EXPECT_EQ(records[1099].备份, "old");
}

TEST(WorkingSet, SaveCandidatesOnAShortTable) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("w.edb"), 10);
    ResetCandidates(*store);
    SaveCandidates(*store);
    EXPECT_EQ(store->RecordNumber(), 11);
    EXPECT_EQ(store->Records()[9].备份, "009");
}

// On the full history: refill from scratch, strike, save. Loose bounds: the
// point is one statement per changed record, not one file pass per call.
TEST(WorkingSet, FastEnoughOnTheFullTable) {
    TempDir dir;
    auto store = MakeNumberedStore(dir.file("big.edb"), 7675);
    const auto start = std::chrono::steady_clock::now();
    ResetCandidates(*store);
    store->GoFirst();
    for (int i = 0; i < 1000; ++i) {
        if (i % 2) store->ModifyRecord({.备选号 = ""});
        store->Skip();
    }
    SaveCandidates(*store);
    ResetCandidates(*store);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 5000);
    RecordProperty("elapsed_ms",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
}

}  // namespace
}  // namespace tricala::test
