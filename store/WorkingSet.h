#pragma once
// The player's working set, carried by records 1..1000: live candidates in
// 备选号, the set saved at exit in 备份.

namespace tricala {

class DrawStore;

// Writes "000".."999" into 备选号 of records 1..1000 (fewer when the table
// is shorter). Leaves the cursor on record 1.
void ResetCandidates(DrawStore& store);

// Saves the live set exactly: for records 1..1000, 备份 becomes 备选号,
// the empty text included. Leaves the cursor past the end.
void SaveCandidates(DrawStore& store);

}  // namespace tricala
