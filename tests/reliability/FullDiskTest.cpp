// The store on a disk with no room left: a write that cannot be made must
// leave the file as it was before that write, and the records in memory must
// say exactly what the file holds. The disk is a small tmpfs mounted by the
// test; where mounting is not allowed the tests are skipped.

#include <gtest/gtest.h>
#include <signal.h>

#include <functional>

#include "filters/FilterPass.h"
#include "store/WorkingSet.h"
#include "tests/reliability/CrashTemplate.h"
#include "tests/reliability/CrashWork.h"
#include "tests/reliability/SmallDisk.h"
#include "tests/reliability/StoreStates.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "update/DrawAppend.h"

namespace tricala::test {
namespace {

// Room for the store, a write-ahead log that grows to its checkpoint size
// (about 1000 pages) and the database file growing with it.
constexpr long long kDiskBytes = 8 << 20;

#define REQUIRE_SMALL_DISK(disk) \
    if (!(disk).mounted()) GTEST_SKIP() << (disk).problem()

// Draws newest first, issues from `firstIssue` up, one a day after the template's.
std::vector<PageRow> NewDraws(int firstIssue, int count) {
    std::vector<PageRow> rows;
    for (int issue = firstIssue; issue < firstIssue + count; ++issue) {
        const double day = OleDateFromParts(2013, 1, 1) + (issue - kFirstTemplateIssue);
        rows.insert(rows.begin(), PageRow{std::to_string(issue), std::to_string(100 + issue % 900), day});
    }
    return rows;
}

std::string TemplateBytes() {
    TempDir dir;
    MakeCrashTemplate(dir.file("template.edb"));
    return ReadBytes(dir.file("template.edb"));
}

TEST(FullDisk, AppendDrawsRefusesThenWorksOnceThereIsRoom) {
    SmallDisk disk(kDiskBytes);
    REQUIRE_SMALL_DISK(disk);
    const std::string path = disk.file("caipiao.edb");
    WriteBytes(path, TemplateBytes());
    auto opened = DrawStore::Open(path);
    ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
    DrawStore& store = *opened.store;
    const std::vector<Record> before = store.Records();

    disk.FillLeaving(0);
    store.GoLast();
    EXPECT_FALSE(AppendDraws(store, NewDraws(kLastTemplateIssue + 1, 3)));
    std::string why;
    EXPECT_TRUE(SameRecords(store.Records(), before, &why)) << why;
    EXPECT_EQ(store.RecordNumber(), 1);

    // The same connection goes on once the disk has room again.
    disk.Free();
    ASSERT_TRUE(AppendDraws(store, NewDraws(kLastTemplateIssue + 1, 3)));
    const std::vector<Record> after = store.Records();
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.back().期数, std::to_string(kLastTemplateIssue + 3));
    opened.store.reset();

