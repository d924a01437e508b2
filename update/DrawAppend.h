#pragma once
// Appending new draws to the sliding history window.

#include <vector>

#include "update/ResultsPage.h"

namespace tricala {

class DrawStore;

// Appends `rows` (given newest first, appended oldest first) and drops one
// oldest record per draw, as one transaction: all of it reaches the file or
// none does. Records 1..1000 keep the 备选号 and 备份 they had before, so
// neither the live candidates nor the saved set move. Leaves the cursor on
// record 1. Returns false (store unchanged) when the transaction failed.
bool AppendDraws(DrawStore& store, const std::vector<PageRow>& rowsNewestFirst);

}  // namespace tricala
