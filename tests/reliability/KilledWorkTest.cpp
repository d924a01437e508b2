// A child works on the store and is killed with SIGKILL at a random moment,
// over and over, for each kind of work the program does to the store. After
// each kill the store must open, keep its shape, and hold every change the
// child reported as done.
//
// Runs per kind: kRuns. The seed comes from TRICALA_RELIABILITY_SEED when
// set, else from the clock; it is printed with every failure.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/reliability/CrashTemplate.h"
#include "tests/reliability/CrashWork.h"
#include "tests/reliability/StoreStates.h"
#include "tests/store/StoreTestUtil.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace tricala::test {
namespace {

constexpr int kRuns = 25;
// The child stops after this many ops; the test kills it after at most
// kMaxReportedOps reports, so every kill lands before that end.
constexpr int kChildOps = 10;
constexpr int kMaxReportedOps = 6;

unsigned SeedForThisRun() {
    if (const char* fixed = std::getenv("TRICALA_RELIABILITY_SEED")) return static_cast<unsigned>(std::stoul(fixed));
    return static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count());
}

// The states the store passes through: `start` is the template; op n moves
// it from the state after op n-1 through the state after each of its steps.
struct Timeline {
    std::vector<Record> start;
    std::vector<std::vector<std::vector<Record>>> afterStep;  // [op][step]
    std::vector<std::vector<bool>> atomic;                    // [op][step]

    const std::vector<Record>& AfterOp(int n) const { return n < 0 ? start : afterStep[n].back(); }
};

Timeline Replay(WorkKind kind, const std::string& templatePath, const std::string& scratch) {
    WriteBytes(scratch, ReadBytes(templatePath));
    auto opened = DrawStore::Open(scratch);
    if (!opened.store) throw std::runtime_error("replay store: " + opened.detail);
    Timeline t;
    t.start = opened.store->Records();
    for (int n = 0; n < kChildOps; ++n) {
        t.afterStep.emplace_back();
        t.atomic.emplace_back();
        for (const WorkStep& step : OpSteps(kind, n)) {
            step.run(*opened.store);
            t.afterStep.back().push_back(opened.store->Records());
            t.atomic.back().push_back(step.atomic);
        }
    }
    return t;
}

// `actual` is the state after op `last` (-1: none) or a state the next op
// passes through: inside a walk step a record-order prefix, inside an atomic
// step all or nothing.
::testing::AssertionResult IsStateOfTheWork(const std::vector<Record>& actual, const Timeline& t, int last) {
    const int next = last + 1;
    std::string whyNot;
    const std::vector<Record>* before = &t.AfterOp(last);
    for (size_t step = 0; step < t.afterStep[next].size(); ++step) {
        const std::vector<Record>& after = t.afterStep[next][step];
        std::string why;
        const bool fits = t.atomic[next][step]
                              ? SameRecords(actual, *before, &why) || SameRecords(actual, after, &why)
                              : IsWalkPrefix(actual, *before, after, &why);
        if (fits) return ::testing::AssertionSuccess();
        whyNot += "\n  op " + std::to_string(next) + " step " + std::to_string(step) + ": " + why;
        before = &after;
    }
    return ::testing::AssertionFailure() << "store is in no state between op " << last << " and op " << next
                                         << whyNot;
}

struct KillStats {
    int runs = 0;
    int reportedOps = 0;
    int killedBeforeFirstReport = 0;
    int foundMidOp = 0;  // neither the state after the last report nor after the next op
};

class KilledWhileWorking : public ::testing::TestWithParam<WorkKind> {};

TEST_P(KilledWhileWorking, ReportedChangesSurviveAndTheStoreStaysWhole) {
    const WorkKind kind = GetParam();
    TempDir dir;
    const std::string templatePath = dir.file("template.edb");
    MakeCrashTemplate(templatePath);
    const std::string templateBytes = ReadBytes(templatePath);
    const Timeline timeline = Replay(kind, templatePath, dir.file("replay.edb"));

    const unsigned seed = SeedForThisRun();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(5, 80);
    std::uniform_int_distribution<int> linesBeforeKill(1, kMaxReportedOps);
    KillStats stats;

    for (int run = 0; run < kRuns; ++run) {
        const int delay = delayMs(random);
        const int lines = linesBeforeKill(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", run " + std::to_string(run) + ": kill after " +
                     std::to_string(delay) + " ms or " + std::to_string(lines) + " reports");
        const std::string path = dir.file("run" + std::to_string(run) + ".edb");
        WriteBytes(path, templateBytes);

        std::vector<std::string> reports;
        {
            ChildProcess child(CRASH_WORK_CHILD, {WorkKindName(kind), path, std::to_string(kChildOps)});
            const auto deadline = ChildProcess::Clock::now() + std::chrono::milliseconds(delay);
            std::string line;
            while (static_cast<int>(reports.size()) < lines &&
                   child.ReadLine(&line, deadline) == ChildProcess::Read::Line)
                reports.push_back(line);
            child.Kill(SIGKILL);
            for (std::string& rest : child.DrainLines()) reports.push_back(std::move(rest));
            ASSERT_EQ(child.Wait(), 128 + SIGKILL) << "the child ended before the kill";
        }

        int last = -1;
        std::string lastIssue;
        for (const std::string& report : reports) {
            char kindWord[16] = {};
            char issue[16] = {};
            int n = -1;
            const int fields = std::sscanf(report.c_str(), "ok %15s %d %15s", kindWord, &n, issue);
            ASSERT_TRUE(fields >= 2 && kindWord == WorkKindName(kind) && n == last + 1) << report;
            last = n;
            if (fields == 3) lastIssue = issue;
        }
        ASSERT_LT(last + 1, kChildOps);
        stats.runs++;
        stats.reportedOps += last + 1;
        if (last < 0) stats.killedBeforeFirstReport++;

        auto reopened = DrawStore::Open(path);
        ASSERT_EQ(reopened.error, OpenError::None) << reopened.detail;
        const std::vector<Record> actual = reopened.store->Records();
        reopened.store.reset();
        EXPECT_EQ(actual.size(), timeline.start.size());
        std::string why;
        EXPECT_TRUE(DrawIssuesIncrease(actual, &why)) << why;
        if (kind == WorkKind::Append && last >= 0) {
            EXPECT_EQ(lastIssue, AppendedIssues(last).back());
            EXPECT_TRUE(HasIssue(actual, lastIssue)) << "reported issue " << lastIssue << " is not in the store";
        }
        EXPECT_TRUE(IsStateOfTheWork(actual, timeline, last));
        if (!SameRecords(actual, timeline.AfterOp(last)) && !SameRecords(actual, timeline.AfterOp(last + 1)))
            stats.foundMidOp++;
        if (HasFailure()) return;
    }
    std::printf("[ reliability ] %s: %d kills, %d reported ops, %d before the first report, %d found mid-op "
                "(seed %u)\n",
                WorkKindName(kind).c_str(), stats.runs, stats.reportedOps, stats.killedBeforeFirstReport,
                stats.foundMidOp, seed);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KilledWhileWorking,
                         ::testing::Values(WorkKind::Refill, WorkKind::FilterPass, WorkKind::Append,
                                           WorkKind::ExitSave),
                         [](const ::testing::TestParamInfo<WorkKind>& info) { return WorkKindName(info.param); });

}  // namespace
}  // namespace tricala::test
