// The shared filter pass and the eight odd/even buttons.

#include "app/ExclusivePass.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "filters/FilterPass.h"
#include "platform/PendingMessages.h"

namespace tricala {

void RunFilterPass(MainWindow& w, const std::function<bool(const NumberProfile&)>& test,
                   bool letMessagesThrough) {
    if (PassRunning(w)) return;
    if (!letMessagesThrough) {
        WalkAndStrike(*w.store(), test);
    } else {
        const ExclusivePass pass(w);
        WalkAndStrike(*w.store(), test, platform::ProcessPendingMessages);
    }
    RefreshCandidateList(w);
}

void OddEvenFilter(MainWindow& w, const QString& pattern) {
    const std::string wanted = pattern.toStdString();
    RunFilterPass(w, [&wanted](const NumberProfile& p) { return p.oddEven == wanted; });
}

}  // namespace tricala
