#include "app/ExclusivePass.h"

#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include "app/MainWindow.h"
#include "app/NumberEdit.h"
#include "analysis/NumberProfile.h"

namespace tricala {
namespace {

// Everything whose events would move the store's cursor or change what a
// running pass reads (the panel number feeds the repeated-position finds).
void SetCursorMoversEnabled(MainWindow& w, bool on) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             w.按钮1, w.按钮15, w.按钮14, w.日期框1, w.编辑框1, w.超级列表框1, w.超级列表框2})
        control->setEnabled(on);
}

}  // namespace

ExclusivePass::ExclusivePass(MainWindow& w, Lock lock)
    : w_(w), owner_(!w.passRunning), lockControls_(lock == Lock::Controls) {
    if (!owner_) return;
    w_.passRunning = true;
    if (lockControls_) {
        SetCursorMoversEnabled(w_, false);
        w_.选择夹1->setEnabled(false);
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

ExclusivePass::~ExclusivePass() {
    if (!owner_) return;
    w_.passRunning = false;
    QApplication::restoreOverrideCursor();
    if (lockControls_) SetCursorMoversEnabled(w_, true);
    // The panel may have changed while the pass ran; the filters stay
    // locked while it holds no three-byte number.
    w_.选择夹1->setEnabled(LocalByteLength(w_.编辑框1->text().toStdString()) == 3);
}

bool PassRunning(const MainWindow& w) { return w.passRunning; }

}  // namespace tricala
