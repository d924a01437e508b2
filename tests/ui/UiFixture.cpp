#include "tests/ui/UiFixture.h"

#include <QTabWidget>
#include <filesystem>
#include <QTest>

#include "app/Handlers.h"
#include "app/TextTableModel.h"
#include "platform/MessageBox.h"

namespace tricala::test {

void UiFixture::SetUp() {
    platform::ClearShownMessages();
    platform::SetAutoAnswer(true, platform::MessageAnswer::No);
    platform::SetSteadyNowForTesting([this] { return steadyNow_; });
}

void UiFixture::TearDown() {
    w.reset();
    platform::SetAutoAnswer(false);
    platform::ClearShownMessages();
    platform::SetLocalNowForTesting({});
    platform::SetSteadyNowForTesting({});
}

void UiFixture::Start(const std::vector<FixtureDraw>& draws, int totalRecords, QDateTime now) {
    if (!std::filesystem::exists(StorePath()))
        MakeWorkingStore(StorePath(), draws, totalRecords);
    platform::SetLocalNowForTesting([now] { return now; });
    w = std::make_unique<MainWindow>();
    w->show();
    ASSERT_TRUE(StartUpSequence(*w, QString::fromStdString(StorePath())));
}

void UiFixture::Click(QAbstractButton* button) {
    for (QWidget* p = button; p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr)) {
            const int page = tabs->indexOf(p);
            if (page >= 0) tabs->setCurrentIndex(page);
        }
    }
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

void UiFixture::AdvanceSteadyClock(std::chrono::milliseconds by) { steadyNow_ += by; }

QStringList UiFixture::CandidateRows() const {
    QStringList rows;
    for (int r = 0; r < w->候选模型->rowCount(); ++r) rows << w->候选模型->Cell(r, 0);
    return rows;
}

QStringList UiFixture::LiveCandidates() const {
    QStringList live;
    for (const Record& r : w->store()->Records())
        if (!r.备选号.empty()) live << QString::fromStdString(r.备选号);
    return live;
}

QString UiFixture::Status() const { return StatusText(*w); }

}  // namespace tricala::test
