// Settings of the main window's controls that the handlers and the user rely
// on: tab pages, list view columns, status bar parts, initial states.

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <vector>

#include "app/NumberEdit.h"
#include "app/TextTableModel.h"
#include "platform/Clock.h"
#include "tests/ui/LayoutSupport.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

using MainWindowControls = ShownMainWindow;

TEST_F(MainWindowControls, TabPagesInOrderAllCaptionsVisible) {
    QTabWidget* tabs = window->选择夹1;
    const QStringList captions = {u"二位"_s, u"单双"_s, u"大小"_s, u"相加"_s, u"冷热"_s, u"位距"_s, u"高低"_s};
    ASSERT_EQ(tabs->count(), captions.size());
    QTabBar* bar = tabs->tabBar();
    const QRect visible = bar->rect().intersected(QRect(QPoint(0, 0), tabs->size()));
    for (int i = 0; i < tabs->count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(tabs->widget(i)->objectName(), u"选择夹1Page"_s + QString::number(i));
        EXPECT_TRUE(visible.contains(bar->tabRect(i)));
        // A caption wider than its tab would be cut; none may be.
        EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(captions[i]));
    }
    EXPECT_TRUE(tabs->widget(6)->children().isEmpty());  // "高低" is empty
}

struct ColumnCase {
    QString view;
    QStringList captions;
    std::vector<int> widths;
    std::vector<Qt::Alignment> alignments;
    QAbstractItemView::SelectionBehavior selection;
};

TEST_F(MainWindowControls, ListViewColumnsAndSettings) {
    const Qt::Alignment L = Qt::AlignLeft, C = Qt::AlignHCenter;
    const ColumnCase cases[] = {
        {u"超级列表框1"_s, {u"备选号"_s}, {50}, {L}, QAbstractItemView::SelectRows},
        {u"超级列表框2"_s, {u"中奖号"_s, u"开奖日期"_s, u"期数"_s}, {68, 130, 50}, {L, C, C},
         QAbstractItemView::SelectRows},
        {u"超级列表框3"_s,
         {u"热度"_s, u"首位"_s, u"次数"_s, u"二位"_s, u"次数"_s, u"三位"_s, u"次数"_s},
         {36, 36, 40, 36, 40, 36, 40},
         {L, C, L, C, L, C, L},
         QAbstractItemView::SelectItems},
    };
    for (const ColumnCase& c : cases) {
        SCOPED_TRACE(c.view.toStdString());
        auto* view = Find<QTableView>(c.view);
        ASSERT_NE(view, nullptr);
        auto* model = dynamic_cast<TextTableModel*>(view->model());
        ASSERT_NE(model, nullptr);
        ASSERT_EQ(model->columnCount(), c.captions.size());
        model->ReplaceRows({QStringList(c.captions)});  // one row, to read the cell alignment
        for (int i = 0; i < c.captions.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), c.captions[i]);
            EXPECT_EQ(view->columnWidth(i), c.widths[static_cast<size_t>(i)]);
            const auto align = model->data(model->index(0, i), Qt::TextAlignmentRole).value<Qt::Alignment>();
            EXPECT_EQ(align & Qt::AlignHorizontal_Mask, c.alignments[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(view->selectionBehavior(), c.selection);
        EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_TRUE(view->showGrid());
        EXPECT_FALSE(view->horizontalHeader()->isHidden());
        EXPECT_TRUE(view->verticalHeader()->isHidden());
        EXPECT_FALSE(view->isSortingEnabled());
        EXPECT_FALSE(view->horizontalHeader()->sectionsClickable());
        EXPECT_FALSE(view->accessibleName().isEmpty());
    }
}

TEST_F(MainWindowControls, ModelsBelongToTheirViews) {
    EXPECT_EQ(window->超级列表框1->model(), window->候选模型);
    EXPECT_EQ(window->超级列表框2->model(), window->历史模型);
    EXPECT_EQ(window->超级列表框3->model(), window->热度模型);
    EXPECT_EQ(window->热度模型->rowCount(), 0);
}

TEST_F(MainWindowControls, HistoryViewKeepsItsSelectionVisibleUnfocused) {
    const QPalette p = window->超级列表框2->palette();
    EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight), p.color(QPalette::Active, QPalette::Highlight));
}

