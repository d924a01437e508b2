// Which control event runs which handler.

#include <QCheckBox>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/NumberEdit.h"
#include "platform/Clock.h"

namespace tricala {
namespace {

constexpr auto kDateEventSpacing = std::chrono::milliseconds(100);

// A user's date change runs the lookup later, from the event queue, and not
// at all when it follows the previous one within 100 ms or arrives while
// the lookup is still running. Program writes block the box's signals, so
// only the user's changes get here.
class DateChangeGate {
public:
    void Deliver(MainWindow& w) {
        const auto now = platform::SteadyNow();
        const bool tooSoon = taken_ && now - lastTaken_ <= kDateEventSpacing;
        taken_ = true;
        lastTaken_ = now;
        if (tooSoon || running_) return;
        running_ = true;
        FindDrawByDate(w);
        running_ = false;
    }

private:
    bool taken_ = false;
    bool running_ = false;
    platform::SteadyTime lastTaken_{};
};

void OnClick(QPushButton* button, std::function<void()> handler) {
    QObject::connect(button, &QPushButton::clicked, button, [handler = std::move(handler)] { handler(); });
}

void OnFocusedRow(QTableView* view, std::function<void()> handler) {
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [handler = std::move(handler)] { handler(); });
}

}  // namespace

void ConnectHandlers(MainWindow& w) {
    MainWindow* win = &w;
    OnFocusedRow(w.超级列表框1, [win] { ShowCandidateRow(*win); });
    OnFocusedRow(w.超级列表框2, [win] { ShowHistoryRow(*win); });
    QObject::connect(w.编辑框1, &QLineEdit::textChanged, win, [win] { ShowLastDrawAnalysis(*win); });

    auto gate = std::make_shared<DateChangeGate>();
    QObject::connect(w.日期框1, &QDateTimeEdit::dateTimeChanged, win, [win, gate] {
        QMetaObject::invokeMethod(win, [win, gate] { gate->Deliver(*win); }, Qt::QueuedConnection);
    });

    OnClick(w.按钮1, [win] { RefillCandidates(*win); });
    OnClick(w.按钮15, [win] { ShowSavedCandidates(*win); });
    OnClick(w.按钮14, [win] { UpdateDrawData(*win); });

    const std::pair<QPushButton*, const char16_t*> oddEven[] = {
        {w.按钮8, u"单单单"}, {w.按钮12, u"单单双"}, {w.按钮5, u"单双单"}, {w.按钮6, u"单双双"},
        {w.按钮10, u"双单单"}, {w.按钮9, u"双单双"}, {w.按钮11, u"双双单"}, {w.按钮7, u"双双双"},
    };
    for (const auto& [button, pattern] : oddEven) {
        const QString text = QString::fromUtf16(pattern);
        OnClick(button, [win, text] { OddEvenFilter(*win, text); });
    }

    OnClick(w.大小钮, [win] { SizePatternFilter(*win); });
    OnClick(w.相加钮, [win] { SumFilter(*win); });
    QObject::connect(w.选择框[28], &QCheckBox::clicked, win, [win] { SelectAllSizePatterns(*win); });
    QObject::connect(w.选择框[29], &QCheckBox::clicked, win, [win] { SelectAllSums(*win); });

    OnClick(w.按钮2, [win] { StrikeByFind(*win, RepeatRule::FirstTwo); });
    OnClick(w.按钮3, [win] { StrikeByFind(*win, RepeatRule::LastTwo); });
    OnClick(w.按钮4, [win] { StrikeByFind(*win, RepeatRule::FirstAndThird); });
    OnClick(w.按钮13, [win] { PositionDistanceFilter(*win); });
}

}  // namespace tricala
