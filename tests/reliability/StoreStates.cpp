#include "tests/reliability/StoreStates.h"

#include <algorithm>
#include <cstdlib>

#include "tests/store/StoreTestUtil.h"

namespace tricala::test {

bool IsWalkPrefix(const std::vector<Record>& actual, const std::vector<Record>& before,
                  const std::vector<Record>& after, std::string* why) {
    if (actual.size() != before.size() || before.size() != after.size()) {
        *why = "record counts " + std::to_string(actual.size()) + ", " + std::to_string(before.size()) + " and " +
               std::to_string(after.size());
        return false;
    }
    // The longest prefix that matches `after` is the only cut worth trying:
    // any shorter valid cut implies the rest matches `before` from here too.
    size_t cut = 0;
    while (cut < actual.size() && SameRecords({actual[cut]}, {after[cut]})) ++cut;
    for (size_t i = cut; i < actual.size(); ++i) {
        std::string differs;
        if (!SameRecords({actual[i]}, {before[i]}, &differs)) {
            *why = "record " + std::to_string(i + 1) + " is neither the state before nor after (walk done up to " +
                   std::to_string(cut) + "): " + differs;
            return false;
        }
    }
    return true;
}

bool DrawIssuesIncrease(const std::vector<Record>& records, std::string* why) {
    long previous = -1;
    std::string previousText;
    for (const Record& r : records) {
        if (r.期数.empty()) continue;
        char* end = nullptr;
        const long issue = std::strtol(r.期数.c_str(), &end, 10);
        if (*end != '\0' || issue <= previous) {
            *why = "issue " + r.期数 + " follows " + previousText;
            return false;
        }
        previous = issue;
        previousText = r.期数;
    }
    return true;
}

bool HasIssue(const std::vector<Record>& records, const std::string& issue) {
    return std::any_of(records.begin(), records.end(), [&issue](const Record& r) { return r.期数 == issue; });
}

}  // namespace tricala::test