TEST_F(MainWindowControls, StatusBarPartsEndBeforeTheUpdateButton) {
    QStatusBar* bar = window->状态条1;
    EXPECT_EQ(bar->geometry().bottom(), window->height() - 1);
    EXPECT_EQ(bar->x(), 0);
    EXPECT_EQ(bar->width(), window->width());
    EXPECT_GE(bar->height(), 20);
    EXPECT_LE(bar->height(), 24);
    EXPECT_FALSE(bar->isSizeGripEnabled());

    QLabel* part0 = window->状态条1Part0;
    QLabel* part1 = window->状态条1Part1;
    EXPECT_EQ(part0->parentWidget(), bar);
    EXPECT_EQ(part1->parentWidget(), bar);
    EXPECT_EQ(part0->x(), 0);
    EXPECT_EQ(part0->width(), 70);
    EXPECT_EQ(part0->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(part0->text(), u" 提示信息："_s);
    EXPECT_EQ(part1->x(), 70);
    EXPECT_EQ(part1->width(), 540);
    EXPECT_EQ(part1->frameShadow(), QFrame::Sunken);
    EXPECT_NE(part1->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(part1->text().isEmpty());
    EXPECT_LE(part1->mapTo(window.get(), QPoint(part1->width(), 0)).x(), window->按钮14->x());

    SetStatusText(*window, u"剩余号码数：875"_s);
    EXPECT_EQ(part1->text(), u"剩余号码数：875"_s);
    EXPECT_EQ(StatusText(*window), u"剩余号码数：875"_s);
    EXPECT_EQ(part0->text(), u" 提示信息："_s);
}

// The sum filter starts from the two sums only "000" and "999" have.
TEST_F(MainWindowControls, InitialCheckStatesAndPatternBackground) {
    for (int n = 1; n <= 57; ++n) {
        SCOPED_TRACE(n);
        QCheckBox* box = window->选择框[static_cast<size_t>(n)];
        EXPECT_EQ(box->isChecked(), n == 56 || n == 57);
        const bool patternBox = n != 28 && n != 29;
        EXPECT_EQ(box->autoFillBackground(), patternBox);
        if (patternBox) {
            EXPECT_EQ(box->palette().color(box->backgroundRole()), QColor(236, 236, 236));
        }
    }
}

TEST_F(MainWindowControls, EditBoxesAndDateBox) {
    EXPECT_EQ(window->编辑框4->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(window->编辑框4->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(window->编辑框4->isReadOnly());
    for (QWidget* w : {static_cast<QWidget*>(window->编辑框1), static_cast<QWidget*>(window->编辑框2),
                       static_cast<QWidget*>(window->编辑框4), static_cast<QWidget*>(window->日期框1)})
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    EXPECT_EQ(window->编辑框1->accessibleName(), u"上期中奖号"_s);
    EXPECT_TRUE(window->日期框1->calendarPopup());
    // The locale's long date without the weekday, which would not fit.
    const QString format = window->日期框1->displayFormat();
    EXPECT_FALSE(format.contains(u"ddd"_s)) << format.toStdString();
    EXPECT_TRUE(format.contains(u"yy"_s)) << format.toStdString();
    EXPECT_TRUE(format.contains(u'M')) << format.toStdString();
}

TEST(MainWindowDateBox, StartsAtTheLocalClockDate) {
    const QDateTime now(QDate(2013, 10, 17), QTime(20, 45));
    platform::SetLocalNowForTesting([now] { return now; });
    MainWindow window;
    platform::SetLocalNowForTesting({});
    EXPECT_EQ(window.日期框1->date(), now.date());
}

}  // namespace
}  // namespace tricala::test
