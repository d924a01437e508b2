// Helper process for the store tests.
//
//   store_writer_child write <store>  opens the store and applies
//       ApplyWriterOp(0), (1), ... printing "done N" after each has returned,
//       until killed (or 1,000,000 steps).
//   store_writer_child open <store>   tries to open the store; prints
//       "error <OpenError as number> <detail>" and exits with that number.
//   store_writer_child hold <store>   opens the store, prints "open <error>"
//       and keeps it open until its stdin ends.

#include <cstdio>
#include <cstring>
#include <string>

#include "store/DrawStore.h"
#include "tests/store/WriterOps.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s write|open|hold <store>\n", argv[0]);
        return 100;
    }
    const std::string mode = argv[1];
    auto opened = tricala::DrawStore::Open(argv[2]);
    const int error = static_cast<int>(opened.error);
    if (mode == "open") {
        std::printf("error %d %s\n", error, opened.detail.c_str());
        return error;
    }
    if (mode == "hold") {
        std::printf("open %d\n", error);
        std::fflush(stdout);
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, stdin)) {
        }
        return error;
    }
    if (mode == "write") {
        if (!opened.store) {
            std::printf("error %d %s\n", error, opened.detail.c_str());
            return 101;
        }
        for (int i = 0; i < 1000000; ++i) {
            tricala::test::ApplyWriterOp(*opened.store, i);
            std::printf("done %d\n", i);
            std::fflush(stdout);
        }
        return 0;
    }
    return 100;
}
