#include "bench/BenchStores.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/Handlers.h"
#include "platform/MessageBox.h"
#include "store/DrawStore.h"

namespace tricala::bench {
namespace fs = std::filesystem;
namespace {

// Removed at exit; the path is never destroyed, so the exit handler can
// still read it.
const fs::path& BenchFolder() {
    static const fs::path* folder = [] {
        std::string pattern = (fs::temp_directory_path() / "tricala-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(BenchFolder(), ignored);
        });
        return new fs::path(pattern);
    }();
    return *folder;
}

std::string BuildShipped() {
    const fs::path path = BenchFolder() / "shipped.edb";
    const std::string command = std::string("\"") + TRICALA_IMPORT_EXE + "\" \"" +
                                TRICALA_HISTORY_CSV + "\" \"" + path.string() + "\"";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("import failed");
    return path.string();
}

// 100,000 records: ten blank ones, then 99,990 draws on consecutive days
// with distinct five-digit issues 00000..99989.
std::string BuildLarge() {
    const fs::path path = BenchFolder() / "large.edb";
    auto store = DrawStore::Create(path.string());
    store->Atomically([&] {
        for (int i = 0; i < 10; ++i) store->AddRecord({});
        char number[8], issue[8];
        for (int i = 0; i < 99990; ++i) {
            std::snprintf(number, sizeof number, "%03d", (i * 7919) % 1000);
            std::snprintf(issue, sizeof issue, "%05d", i % 100000);
            store->AddRecord({.中奖号 = std::string(number), .开奖日期 = 1.0 + i,
                              .期数 = std::string(issue)});
        }
        return true;
    });
    return path.string();
}

}  // namespace

std::string FreshStoreCopy(StoreSize size) {
    static const std::string shipped = BuildShipped();
    static const std::string large = BuildLarge();
    static int copies = 0;
    const fs::path folder = BenchFolder() / ("copy" + std::to_string(++copies));
    fs::create_directories(folder);
    const fs::path target = folder / "caipiao.edb";
    fs::copy_file(size == StoreSize::Shipped ? shipped : large, target);
    return target.string();
}

std::unique_ptr<MainWindow> StartWindow(const std::string& path) {
    platform::SetAutoAnswer(true, platform::MessageAnswer::No);
    auto w = std::make_unique<MainWindow>();
    w->show();
    if (!StartUpSequence(*w, QString::fromStdString(path))) throw std::runtime_error("start-up failed");
    return w;
}

double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

}  // namespace tricala::bench
