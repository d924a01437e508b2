#pragma once
#include <memory>
#include <string>
#include <vector>

#include "store/DrawStore.h"

namespace tricala::test {

struct FixtureDraw {
    std::string number;  // 中奖号, e.g. "077"
    std::string date;    // YYYY-MM-DD
    std::string issue;   // 期数, e.g. "13245"
};

// A dozen consecutive draws, oldest first, ending with issue 13250 on
// 2013-10-17 ("623").
std::vector<FixtureDraw> TwelveDraws();

// Builds a store file at `path`: the draws first (oldest first), then blank
// records up to `totalRecords` (so records 1..1000 exist for the candidate
// set even with few draws). When `withCandidates`, records 1..1000 get
// "000".."999" in 备选号.
std::unique_ptr<DrawStore> MakeFixtureStore(const std::string& path,
                                            const std::vector<FixtureDraw>& draws,
                                            int totalRecords = 1000, bool withCandidates = true);

// The shape of a real store: blank records first, then the draws, so the
// last record is the newest draw; `totalRecords` in all (at least the
// draws). 备选号 is left empty: the start-up refills it.
std::unique_ptr<DrawStore> MakeWorkingStore(const std::string& path,
                                            const std::vector<FixtureDraw>& draws,
                                            int totalRecords = 1000);

}  // namespace tricala::test
