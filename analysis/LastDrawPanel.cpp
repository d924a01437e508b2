// The last-draw panel follows every change of 编辑框1.

#include <QLabel>
#include <QTabWidget>

#include "analysis/NumberProfile.h"
#include "app/ExclusivePass.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/NumberEdit.h"

namespace tricala {

void ShowLastDrawAnalysis(MainWindow& w) {
    const std::string number = w.编辑框1->text().toStdString();
    const bool isThreeBytes = LocalByteLength(number) == 3;
    if (isThreeBytes) {
        const NumberProfile p = ProfileNumber(number);
        auto show = [](QLabel* label, const std::string& text) {
            label->setText(QString::fromStdString(text));
        };
        show(w.标签7, p.digit1);
        show(w.标签8, p.digit2);
        show(w.标签9, p.digit3);
        show(w.标签10, p.sumText);
        show(w.标签18, p.oddEven);
        show(w.标签17, p.sizePattern);
        show(w.标签15, p.gaps);
        w.标签2->setText(QStringLiteral("开奖日期："));
        w.标签16->setText(LookUpHeatText(w, QString::fromStdString(p.digit1),
                                         QString::fromStdString(p.digit2),
                                         QString::fromStdString(p.digit3)));
    } else {
        for (QLabel* label : {w.标签7, w.标签8, w.标签9, w.标签10, w.标签18, w.标签17, w.标签15, w.标签16})
            label->clear();
    }
    // The filters need a three-digit number; a running pass re-enables them
    // itself when it ends.
    if (!PassRunning(w)) w.选择夹1->setEnabled(isThreeBytes);
}

}  // namespace tricala
