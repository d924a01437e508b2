#include "tests/reliability/CrashTemplate.h"

#include <cstdio>
#include <string>

#include "filters/FilterPass.h"
#include "store/WorkingSet.h"
#include "tests/reliability/CrashWork.h"
#include "tests/support/FixtureStore.h"

namespace tricala::test {

void MakeCrashTemplate(const std::string& path) {
    std::vector<FixtureDraw> draws;
    const double firstDay = OleDateFromParts(2013, 1, 1);
    for (int issue = kFirstTemplateIssue; issue <= kLastTemplateIssue; ++issue) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", (issue * 389 + 17) % 1000);
        const std::string date = DateText(firstDay + (issue - kFirstTemplateIssue));
        draws.push_back({number, date, std::to_string(issue)});
    }
    auto store = MakeWorkingStore(path, draws, 1100);
    ResetCandidates(*store);
    WalkAndStrike(*store, [](const NumberProfile& p) { return std::stoi(p.sumText) % 2 == 0; });
    SaveCandidates(*store);
    ResetCandidates(*store);
}

}  // namespace tricala::test
