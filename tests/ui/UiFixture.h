#pragma once
// A started main window on a small store built for the test, with the
// clocks fixed and every message box answered in advance.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDateTime>
#include <QStringList>
#include <memory>

#include "app/MainWindow.h"
#include "platform/Clock.h"
#include "tests/support/FixtureStore.h"
#include "tests/support/TempDir.h"

namespace tricala::test {

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the store (blank records, then the draws: `totalRecords` in all) unless
    // an earlier Start of this test built it, and runs the start-up on it. `now` is the local time the window starts at.
    void Start(const std::vector<FixtureDraw>& draws = TwelveDraws(), int totalRecords = 1000,
               QDateTime now = QDateTime(QDate(2013, 10, 18), QTime(8, 0)));

    // Shows the tab page that holds `button` and clicks it with the mouse.
    void Click(QAbstractButton* button);
    // Moves the uptime clock on, so queued date events are not throttled.
    void AdvanceSteadyClock(std::chrono::milliseconds by);

    QStringList CandidateRows() const;  // 超级列表框1, top to bottom
    QStringList LiveCandidates() const; // non-empty 备选号 of the store, record order
    QString Status() const;
    std::string StorePath() const { return dir.file("caipiao.edb"); }

    TempDir dir;
    std::unique_ptr<MainWindow> w;
    platform::SteadyTime steadyNow_ = platform::SteadyTime{} + std::chrono::hours(1);
};

}  // namespace tricala::test
