#include "update/DrawAppend.h"

#include <algorithm>
#include <string>

#include "store/DrawStore.h"

namespace tricala {

namespace {

// Records 1..1000 carry the working set by position.
constexpr int kWorkingSetSize = 1000;

struct WorkingSetEntry {
    std::string 备选号;
    std::string 备份;
};

std::vector<WorkingSetEntry> ReadWorkingSet(DrawStore& store) {
    std::vector<WorkingSetEntry> set(static_cast<std::size_t>(std::min(kWorkingSetSize, store.RecordCount())));
    store.GoFirst();
    for (WorkingSetEntry& entry : set) {
        entry.备选号 = store.ReadText(Field::备选号);
        entry.备份 = store.ReadText(Field::备份);
        store.Skip();
    }
    return set;
}

// Puts the remembered values back by position; records whose values did not
// move are left unwritten.
void WriteWorkingSet(DrawStore& store, const std::vector<WorkingSetEntry>& set) {
    store.GoFirst();
    for (const WorkingSetEntry& entry : set) {
        RecordValues values;
        if (store.ReadText(Field::备选号) != entry.备选号) values.备选号 = entry.备选号;
        if (store.ReadText(Field::备份) != entry.备份) values.备份 = entry.备份;
        if (values.备选号 || values.备份) store.ModifyRecord(values);
        store.Skip();
    }
}

}  // namespace

bool AppendDraws(DrawStore& store, const std::vector<PageRow>& rowsNewestFirst) {
    if (rowsNewestFirst.empty()) {
        store.GoFirst();
        return true;
    }
    const bool done = store.Atomically([&] {
        const std::vector<WorkingSetEntry> kept = ReadWorkingSet(store);
        for (auto row = rowsNewestFirst.rbegin(); row != rowsNewestFirst.rend(); ++row) {
            RecordValues draw;
            draw.中奖号 = row->number;
            draw.开奖日期 = row->date;
            draw.期数 = row->issue;
            store.AddRecord(draw);
        }
        // One oldest record leaves for each draw added, so the table keeps
        // its length: the history is a sliding window. Marking them all and
        // purging once leaves the same table as a purge after every add.
        store.GoFirst();
        for (std::size_t i = 0; i < rowsNewestFirst.size(); ++i) {
            store.DeleteRecord();
            store.Skip();
        }
        store.PurgeDeleted();
        WriteWorkingSet(store, kept);
        return true;
    });
    // Also after a rollback, which restores the records but not the cursor.
    store.GoFirst();
    return done;
}

}  // namespace tricala
