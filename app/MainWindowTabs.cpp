// The tab control and its pages; the pattern pages are in
// MainWindowPatternPages.cpp.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "app/MainWindow.h"
#include "app/MainWindowBuild.h"
#include "app/NumberEdit.h"
#include "app/PagePlacer.h"

using namespace Qt::StringLiterals;

namespace tricala {
namespace {

// Tabs with little padding, so that all seven captions fit side by side
// and the pages start high enough for the group boxes placed just below the
// tab row. Everything else is drawn by the application style.
class CompactTabStyle : public QProxyStyle {
public:
    explicit CompactTabStyle(QObject* owner) { setParent(owner); }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) return 12;
        if (metric == PM_TabBarTabVSpace) return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

void MainWindow::BuildTabControl() {
    选择夹1 = Place(new QTabWidget(this), u"选择夹1"_s, {8, 129, 318, 220});
    // All seven captions fit side by side: no scroll arrows, no elision.
    选择夹1->setUsesScrollButtons(false);
    选择夹1->setElideMode(Qt::ElideNone);
    选择夹1->tabBar()->setStyle(new CompactTabStyle(选择夹1->tabBar()));
    auto* placer = new PagePlacer(选择夹1);
    const QString captions[] = {u"二位"_s, u"单双"_s, u"大小"_s, u"相加"_s, u"冷热"_s, u"位距"_s, u"高低"_s};
    QWidget* pages[7];
    for (int i = 0; i < 7; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(u"选择夹1Page"_s + QString::number(i));
        选择夹1->addTab(pages[i], captions[i]);
        placer->AddPage(pages[i]);
    }
    auto onPage = [placer](QWidget* control, QRect onTabs) {
        placer->Add(control, onTabs);
        return control;
    };

    // "二位": the buttons belong to the page and lie over 分组框1's frame.
    分组框1 = MakeGroupBox(pages[0], u"分组框1"_s, {});
    onPage(分组框1, {16, 39, 288, 168});
    按钮2 = MakeButton(pages[0], u"按钮2"_s, {}, u"前2位相同"_s);
    onPage(按钮2, {31, 111, 72, 20});
    按钮3 = MakeButton(pages[0], u"按钮3"_s, {}, u"后2位相同"_s);
    onPage(按钮3, {123, 111, 72, 20});
    按钮4 = MakeButton(pages[0], u"按钮4"_s, {}, u"1位3位相同"_s);
    onPage(按钮4, {215, 111, 72, 20});

    // "单双"
    分组框2 = MakeGroupBox(pages[1], u"分组框2"_s, {});
    onPage(分组框2, {16, 40, 288, 160});
    struct OddEvenButton {
        QPushButton** member;
        int number, x, y;
        QString text;
    };
    const OddEvenButton oddEven[] = {
        {&按钮8, 8, 55, 22, u"单单单"_s},  {&按钮9, 9, 169, 22, u"双单双"_s},
        {&按钮5, 5, 55, 54, u"单双单"_s},  {&按钮10, 10, 169, 54, u"双单单"_s},
        {&按钮6, 6, 55, 86, u"单双双"_s},  {&按钮7, 7, 169, 86, u"双双双"_s},
        {&按钮12, 12, 55, 118, u"单单双"_s}, {&按钮11, 11, 169, 117, u"双双单"_s},
    };
    for (const OddEvenButton& b : oddEven)
        *b.member = MakeButton(分组框2, u"按钮"_s + QString::number(b.number), {b.x, b.y, 64, 24}, b.text);

    BuildPatternPages(pages[2], pages[3], *placer);

    // "冷热": the heat table starts empty; the start-up fills it.
    超级列表框3 = MakeListView(pages[4], u"超级列表框3"_s, {},
                               {{u"热度"_s, 36, Qt::AlignLeft},
                                {u"首位"_s, 36, Qt::AlignHCenter},
                                {u"次数"_s, 40, Qt::AlignLeft},
                                {u"二位"_s, 36, Qt::AlignHCenter},
                                {u"次数"_s, 40, Qt::AlignLeft},
                                {u"三位"_s, 36, Qt::AlignHCenter},
                                {u"次数"_s, 40, Qt::AlignLeft}},
                               &热度模型);
    onPage(超级列表框3, {22, 43, 272, 152});
    超级列表框3->setSelectionBehavior(QAbstractItemView::SelectItems);
    超级列表框3->setAccessibleName(u"冷热"_s);
    HideSelectionWhenUnfocused(超级列表框3);

    // "位距"
    分组框6 = MakeGroupBox(pages[5], u"分组框6"_s, {});
    onPage(分组框6, {16, 27, 288, 184});
    标签19 = MakeLabel(分组框6, u"标签19"_s, {22, 16, 256, 42},
                       u"第1个数字是3位号码中第一位与第二位的差距，第2个数字是3位号码中第二位与第三位的差距，"
                       u"第3个数字是3位号码中第一位与第三位的差距。"_s);
    标签19->setWordWrap(true);
    编辑框2 = Place(new QLineEdit(分组框6), u"编辑框2"_s, {101, 83, 76, 20});
    InstallDigitKeyFilter(编辑框2);
    编辑框2->setAccessibleName(u"位距数"_s);
    标签20 = MakeLabel(分组框6, u"标签20"_s, {21, 108, 247, 21}, u"请输入需要筛除的位距数，每次只能去除一组。"_s);
    按钮13 = MakeButton(分组框6, u"按钮13"_s, {90, 150, 96, 24}, u"确定"_s);
}

}  // namespace tricala
