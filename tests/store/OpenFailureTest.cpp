// Open on files that are not usable stores, on a store held by another
// instance, on read-only files and folders, and after a killed writer.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "store/DrawStore.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/store/WriterOps.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace tricala::test {
namespace {

const char* const kGoodTable =
    "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT, 备份 TEXT, deleted INTEGER) STRICT;";

struct BadFile {
    std::string name;
    std::function<void(const std::string& path)> make;
    OpenError expected;
};

std::ostream& operator<<(std::ostream& out, const BadFile& b) { return out << b.name; }

void MakeTruncatedStore(const std::string& path, double fraction) {
    MakeNumberedStore(path, 3000).reset();
    const std::string bytes = ReadBytes(path);
    WriteBytes(path, bytes.substr(0, static_cast<size_t>(static_cast<double>(bytes.size()) * fraction)));
}

std::vector<BadFile> BadFiles() {
    return {
        {"TextFile",
         [](const std::string& p) { WriteBytes(p, "issue,date,number\n2004001,2004-11-14,192\n"); },
         OpenError::NotAStore},
        {"RandomBytes",
         [](const std::string& p) {
             std::mt19937 random(42);
             std::string bytes(16384, '\0');
             for (char& c : bytes) c = static_cast<char>(random() & 0xff);
             WriteBytes(p, bytes);
         },
         OpenError::NotAStore},
        {"EmptyFile", [](const std::string& p) { WriteBytes(p, ""); }, OpenError::NotAStore},
        {"SqliteHeaderOnly",
         [](const std::string& p) {
             MakeNumberedStore(p, 10).reset();
             WriteBytes(p, ReadBytes(p).substr(0, 60));
         },
         OpenError::NotAStore},
        {"TruncatedToHalf", [](const std::string& p) { MakeTruncatedStore(p, 0.5); }, OpenError::NotAStore},
        {"TruncatedByOnePage",
         [](const std::string& p) {
             MakeNumberedStore(p, 3000).reset();
             const std::string bytes = ReadBytes(p);
             WriteBytes(p, bytes.substr(0, bytes.size() - 4096));
         },
         OpenError::NotAStore},
        {"DamagedPage",
         [](const std::string& p) {
             MakeNumberedStore(p, 3000).reset();
             std::string bytes = ReadBytes(p);
             for (size_t i = 3 * 4096; i < 4 * 4096; ++i) bytes[i] = static_cast<char>(i * 7);
             WriteBytes(p, bytes);
         },
         OpenError::NotAStore},
        {"OtherTable", [](const std::string& p) { RunSql(p, "CREATE TABLE Draws(a TEXT); INSERT INTO Draws VALUES('x');"); },
         OpenError::NotAStore},
        {"NoTables", [](const std::string& p) { RunSql(p, "PRAGMA user_version = 3;"); }, OpenError::NotAStore},
        {"WrongColumnOrder",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(中奖号 TEXT, 备选号 TEXT, 开奖日期 REAL, 期数 TEXT, 备份 TEXT, "
                       "deleted INTEGER) STRICT;");
         },
         OpenError::NotAStore},
        {"WrongColumnType",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 TEXT, 期数 TEXT, 备份 TEXT, "
                       "deleted INTEGER) STRICT;");
         },
         OpenError::NotAStore},
        {"WrongColumnName",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期号 TEXT, 备份 TEXT, "
                       "deleted INTEGER) STRICT;");
         },
         OpenError::NotAStore},
        {"MissingDeletedColumn",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT, 备份 TEXT) STRICT;");
         },
         OpenError::NotAStore},
        {"ExtraColumn",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT, 备份 TEXT, "
                       "deleted INTEGER, note TEXT) STRICT;");
         },
         OpenError::NotAStore},
        {"NotStrict",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT, 备份 TEXT, "
                       "deleted INTEGER); INSERT INTO DrawStore VALUES('a', 'b', 'not a date', 'd', 'e', 0);");
         },
         OpenError::NotAStore},
        {"WithoutRowid",
         [](const std::string& p) {
             RunSql(p, "CREATE TABLE DrawStore(备选号 TEXT, 中奖号 TEXT, 开奖日期 REAL, 期数 TEXT PRIMARY KEY, "
                       "备份 TEXT, deleted INTEGER) STRICT, WITHOUT ROWID;");
         },
         OpenError::NotAStore},
        {"ViewNamedDrawStore",
         [](const std::string& p) {
             RunSql(p, "CREATE VIEW DrawStore AS SELECT '' AS 备选号, '' AS 中奖号, 0.0 AS 开奖日期, '' AS 期数, "
                       "'' AS 备份, 0 AS deleted;");
         },
         OpenError::NotAStore},
        {"OtherSchemaInWalMode",
         [](const std::string& p) { RunSql(p, "PRAGMA journal_mode=WAL; CREATE TABLE Other(x INTEGER);"); },
         OpenError::NotAStore},
    };
}

