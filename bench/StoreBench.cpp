// The floor every action is read against (one autocommit update in the
// store's journal mode), start-up, and the whole process from launch to a
// usable window.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/BenchStores.h"
#include "platform/PendingMessages.h"

namespace tricala::bench {
namespace {

void BM_Floor_AutocommitUpdate(benchmark::State& state) {
    const std::string path = FreshStoreCopy(StoreSize::Shipped);
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE DrawStore SET 备选号=?1 WHERE rowid=?2", -1, &update, nullptr);
    int n = 0;
    for (auto _ : state) {
        const std::string value = (n % 2) ? "123" : "";
        sqlite3_bind_text(update, 1, value.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 2, 1 + n % 1000);
        if (sqlite3_step(update) != SQLITE_DONE) state.SkipWithError("update failed");
        sqlite3_reset(update);
        ++n;
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
}
BENCHMARK(BM_Floor_AutocommitUpdate)->Unit(benchmark::kMicrosecond);

// The cost of letting the window handle its messages once, with nothing
// pending: the passes that stay responsive pay it once per record.
void BM_Floor_ProcessPendingMessages(benchmark::State& state) {
    auto w = StartWindow(FreshStoreCopy(StoreSize::Shipped));
    for (auto _ : state) platform::ProcessPendingMessages();
}
BENCHMARK(BM_Floor_ProcessPendingMessages)->Unit(benchmark::kMicrosecond);

void BM_StartUp(benchmark::State& state) {
    const auto size = static_cast<StoreSize>(state.range(0));
    const std::string path = FreshStoreCopy(size);
    for (auto _ : state) {
        auto w = StartWindow(path);
        benchmark::DoNotOptimize(w.get());
        state.PauseTiming();
        w.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rss_MiB"] = ResidentMiB();
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond)->Iterations(5);

// The real program, offscreen, on a copy of the shipped history beside it.
void BM_LaunchToReady(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(FreshStoreCopy(StoreSize::Shipped)).parent_path();
    fs::copy_file(TRICALA_EXE, folder / "tricala");
    const std::string command = "QT_QPA_PLATFORM=offscreen TRICALA_QUIT_WHEN_READY=1 \"" +
                                (folder / "tricala").string() + "\"";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("the program failed");
}
BENCHMARK(BM_LaunchToReady)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tricala::bench
