// The working set carried by records 1..1000.
//
// Both walks go through the store's own operations, one ModifyRecord per
// record; ModifyRecord writes nothing when the value is already there, so a
// refill of an untouched set costs no SQL at all, and at most 1000 single-row
// autocommit updates otherwise. Neither opens a transaction: they may be
// called inside a caller's DrawStore::Atomically.

#include "store/WorkingSet.h"

#include <string>

#include "store/DrawStore.h"

namespace tricala {
namespace {

constexpr int kCandidateCount = 1000;

std::string CandidateText(int n) {
    return {static_cast<char>('0' + n / 100), static_cast<char>('0' + n / 10 % 10),
            static_cast<char>('0' + n % 10)};
}

}  // namespace

void ResetCandidates(DrawStore& store) {
    store.GoFirst();
    // 1000 writes and skips without looking at RecordCount:
    // past the end a write changes nothing and a skip does not move.
    for (int n = 0; n < kCandidateCount; ++n) {
        store.ModifyRecord({.备选号 = CandidateText(n)});
        store.Skip();
    }
    store.GoFirst();
}

void SaveCandidates(DrawStore& store) {
    store.GoFirst();
    // 备份 := 备选号 for records 1..1000, the empty text included, so a
    // struck candidate does not survive in 备份 from an earlier save.
    for (int n = 0; n < kCandidateCount && store.RecordNumber() <= store.RecordCount(); ++n) {
        store.ModifyRecord({.备份 = store.ReadText(Field::备选号)});
        store.Skip();
    }
    store.GoLast();
    store.Skip();
}

}  // namespace tricala
