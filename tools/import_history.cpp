// tricala_import <history.csv> <new-store.edb>
//
// Builds a new store file from the draw history CSV (data/pls_history.csv):
// one record per draw, oldest first, 期数 in the five-digit form, 开奖日期 the
// draw day at 00:00, 备选号 and 备份 empty (the program refills the
// candidates at every start). Validates the whole file first; a bad row is
// reported as "line N: ..." on stderr with exit code 1 and nothing written.
// Never overwrites an existing file.

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include "store/FileSystem.h"
#include "tools/HistoryCsv.h"

namespace {

// The arguments as UTF-8, the form every path takes inside the program.
// On Windows argv holds them in the ANSI code page, which cannot spell
// every folder name, so they are read again from the wide command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argv;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; wide && i < count; ++i)
        args.push_back(tricala::detail::Utf8FromPath(std::filesystem::path(wide[i])));
    ::LocalFree(wide);
    if (static_cast<int>(args.size()) == argc) return args;
#endif
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = Utf8Arguments(argc, argv);
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s <history.csv> <new-store.edb>\n",
                     args.empty() ? "tricala_import" : args[0].c_str());
        return 2;
    }
    const std::string& csvPath = args[1];
    const std::string& storePath = args[2];

    const tricala::HistoryParseResult parsed = tricala::ReadHistoryCsv(csvPath);
    if (!parsed.ok()) {
        std::fprintf(stderr, "%s\n", parsed.error.c_str());
        return 1;
    }
    std::string error;
    if (!tricala::BuildStoreFromDraws(parsed.draws, storePath, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (parsed.draws.size() < 1000) {
        std::fprintf(stderr, "warning: only %zu draws; the program expects at least 1000 records\n",
                     parsed.draws.size());
    }
    return 0;
}
