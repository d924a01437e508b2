// Strikes every candidate whose three position distances equal the text of
// 编辑框2.

#include <QLineEdit>

#include "analysis/NumberProfile.h"
#include "app/ExclusivePass.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "filters/FilterPass.h"
#include "platform/MessageBox.h"

namespace tricala {

void PositionDistanceFilter(MainWindow& w) {
    if (PassRunning(w)) return;
    const std::string target = w.编辑框2->text().toStdString();
    if (target.empty()) {
        platform::ShowMessage(QStringLiteral("请输入3位数字！"));
        return;
    }
    if (LocalByteLength(target) != 3) {
        platform::ShowMessage(QStringLiteral("只能输入3位数字！"));
        return;
    }
    const int tally = WalkAndStrike(*w.store(),
                                    [&target](const NumberProfile& p) { return p.gaps == target; });
    if (tally > 0)
        RefreshCandidateList(w);
    else
        SetStatusText(w, QStringLiteral("没有这样的号码！"));
}

}  // namespace tricala
