// Helper process for the kill tests.
//
//   crash_work_child <refill|filter|append|save> <store> <ops>
//
// Opens the store and runs ops 0 .. ops-1 of that kind of work (see
// CrashWork.h), printing "ok <kind> <n>" (append: "ok append <n> <last
// issue>") and flushing after each op has returned, so that every line the
// test reads stands for a change the store has promised to keep.

#include <cstdio>
#include <string>

#include "store/DrawStore.h"
#include "tests/reliability/CrashWork.h"

int main(int argc, char** argv) {
    using namespace tricala;
    using namespace tricala::test;
    WorkKind kind{};
    if (argc != 4 || !ParseWorkKind(argv[1], &kind)) {
        std::fprintf(stderr, "usage: %s refill|filter|append|save <store> <ops>\n", argv[0]);
        return 100;
    }
    auto opened = DrawStore::Open(argv[2]);
    if (!opened.store) {
        std::printf("error %d %s\n", static_cast<int>(opened.error), opened.detail.c_str());
        return 101;
    }
    const int ops = std::stoi(argv[3]);
    for (int n = 0; n < ops; ++n) {
        for (const WorkStep& step : OpSteps(kind, n)) step.run(*opened.store);
        std::printf("ok %s %d", WorkKindName(kind).c_str(), n);
        if (kind == WorkKind::Append) std::printf(" %s", AppendedIssues(n).back().c_str());
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