class BadFileOpen : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFileOpen, GivesItsErrorAndLeavesTheFileAlone) {
    TempDir dir;
    const std::string path = dir.file("caipiao.edb");
    GetParam().make(path);
    ASSERT_FALSE(Exists(path + "-wal"));
    const std::string before = ReadBytes(path);
    auto opened = DrawStore::Open(path);
    EXPECT_EQ(opened.error, GetParam().expected) << opened.detail;
    EXPECT_FALSE(opened.store);
    EXPECT_FALSE(opened.detail.empty());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(Exists(path + "-wal"));
    EXPECT_FALSE(Exists(path + "-shm"));
    EXPECT_FALSE(Exists(path + "-journal"));
    EXPECT_FALSE(Exists(path + "-lock"));
    // A second attempt sees the same.
    EXPECT_EQ(DrawStore::Open(path).error, GetParam().expected);
    EXPECT_EQ(ReadBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Files, BadFileOpen, ::testing::ValuesIn(BadFiles()),
                         [](const ::testing::TestParamInfo<BadFile>& info) { return info.param.name; });

TEST(Open, MissingFile) {
    TempDir dir;
    auto opened = DrawStore::Open(dir.file("caipiao.edb"));
    EXPECT_EQ(opened.error, OpenError::Missing);
    EXPECT_FALSE(opened.store);
    EXPECT_EQ(DrawStore::Open(dir.file("caipiao")).error, OpenError::Missing);
    EXPECT_EQ(DrawStore::Open(dir.file("no-folder/caipiao.edb")).error, OpenError::Missing);
    // Never creates a file.
    EXPECT_FALSE(Exists(dir.file("caipiao.edb")));
    EXPECT_FALSE(Exists(dir.file("caipiao")));
}

TEST(Open, AFolderIsNotAStore) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("caipiao.edb").c_str(), 0755), 0);
    EXPECT_EQ(DrawStore::Open(dir.file("caipiao.edb")).error, OpenError::NotAStore);
}

// A file of the right schema made by other means (the sqlite3 shell, rollback
// journal, NULLs in the columns) is accepted and switched to WAL mode.
TEST(Open, AcceptsAStoreMadeByTheShell) {
    TempDir dir;
    const std::string path = dir.file("shell.edb");
    RunSql(path, std::string(kGoodTable) +
                     "INSERT INTO DrawStore VALUES('000', '192', 38305.0, '04001', '', 0);"
                     "INSERT INTO DrawStore(中奖号, 开奖日期, 期数) VALUES('317', 38307, '04002');");
    auto opened = DrawStore::Open(path);
    ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
    ASSERT_EQ(opened.store->RecordCount(), 2);
    opened.store->GoLast();
    EXPECT_EQ(opened.store->ReadText(Field::备选号), "");
    EXPECT_EQ(opened.store->ReadDate(), 38307.0);
    EXPECT_EQ(DateText(opened.store->ReadDate()), "2004年11月16日");
    opened.store.reset();
    EXPECT_EQ(QueryRows(path, "PRAGMA journal_mode"), std::vector<std::string>{"wal"});
}

