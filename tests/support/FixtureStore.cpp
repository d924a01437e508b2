#include "tests/support/FixtureStore.h"

#include <cstdio>
#include <stdexcept>

namespace tricala::test {

std::vector<FixtureDraw> TwelveDraws() {
    return {
        {"192", "2013-10-04", "13239"}, {"317", "2013-10-05", "13240"},
        {"718", "2013-10-06", "13241"}, {"443", "2013-10-07", "13242"},
        {"077", "2013-10-08", "13243"}, {"000", "2013-10-09", "13244"},
        {"123", "2013-10-10", "13245"}, {"153", "2013-10-11", "13246"},
        {"428", "2013-10-12", "13247"}, {"105", "2013-10-13", "13248"},
        {"999", "2013-10-14", "13249"}, {"623", "2013-10-17", "13250"},
    };
}

std::unique_ptr<DrawStore> MakeFixtureStore(const std::string& path,
                                            const std::vector<FixtureDraw>& draws, int totalRecords,
                                            bool withCandidates) {
    std::string error;
    auto store = DrawStore::Create(path, &error);
    if (!store) throw std::runtime_error("cannot create fixture store: " + error);
    const bool ok = store->Atomically([&] {
        int added = 0;
        for (const FixtureDraw& d : draws) {
            store->AddRecord({.中奖号 = d.number, .开奖日期 = ParseDate(d.date), .期数 = d.issue});
            ++added;
        }
        for (; added < totalRecords; ++added) store->AddRecord({});
        if (withCandidates) {
            store->GoFirst();
            char text[8];
            for (int n = 0; n < 1000; ++n) {
                std::snprintf(text, sizeof text, "%03d", n);
                store->ModifyRecord({.备选号 = std::string(text)});
                store->Skip();
            }
        }
        store->GoFirst();
        return true;
    });
    if (!ok) throw std::runtime_error("cannot fill fixture store");
    return store;
}

std::unique_ptr<DrawStore> MakeWorkingStore(const std::string& path,
                                            const std::vector<FixtureDraw>& draws,
                                            int totalRecords) {
    std::string error;
    auto store = DrawStore::Create(path, &error);
    if (!store) throw std::runtime_error("cannot create fixture store: " + error);
    const bool ok = store->Atomically([&] {
        for (int n = static_cast<int>(draws.size()); n < totalRecords; ++n) store->AddRecord({});
        for (const FixtureDraw& d : draws)
            store->AddRecord({.中奖号 = d.number, .开奖日期 = ParseDate(d.date), .期数 = d.issue});
        store->GoFirst();
        return true;
    });
    if (!ok) throw std::runtime_error("cannot fill fixture store");
    return store;
}

}  // namespace tricala::test
