// The candidate and history lists, their buttons, the notes box and the
// status bar.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include "app/MainWindow.h"
#include "app/MainWindowBuild.h"

using namespace Qt::StringLiterals;

namespace tricala {

void MainWindow::BuildViews() {
    超级列表框1 = MakeListView(this, u"超级列表框1"_s, {335, 2, 72, 321},
                               {{u"备选号"_s, 50, Qt::AlignLeft}}, &候选模型);
    超级列表框1->setAccessibleName(u"备选号"_s);
    HideSelectionWhenUnfocused(超级列表框1);
    按钮1 = MakeButton(this, u"按钮1"_s, {336, 325, 32, 22}, u"重填"_s);
    按钮15 = MakeButton(this, u"按钮15"_s, {374, 325, 32, 22}, u"打开"_s);
    超级列表框2 = MakeListView(this, u"超级列表框2"_s, {413, 2, 272, 347},
                               {{u"中奖号"_s, 68, Qt::AlignLeft},
                                {u"开奖日期"_s, 130, Qt::AlignHCenter},
                                {u"期数"_s, 50, Qt::AlignHCenter}},
                               &历史模型);
    超级列表框2->setAccessibleName(u"开奖历史"_s);
    KeepSelectionWhenUnfocused(超级列表框2);

    编辑框4 = Place(new QPlainTextEdit(this), u"编辑框4"_s, {8, 352, 680, 184});
    编辑框4->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    编辑框4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the box, so the keyboard never gets stuck in it.
    编辑框4->setTabChangesFocus(true);
    编辑框4->setAccessibleName(u"备注"_s);
}

void MainWindow::BuildStatusBar() {
    状态条1 = Place(new QStatusBar(this), u"状态条1"_s,
                    {0, kMainWindowClientSize.height() - kStatusBarHeight, kMainWindowClientSize.width(),
                     kStatusBarHeight});
    状态条1->setSizeGripEnabled(false);
    // The parts are placed by hand rather than added to the status bar's own
    // layout: that layout puts a lead and gaps between items, which would push
    // part 1 under 按钮14. Part 1 must end at x = 610.
    状态条1Part0 = MakeLabel(状态条1, u"状态条1Part0"_s, {0, 2, 70, kStatusBarHeight - 2}, u" 提示信息："_s);
    状态条1Part1 = MakeLabel(状态条1, u"状态条1Part1"_s, {70, 2, 540, kStatusBarHeight - 2}, QString());
    状态条1Part1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    状态条1Part1->setAccessibleDescription(u"状态"_s);
}

}  // namespace tricala