// --- in use ----------------------------------------------------------------

TEST(InUse, SecondOpenInTheSameProcess) {
    TempDir dir;
    const std::string path = dir.file("caipiao.edb");
    auto first = MakeNumberedStore(path, 5);
    first->ModifyRecord({.备选号 = "123"});
    const std::string mainBefore = ReadBytes(path);
    const std::string walBefore = ReadBytes(path + "-wal");
    auto second = DrawStore::Open(path);
    EXPECT_EQ(second.error, OpenError::InUse) << second.detail;
    EXPECT_FALSE(second.store);
    EXPECT_EQ(ReadBytes(path), mainBefore);
    EXPECT_EQ(ReadBytes(path + "-wal"), walBefore);
    // The first instance is not disturbed.
    first->ModifyRecord({.备选号 = "124"});
    EXPECT_EQ(first->ReadText(Field::备选号), "124");
    first.reset();
    auto third = DrawStore::Open(path);
    ASSERT_EQ(third.error, OpenError::None) << third.detail;
    EXPECT_EQ(third.store->ReadText(Field::备选号), "124");
    EXPECT_EQ(DrawStore::Open(path).error, OpenError::InUse);
}

TEST(InUse, AnotherNameOfTheSameFile) {
    TempDir dir;
    const std::string path = dir.file("caipiao.edb");
    auto held = MakeNumberedStore(path, 2);
    ASSERT_EQ(::symlink(path.c_str(), dir.file("link.edb").c_str()), 0);
    EXPECT_EQ(DrawStore::Open(dir.file("link.edb")).error, OpenError::InUse);
    EXPECT_EQ(DrawStore::Open(dir.path() + "/./caipiao").error, OpenError::InUse);
    ChildProcess child(STORE_WRITER_CHILD, {"open", dir.file("link.edb")});
    std::string line;
    ASSERT_TRUE(child.ReadLine(&line));
    EXPECT_EQ(child.Wait(), static_cast<int>(OpenError::InUse)) << line;
}

// Also shows that the claim survives the test's own reads of the file (an
// open and close of another descriptor drops a process's POSIX locks, not
// its flock).
TEST(InUse, ChildProcessCannotOpenAHeldStore) {
    TempDir dir;
    const std::string path = dir.file("caipiao.edb");
    auto held = MakeNumberedStore(path, 5);
    held->ModifyRecord({.备份 = "held"});
    const std::string mainBefore = ReadBytes(path);
    const std::string walBefore = ReadBytes(path + "-wal");
    ChildProcess child(STORE_WRITER_CHILD, {"open", path});
    std::string line;
    ASSERT_TRUE(child.ReadLine(&line));
    EXPECT_EQ(child.Wait(), static_cast<int>(OpenError::InUse)) << line;
    EXPECT_EQ(ReadBytes(path), mainBefore);
    EXPECT_EQ(ReadBytes(path + "-wal"), walBefore);
    held->ModifyRecord({.备份 = "still mine"});
    EXPECT_EQ(held->ReadText(Field::备份), "still mine");
}

TEST(InUse, StoreHeldByAChildProcess) {
    TempDir dir;
    const std::string path = dir.file("caipiao.edb");
    MakeNumberedStore(path, 5).reset();
    ChildProcess child(STORE_WRITER_CHILD, {"hold", path}, true);
    std::string line;
    ASSERT_TRUE(child.ReadLine(&line));
    ASSERT_EQ(line, "open 0");
    const std::string before = ReadBytes(path);
    auto opened = DrawStore::Open(path);
    EXPECT_EQ(opened.error, OpenError::InUse) << opened.detail;
    EXPECT_EQ(ReadBytes(path), before);
    child.CloseStdin();
    EXPECT_EQ(child.Wait(), 0);
    auto after = DrawStore::Open(path);
    EXPECT_EQ(after.error, OpenError::None) << after.detail;
}

