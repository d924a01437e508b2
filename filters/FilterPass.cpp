#include "filters/FilterPass.h"

#include "store/DrawStore.h"

namespace tricala {

void StrikeCurrentRecord(DrawStore& store) { store.ModifyRecord({.备选号 = std::string()}); }

int WalkAndStrike(DrawStore& store, const std::function<bool(const NumberProfile&)>& test,
                  const std::function<void()>& beforeEachRecord) {
    store.GoFirst();
    const int count = store.RecordCount();
    int matched = 0;
    for (int i = 0; i < count; ++i) {
        if (beforeEachRecord) beforeEachRecord();
        if (test(ProfileNumber(store.ReadText(Field::备选号)))) {
            StrikeCurrentRecord(store);
            ++matched;
        }
        store.Skip();
    }
    store.GoFirst();
    return matched;
}

}  // namespace tricala
