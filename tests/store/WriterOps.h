#pragma once
// The modification sequence of store_writer_child, shared with the kill
// test so it can rebuild the expected state by applying the same steps.

#include <string>

#include "store/DrawStore.h"

namespace tricala::test {

// Step i of the sequence: an append, a change of the last record or a
// change of one of the first records, each one write.
inline void ApplyWriterOp(DrawStore& store, int i) {
    switch (i % 3) {
        case 0:
            store.AddRecord({.中奖号 = std::to_string(i % 1000), .开奖日期 = 40000.0 + i, .期数 = "w" + std::to_string(i)});
            break;
        case 1:
            store.GoLast();
            store.ModifyRecord({.备份 = "b" + std::to_string(i)});
            break;
        default:
            store.GoFirst();
            for (int k = 0; k < i % 7; ++k) store.Skip();
            store.ModifyRecord({.备选号 = "c" + std::to_string(i)});
            break;
    }
}

}  // namespace tricala::test
