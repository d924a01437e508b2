#pragma once
// The shared walk of the profile-based filters, without widgets.

#include <functional>

#include "analysis/NumberProfile.h"

namespace tricala {

class DrawStore;

// Writes the empty text into 备选号 of the current record.
void StrikeCurrentRecord(DrawStore& store);

// From record 1, profiles every record's 备选号 and strikes it when `test`
// holds. `beforeEachRecord`, when given, runs at the start of each record's
// step. Returns the number of records the test matched (struck or already
// blank). Leaves the cursor on record 1.
int WalkAndStrike(DrawStore& store, const std::function<bool(const NumberProfile&)>& test,
                  const std::function<void()>& beforeEachRecord = {});

}  // namespace tricala
