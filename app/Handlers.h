#pragma once
// The program's routines: event handlers and the routines they call. Each
// works on the main window's controls and its store.

#include <QString>
#include <chrono>
#include <functional>
#include <string>

#include "analysis/NumberProfile.h"

namespace tricala {

class MainWindow;
class SplashWindow;

// Start-up (StartUp.cpp). Returns false when the program must end (the store
// could not be opened; the message has been shown).
bool StartUpSequence(MainWindow& w, const QString& storeName = QStringLiteral("caipiao.edb"));
void SetStartupProgress(SplashWindow& splash, int percent);
void LoadStartupData(MainWindow& w, SplashWindow* splash);
// The reminder for draws three or more days old (OLE day counts), else "".
QString StaleDataReminder(double now, double lastDraw);

// Views (Views.cpp)
void RefreshCandidateList(MainWindow& w);
void ShowSavedCandidates(MainWindow& w);
void RefreshHistoryList(MainWindow& w);
void RefillCandidates(MainWindow& w);  // "重填"
void ShowCandidateRow(MainWindow& w);
void ShowHistoryRow(MainWindow& w);
void FindDrawByDate(MainWindow& w);

// Exit (ExitSave.cpp)
void SaveCandidatesOnExit(MainWindow& w);

// Analysis (analysis/HeatTable.cpp, analysis/LastDrawPanel.cpp)
QString BuildHeatTable(MainWindow& w, const QString& first, const QString& second,
                       const QString& third);
QString LookUpHeatText(MainWindow& w, const QString& d1, const QString& d2, const QString& d3);
void ShowLastDrawAnalysis(MainWindow& w);

// Filters (filters/*.cpp)
void RunFilterPass(MainWindow& w, const std::function<bool(const NumberProfile&)>& test,
                   bool letMessagesThrough = false);
void OddEvenFilter(MainWindow& w, const QString& pattern);
void SizePatternFilter(MainWindow& w);
void SelectAllSizePatterns(MainWindow& w);
void SumFilter(MainWindow& w);
void SelectAllSums(MainWindow& w);
enum class RepeatRule { FirstTwo, LastTwo, FirstAndThird };
void StrikeByFind(MainWindow& w, RepeatRule rule);
void PositionDistanceFilter(MainWindow& w);

// Results update (update/UpdateDrawData.cpp)
void UpdateDrawData(MainWindow& w);
// False when the page could not be read or the append failed (the status
// bar says which); nothing was appended then.
bool ScanResultsPage(MainWindow& w, const std::string& page);
// Test seam: a shorter limit for the whole download.
void SetUpdateTimeLimitForTesting(std::chrono::milliseconds limit);

// Connects every control event to its handler (Wiring.cpp).
void ConnectHandlers(MainWindow& w);

}  // namespace tricala