    auto reopened = DrawStore::Open(path);
    ASSERT_EQ(reopened.error, OpenError::None) << reopened.detail;
    EXPECT_TRUE(SameRecords(reopened.store->Records(), after, &why)) << why;
}

// However little room is left, the append is in the file whole or not at
// all, and its answer says which.
TEST(FullDisk, AppendDrawsIsAllOrNothingWhateverRoomIsLeft) {
    const std::string templateBytes = TemplateBytes();
    struct Case {
        long long room;
        int expected;  // 0: refused, 1: done, -1: either
    };
    // Every page count up to what the append's log needs, so that one of
    // them runs out in the middle of writing the transaction's pages.
    std::vector<Case> cases = {{0, 0}, {4 << 20, 1}};
    for (long long room = 4096; room <= 81920; room += 4096) cases.push_back({room, -1});
    for (const Case& c : cases) {
        SCOPED_TRACE("room " + std::to_string(c.room));
        SmallDisk disk(kDiskBytes);
        REQUIRE_SMALL_DISK(disk);
        const std::string path = disk.file("caipiao.edb");
        WriteBytes(path, templateBytes);
        auto opened = DrawStore::Open(path);
        ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
        const std::vector<Record> before = opened.store->Records();
        disk.FillLeaving(c.room);
        const bool done = AppendDraws(*opened.store, NewDraws(kLastTemplateIssue + 1, 5));
        if (c.expected >= 0) {
            EXPECT_EQ(done, c.expected == 1);
        }
        const std::vector<Record> inMemory = opened.store->Records();
        opened.store.reset();  // closing may not find room for its checkpoint either
        disk.Free();

        auto reopened = DrawStore::Open(path);
        ASSERT_EQ(reopened.error, OpenError::None) << reopened.detail;
        const std::vector<Record>& inFile = reopened.store->Records();
        std::string why;
        EXPECT_TRUE(SameRecords(inFile, inMemory, &why)) << "file and memory differ: " << why;
        if (done) {
            EXPECT_EQ(inFile.back().期数, std::to_string(kLastTemplateIssue + 5));
            EXPECT_TRUE(DrawIssuesIncrease(inFile, &why)) << why;
        } else {
            EXPECT_TRUE(SameRecords(inFile, before, &why)) << "a refused append changed the store: " << why;
        }
    }
}

// The day's work done on a store whose disk is full or nearly so: each write
// that fails leaves its record as it was, and after the disk has room again
// the file holds exactly what the store's records said when it was closed.
struct DayOfWork {
    const char* name;
    std::function<bool(DrawStore&)> run;  // false: the op reported a failure
};

std::vector<DayOfWork> DaysWork() {
    auto walk = [](std::function<void(DrawStore&)> f) {
        return [f = std::move(f)](DrawStore& s) {
            f(s);
            return true;
        };
    };
    return {
        {"refill", walk(ResetCandidates)},
        {"strike odd sums", walk([](DrawStore& s) {
             WalkAndStrike(s, [](const NumberProfile& p) { return std::stoi(p.sumText) % 2 == 1; });
         })},
        {"append 3", [](DrawStore& s) { return AppendDraws(s, NewDraws(kLastTemplateIssue + 101, 3)); }},
        {"save", walk(SaveCandidates)},
        {"strike 单双单", walk([](DrawStore& s) {
             WalkAndStrike(s, [](const NumberProfile& p) { return p.oddEven == "单双单"; });
         })},
        {"append 2", [](DrawStore& s) { return AppendDraws(s, NewDraws(kLastTemplateIssue + 104, 2)); }},
        {"save again", walk(SaveCandidates)},
    };
}

// Runs the day's work; gives the records after it. Checks each op's own
// promises on the way.
std::vector<Record> RunDaysWork(DrawStore& store) {
    for (const DayOfWork& op : DaysWork()) {
        const std::vector<Record> before = store.Records();
        const bool reported = op.run(store);
        const std::vector<Record>& after = store.Records();
        EXPECT_EQ(after.size(), before.size()) << op.name;
        std::string why;
        if (!reported) {
            EXPECT_TRUE(SameRecords(after, before, &why)) << op.name << " failed but changed: " << why;
        }
    }
    return store.Records();
}

// Copies the store file and its log (when there is one) to `to`.
void CopyStore(const std::string& from, const std::string& to) {
    WriteBytes(to, ReadBytes(from));
    if (Exists(from + "-wal")) WriteBytes(to + "-wal", ReadBytes(from + "-wal"));
}

struct FullDiskCase {
    long long room;       // -1: the disk is not filled
    bool leftoverLog;     // the store was last used by a process that was killed
    int allWritten;       // 0: some write must have failed, 1: none may, -1: either
};

std::ostream& operator<<(std::ostream& out, const FullDiskCase& c) {
    return out << "room " << c.room << (c.leftoverLog ? ", log of a killed writer" : "");
}

class WorkOnAFullDisk : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(WorkOnAFullDisk, FileHoldsExactlyWhatTheStoreSaysAfterRoomIsMade) {
    const FullDiskCase& c = GetParam();
    SmallDisk disk(kDiskBytes);
    REQUIRE_SMALL_DISK(disk);
    TempDir roomy;
    const std::string path = disk.file("caipiao.edb");
    WriteBytes(path, TemplateBytes());
    if (c.leftoverLog) {
        // Killed early in its appends: its log is short, so the work below
        // has to grow it.
        ChildProcess child(CRASH_WORK_CHILD, {"append", path, "10"});
        std::string line;
        ASSERT_EQ(child.ReadLine(&line, ChildProcess::Clock::now() + std::chrono::seconds(20)),
                      ChildProcess::Read::Line);
        child.Kill(SIGKILL);
        ASSERT_EQ(child.Wait(), 128 + SIGKILL);
        ASSERT_TRUE(Exists(path + "-wal"));
    }
    // The same work with room to spare, for comparison.
    CopyStore(path, roomy.file("caipiao.edb"));
    std::vector<Record> unhindered;
    {
        auto opened = DrawStore::Open(roomy.file("caipiao.edb"));
        ASSERT_EQ(opened.error, OpenError::None) << opened.detail;
        unhindered = RunDaysWork(*opened.store);
    }

    if (c.room >= 0) disk.FillLeaving(c.room);
    const std::string fileBefore = ReadBytes(path);
    std::vector<Record> inMemory;
    {
        auto opened = DrawStore::Open(path);
        if (!opened.store) {
            // Refusing to open is fine; touching the file is not.
            EXPECT_NE(opened.error, OpenError::None);
            EXPECT_EQ(ReadBytes(path), fileBefore);
        } else {
            inMemory = RunDaysWork(*opened.store);
        }
    }
    disk.Free();

    auto reopened = DrawStore::Open(path);
    ASSERT_EQ(reopened.error, OpenError::None) << reopened.detail;
    const std::vector<Record> inFile = reopened.store->Records();
    std::string why;
    if (!inMemory.empty()) {
        EXPECT_TRUE(SameRecords(inFile, inMemory, &why)) << "file and memory differ: " << why;
    }
    EXPECT_EQ(inFile.size(), unhindered.size());
    EXPECT_TRUE(DrawIssuesIncrease(inFile, &why)) << why;
    if (c.allWritten >= 0) {
        EXPECT_EQ(SameRecords(inFile, unhindered), c.allWritten == 1);
    }

    // With room again, the store takes writes as usual.
    reopened.store->GoFirst();
    reopened.store->ModifyRecord({.备份 = "after"});
    reopened.store.reset();
    auto last = DrawStore::Open(path);
    ASSERT_EQ(last.error, OpenError::None) << last.detail;
    EXPECT_EQ(last.store->ReadText(Field::备份), "after");
}

INSTANTIATE_TEST_SUITE_P(Rooms, WorkOnAFullDisk,
                         ::testing::Values(FullDiskCase{0, false, 0}, FullDiskCase{8192, false, 0},
                                           FullDiskCase{262144, false, 0}, FullDiskCase{1 << 20, false, -1},
                                           FullDiskCase{-1, false, 1}, FullDiskCase{0, true, 0},
                                           FullDiskCase{65536, true, 0}, FullDiskCase{-1, true, 1}),
                         [](const ::testing::TestParamInfo<FullDiskCase>& info) {
                             const FullDiskCase& c = info.param;
                             return (c.room < 0 ? std::string("NotFilled") : "Room" + std::to_string(c.room)) +
                                    (c.leftoverLog ? "AfterKill" : "");
                         });

}  // namespace
}  // namespace tricala::test
