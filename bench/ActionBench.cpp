// Every user action on a started window, view redrawn, on the shipped
// history (large=0) and on 100,000 records (large=1). Each iteration starts
// from a full candidate set, so the writes an action must make are real.

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>

#include "app/Handlers.h"
#include "app/NumberEdit.h"
#include "bench/BenchStores.h"
#include "store/WorkingSet.h"

namespace tricala::bench {
namespace {

// Times the action and the repaint it causes ("view redrawn"); what the
// preparation leaves to paint is painted before the clock starts.
template <typename Action, typename Prepare>
void RunAction(benchmark::State& state, Prepare prepare, Action action) {
    const std::string path = FreshStoreCopy(static_cast<StoreSize>(state.range(0)));
    auto w = StartWindow(path);
    for (auto _ : state) {
        state.PauseTiming();
        ResetCandidates(*w->store());
        prepare(*w);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        action(*w);
        QCoreApplication::processEvents();
    }
    state.counters["rss_MiB"] = ResidentMiB();
}

void NoPreparation(MainWindow&) {}

void StrikeOneEighth(MainWindow& w) { OddEvenFilter(w, QStringLiteral("单单单")); }

void TickAll(MainWindow& w, int first, int last) {
    for (int n = first; n <= last; ++n) w.选择框[n]->setChecked(true);
}

#define ACTION_BENCHMARK(name) \
    BENCHMARK(name)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMillisecond)

void BM_Refill(benchmark::State& s) { RunAction(s, StrikeOneEighth, RefillCandidates); }
ACTION_BENCHMARK(BM_Refill);

void BM_ShowSaved(benchmark::State& s) { RunAction(s, NoPreparation, ShowSavedCandidates); }
ACTION_BENCHMARK(BM_ShowSaved);

void BM_OddEvenFilter(benchmark::State& s) { RunAction(s, NoPreparation, StrikeOneEighth); }
ACTION_BENCHMARK(BM_OddEvenFilter);

void BM_SizePatternAllTicked(benchmark::State& s) {
    RunAction(s, [](MainWindow& w) { TickAll(w, 1, 27); }, SizePatternFilter);
}
ACTION_BENCHMARK(BM_SizePatternAllTicked);

// The same pass with nothing to strike: the walk and the repaint alone.
void BM_SizePatternNoneTicked(benchmark::State& s) { RunAction(s, NoPreparation, SizePatternFilter); }
ACTION_BENCHMARK(BM_SizePatternNoneTicked);

void BM_SumAllTicked(benchmark::State& s) {
    RunAction(s, [](MainWindow& w) { TickAll(w, 30, 57); }, SumFilter);
}
ACTION_BENCHMARK(BM_SumAllTicked);

void BM_PositionDistance(benchmark::State& s) {
    RunAction(s, [](MainWindow& w) { w.编辑框2->setText(QStringLiteral("448")); },
              PositionDistanceFilter);
}
ACTION_BENCHMARK(BM_PositionDistance);

void BM_RepeatedPositions(benchmark::State& s) {
    RunAction(s, [](MainWindow& w) { w.编辑框1->WriteText(QStringLiteral("123")); },
              [](MainWindow& w) { StrikeByFind(w, RepeatRule::FirstAndThird); });
}
ACTION_BENCHMARK(BM_RepeatedPositions);

void BM_RedrawCandidates(benchmark::State& s) { RunAction(s, NoPreparation, RefreshCandidateList); }
ACTION_BENCHMARK(BM_RedrawCandidates);

void BM_RedrawHistory(benchmark::State& s) { RunAction(s, NoPreparation, RefreshHistoryList); }
ACTION_BENCHMARK(BM_RedrawHistory);

void BM_BuildHeatTable(benchmark::State& s) {
    RunAction(s, NoPreparation, [](MainWindow& w) { BuildHeatTable(w, {}, {}, {}); });
}
ACTION_BENCHMARK(BM_BuildHeatTable);

void BM_HistoryRowClick(benchmark::State& s) {
    int row = 0;
    RunAction(s, NoPreparation, [&row](MainWindow& w) { w.超级列表框2->selectRow(++row % 50); });
}
ACTION_BENCHMARK(BM_HistoryRowClick);

// The newest draw's day: the search walks the whole table to reach it.
void BM_DateSearch(benchmark::State& s) {
    RunAction(s, NoPreparation, [](MainWindow& w) {
        w.日期框1->blockSignals(true);
        w.日期框1->setDate(w.日期框1->maximumDate().addDays(-1));
        w.日期框1->blockSignals(false);
        FindDrawByDate(w);
    });
}
ACTION_BENCHMARK(BM_DateSearch);

// Alternate the struck eighth, so every save changes 250 saved numbers.
void BM_ExitSave(benchmark::State& s) {
    int round = 0;
    RunAction(
        s,
        [&round](MainWindow& w) {
            OddEvenFilter(w, ++round % 2 ? QStringLiteral("单单单") : QStringLiteral("双双双"));
        },
        [](MainWindow& w) { SaveCandidates(*w.store()); });
}
ACTION_BENCHMARK(BM_ExitSave);

}  // namespace
}  // namespace tricala::bench
