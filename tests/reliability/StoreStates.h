#pragma once
// Comparing a store found after a kill with the states it may be in.

#include <string>
#include <vector>

#include "store/DrawStore.h"

namespace tricala::test {

// True when `actual` is `after` on its first k records and `before` on the
// rest, for some k in 0..size (k = 0 is `before`, k = size is `after`): what
// a record-by-record walk from `before` to `after` leaves when it is stopped.
// Otherwise false, with the first record that fits neither in `why`.
bool IsWalkPrefix(const std::vector<Record>& actual, const std::vector<Record>& before,
                  const std::vector<Record>& after, std::string* why);

// The draws (records with a 期数) have strictly increasing numeric issues.
// Otherwise false, with the first pair out of order in `why`.
bool DrawIssuesIncrease(const std::vector<Record>& records, std::string* why);

bool HasIssue(const std::vector<Record>& records, const std::string& issue);

}  // namespace tricala::test