// --- read-only -------------------------------------------------------------

// Root may write any file, so these run in a child process that has given up
// root (user nobody) when the test runs as root.
int OpenErrorAsChild(const std::string& path) {
    auto opened = DrawStore::Open(path);
    return static_cast<int>(opened.error);
}

TEST(ReadOnly, ReadOnlyFile) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string path = dir.file("caipiao.edb");
    MakeNumberedStore(path, 5).reset();
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const std::string before = ReadBytes(path);
    EXPECT_EQ(RunAsUnprivileged(OpenErrorAsChild, path), static_cast<int>(OpenError::ReadOnly));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(Exists(path + "-wal"));
}

TEST(ReadOnly, ReadOnlyFolder) {
    TempDir dir;
    const std::string folder = dir.file("ro");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/caipiao.edb";
    MakeNumberedStore(path, 5).reset();
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    const std::string before = ReadBytes(path);
    EXPECT_EQ(RunAsUnprivileged(OpenErrorAsChild, path), static_cast<int>(OpenError::ReadOnly));
    EXPECT_EQ(ReadBytes(path), before);
    ::chmod(folder.c_str(), 0755);
}

// The same child, unprivileged, opens a store it may write: the read-only
// checks above are not passing for some other reason.
TEST(ReadOnly, WritableFileOpensForTheSameUser) {
    TempDir dir;
    const std::string folder = dir.file("rw");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    const std::string path = folder + "/caipiao.edb";
    MakeNumberedStore(path, 5).reset();
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    EXPECT_EQ(RunAsUnprivileged(OpenErrorAsChild, path), static_cast<int>(OpenError::None));
}

// --- killed writer ---------------------------------------------------------

// A child writes and reports each returned change; it is killed with SIGKILL
// in the middle of its work. Every reported change must be in the file, the
// store must open, and its content must be the state after the last
// reported change (or after the one more that may have returned unreported).
TEST(KillNine, EveryReportedChangeSurvives) {
    TempDir dir;
    const std::string path = dir.file("caipiao.edb");
    constexpr int kRecords = 50;
    MakeNumberedStore(path, kRecords).reset();

    int lastDone = -1;
    {
        ChildProcess child(STORE_WRITER_CHILD, {"write", path});
        std::string line;
        while (child.ReadLine(&line)) {
            ASSERT_TRUE(line.starts_with("done ")) << line;
            lastDone = std::stoi(line.substr(5));
            if (lastDone >= 400) break;
        }
        child.Kill(SIGKILL);
        EXPECT_EQ(child.Wait(), 128 + SIGKILL);
        // Whole lines only: a report the kill cut short does not count.
        for (const std::string& rest : child.DrainLines())
            if (rest.starts_with("done ")) lastDone = std::stoi(rest.substr(5));
    }
    ASSERT_GE(lastDone, 400);
    EXPECT_TRUE(Exists(path + "-wal"));   // killed before it could merge its log
    EXPECT_TRUE(Exists(path + "-lock"));  // left behind, but no longer locked

    auto reopened = DrawStore::Open(path);
    ASSERT_EQ(reopened.error, OpenError::None) << reopened.detail;
    const std::vector<Record> actual = reopened.store->Records();
    reopened.store.reset();

    // Rebuild the expected states with the same steps on a fresh store.
    auto expected = MakeNumberedStore(dir.file("expected.edb"), kRecords);
    for (int i = 0; i <= lastDone; ++i) ApplyWriterOp(*expected, i);
    std::string why;
    if (SameRecords(actual, expected->Records(), &why)) return;
    ApplyWriterOp(*expected, lastDone + 1);
    std::string whyNext;
    EXPECT_TRUE(SameRecords(actual, expected->Records(), &whyNext))
        << "after step " << lastDone << ": " << why << "; after step " << lastDone + 1 << ": " << whyNext;
}

}  // namespace
}  // namespace tricala::test
