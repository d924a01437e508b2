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

#include "tools/HistoryCsv.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <history.csv> <new-store.edb>\n", argc > 0 ? argv[0] : "tricala_import");
        return 2;
    }
    const std::string csvPath = argv[1];
    const std::string storePath = argv[2];

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
