// The results scan on a 50-row page whose 10 newest draws are not stored,
// store work included.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>

#include "app/Handlers.h"
#include "app/OleDate.h"
#include "bench/BenchStores.h"

namespace tricala::bench {
namespace {

// The store's 40 newest draws and 10 invented newer ones, newest first.
std::string PageWithTenNewDraws(const DrawStore& store) {
    struct Draw {
        int issue;
        std::string number;
        double date;
    };
    std::vector<Draw> draws;
    const auto& records = store.Records();
    for (auto r = records.rbegin(); r != records.rend() && draws.size() < 40; ++r)
        if (!r->期数.empty()) draws.push_back({std::stoi(r->期数), r->中奖号, r->开奖日期});
    const Draw newest = draws.front();
    for (int k = 1; k <= 10; ++k)
        draws.insert(draws.begin(), {newest.issue + k, "5" + std::to_string(k % 10) + "8", newest.date + k});

    std::string page = "<html><body><table>\n";
    char row[256];
    for (const Draw& d : draws) {
        const QDate day = DateTimeFromOle(d.date).date();
        std::snprintf(row, sizeof row,
                      "<tr><td height=\"24\">%05d</td><td>%c&nbsp;&nbsp;&nbsp;&nbsp;%c&nbsp;&nbsp;&nbsp;&nbsp;%c</td>"
                      "<td>%04d-%02d-%02d</td></tr>\n",
                      d.issue, d.number[0], d.number[1], d.number[2], day.year(), day.month(), day.day());
        page += row;
    }
    return page + "</table></body></html>\n";
}

void BM_ScanResultsPage(benchmark::State& state) {
    const auto size = static_cast<StoreSize>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto w = StartWindow(FreshStoreCopy(size));
        const std::string page = PageWithTenNewDraws(*w->store());
        const int before = w->store()->RecordCount();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        ScanResultsPage(*w, page);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (w->store()->Records().back().期数 == w->store()->Records()[before - 11].期数)
            state.SkipWithError("nothing was appended");
        w.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ScanResultsPage)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tricala::bench
