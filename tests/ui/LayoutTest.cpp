// Every control of the main window: name, kind, parent, place, size and
// caption. Places on tab pages are relative to the tab control; places in
// group boxes are relative to the group box.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTableView>
#include <vector>

#include "app/NumberEdit.h"
#include "tests/ui/LayoutSupport.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

struct ControlRow {
    QString name;
    const char* className;
    QString parent;  // empty: the window's client area
    QRect place;
    QString caption;
};

std::vector<ControlRow> FixedRows() {
    const QString page0 = u"选择夹1Page0"_s, page1 = u"选择夹1Page1"_s, page2 = u"选择夹1Page2"_s,
                  page3 = u"选择夹1Page3"_s, page4 = u"选择夹1Page4"_s, page5 = u"选择夹1Page5"_s;
    const QString panel = u"分组框4"_s;
    return {
        {u"分组框4"_s, "QGroupBox", {}, {8, -5, 318, 133}, {}},
        {u"选择夹1"_s, "QTabWidget", {}, {8, 129, 318, 220}, {}},
        {u"超级列表框1"_s, "QTableView", {}, {335, 2, 72, 321}, {}},
        {u"按钮1"_s, "QPushButton", {}, {336, 325, 32, 22}, u"重填"_s},
        {u"按钮15"_s, "QPushButton", {}, {374, 325, 32, 22}, u"打开"_s},
        {u"超级列表框2"_s, "QTableView", {}, {413, 2, 272, 347}, {}},
        {u"编辑框4"_s, "QPlainTextEdit", {}, {8, 352, 680, 184}, {}},
        {u"按钮14"_s, "QPushButton", {}, {613, 551, 71, 20}, u"更新数据"_s},

        {u"标签1"_s, "QLabel", panel, {4, 14, 69, 19}, u"上期中奖号："_s},
        {u"编辑框1"_s, "QLineEdit", panel, {82, 15, 45, 16}, {}},
        {u"标签2"_s, "QLabel", panel, {137, 14, 62, 16}, u"今天日期："_s},
        {u"日期框1"_s, "QDateEdit", panel, {198, 12, 112, 20}, {}},
        {u"标签3"_s, "QLabel", panel, {26, 36, 30, 20}, u"一位："_s},
        {u"标签7"_s, "QLabel", panel, {68, 37, 72, 16}, {}},
        {u"标签4"_s, "QLabel", panel, {26, 60, 30, 20}, u"二位："_s},
        {u"标签8"_s, "QLabel", panel, {68, 61, 72, 16}, {}},
        {u"标签5"_s, "QLabel", panel, {26, 84, 30, 20}, u"三位："_s},
        {u"标签9"_s, "QLabel", panel, {68, 86, 72, 16}, {}},
        {u"标签6"_s, "QLabel", panel, {26, 108, 30, 20}, u"相加："_s},
        {u"标签10"_s, "QLabel", panel, {68, 110, 72, 16}, {}},
        {u"标签11"_s, "QLabel", panel, {178, 36, 30, 20}, u"单双："_s},
        {u"标签18"_s, "QLabel", panel, {220, 37, 72, 16}, {}},
        {u"标签12"_s, "QLabel", panel, {178, 60, 30, 20}, u"大小："_s},
        {u"标签17"_s, "QLabel", panel, {220, 61, 72, 16}, {}},
        {u"标签13"_s, "QLabel", panel, {178, 84, 30, 20}, u"冷热："_s},
        {u"标签16"_s, "QLabel", panel, {220, 86, 72, 16}, {}},
        {u"标签14"_s, "QLabel", panel, {178, 108, 30, 20}, u"位距："_s},
        {u"标签15"_s, "QLabel", panel, {220, 110, 72, 16}, {}},

        {u"分组框1"_s, "QGroupBox", page0, {16, 39, 288, 168}, {}},
        {u"按钮2"_s, "QPushButton", page0, {31, 111, 72, 20}, u"前2位相同"_s},
        {u"按钮3"_s, "QPushButton", page0, {123, 111, 72, 20}, u"后2位相同"_s},
        {u"按钮4"_s, "QPushButton", page0, {215, 111, 72, 20}, u"1位3位相同"_s},

        {u"分组框2"_s, "QGroupBox", page1, {16, 40, 288, 160}, {}},
        {u"按钮8"_s, "QPushButton", u"分组框2"_s, {55, 22, 64, 24}, u"单单单"_s},
        {u"按钮9"_s, "QPushButton", u"分组框2"_s, {169, 22, 64, 24}, u"双单双"_s},
        {u"按钮5"_s, "QPushButton", u"分组框2"_s, {55, 54, 64, 24}, u"单双单"_s},
        {u"按钮10"_s, "QPushButton", u"分组框2"_s, {169, 54, 64, 24}, u"双单单"_s},
        {u"按钮6"_s, "QPushButton", u"分组框2"_s, {55, 86, 64, 24}, u"单双双"_s},
        {u"按钮7"_s, "QPushButton", u"分组框2"_s, {169, 86, 64, 24}, u"双双双"_s},
        {u"按钮12"_s, "QPushButton", u"分组框2"_s, {55, 118, 64, 24}, u"单单双"_s},
        {u"按钮11"_s, "QPushButton", u"分组框2"_s, {169, 117, 64, 24}, u"双双单"_s},

        {u"分组框3"_s, "QGroupBox", page2, {7, 21, 304, 193}, {}},
        {u"选择框28"_s, "QCheckBox", u"分组框3"_s, {233, 35, 56, 20}, u"全选"_s},
        {u"大小钮"_s, "QPushButton", u"分组框3"_s, {227, 149, 56, 24}, u"确定"_s},

        {u"分组框5"_s, "QGroupBox", page3, {7, 21, 304, 193}, {}},
        {u"选择框29"_s, "QCheckBox", u"分组框5"_s, {236, 35, 56, 20}, u"全选"_s},
        {u"相加钮"_s, "QPushButton", u"分组框5"_s, {232, 132, 56, 24}, u"确定"_s},

        {u"超级列表框3"_s, "QTableView", page4, {22, 43, 272, 152}, {}},

        {u"分组框6"_s, "QGroupBox", page5, {16, 27, 288, 184}, {}},
        {u"标签19"_s, "QLabel", u"分组框6"_s, {22, 16, 256, 42},
         u"第1个数字是3位号码中第一位与第二位的差距，第2个数字是3位号码中第二位与第三位的差距，"
         u"第3个数字是3位号码中第一位与第三位的差距。"_s},
        {u"编辑框2"_s, "QLineEdit", u"分组框6"_s, {101, 83, 76, 20}, {}},
        {u"标签20"_s, "QLabel", u"分组框6"_s, {21, 108, 247, 21}, u"请输入需要筛除的位距数，每次只能去除一组。"_s},
        {u"按钮13"_s, "QPushButton", u"分组框6"_s, {90, 150, 96, 24}, u"确定"_s},
    };
}

// The 27 size-pattern boxes, 58 x 15, columns by first digit.
std::vector<ControlRow> SizePatternRows() {
    const int numbers[9][3] = {{1, 18, 27}, {2, 17, 26}, {4, 16, 25}, {3, 15, 24}, {6, 14, 23},
                               {8, 13, 22}, {7, 12, 21}, {5, 11, 20}, {9, 10, 19}};
    const int rowY[9] = {11, 31, 51, 71, 91, 111, 131, 151, 171};
    const int columnX[3] = {8, 77, 146};
    const QString first[3] = {u"大"_s, u"中"_s, u"小"_s};
    const QString rest[9] = {u"大大"_s, u"大中"_s, u"大小"_s, u"中大"_s, u"中中"_s,
                             u"中小"_s, u"小大"_s, u"小中"_s, u"小小"_s};
    std::vector<ControlRow> rows;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 3; ++c)
            rows.push_back({u"选择框"_s + QString::number(numbers[r][c]), "QCheckBox", u"分组框3"_s,
                            {columnX[c], rowY[r], 58, 15}, first[c] + rest[r]});
    return rows;
}

// The 28 sum boxes, 40 x 15, sums 0..27 down the columns.
std::vector<ControlRow> SumRows() {
    const int numbers[7][4] = {{56, 49, 42, 35}, {55, 48, 41, 34}, {54, 47, 40, 33}, {53, 46, 39, 32},
                               {50, 45, 38, 31}, {52, 44, 37, 30}, {51, 43, 36, 57}};
    const int rowY[7] = {15, 40, 65, 90, 115, 140, 165};
    const int columnX[4] = {8, 64, 120, 176};
    std::vector<ControlRow> rows;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 4; ++c)
            rows.push_back({u"选择框"_s + QString::number(numbers[r][c]), "QCheckBox", u"分组框5"_s,
                            {columnX[c], rowY[r], 40, 15}, QString::number(7 * c + r)});
    return rows;
}

std::vector<ControlRow> AllRows() {
    std::vector<ControlRow> rows = FixedRows();
    for (auto more : {SizePatternRows(), SumRows()}) rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

QString CaptionOf(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(w)) return edit->toPlainText();
    return {};
}

using ControlLayout = ShownMainWindow;

TEST_F(ControlLayout, EveryControlHasItsKindParentPlaceAndCaption) {
    const std::vector<ControlRow> rows = AllRows();
    ASSERT_EQ(rows.size(), 53u + 27u + 28u);
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        QWidget* w = Find(row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->metaObject()->className(), row.className);
        QWidget* parent = row.parent.isEmpty() ? window.get() : Find(row.parent);
        ASSERT_NE(parent, nullptr);
        EXPECT_EQ(w->parentWidget(), parent);
        QWidget* page = row.parent.startsWith(u"选择夹1Page"_s) ? parent : nullptr;
        if (page) {
            ShowPageOf(page);
            EXPECT_EQ(QRect(w->mapTo(window->选择夹1, QPoint(0, 0)), w->size()), row.place);
        } else {
            EXPECT_EQ(w->geometry(), row.place);
        }
        EXPECT_EQ(CaptionOf(w), row.caption);
    }
}

TEST_F(ControlLayout, MembersAreTheNamedControls) {
    EXPECT_EQ(window->编辑框1, Find(u"编辑框1"_s));
    EXPECT_NE(dynamic_cast<NumberEdit*>(Find(u"编辑框1"_s)), nullptr);
    EXPECT_EQ(window->按钮14, Find(u"按钮14"_s));
    EXPECT_EQ(window->超级列表框3, Find(u"超级列表框3"_s));
    EXPECT_EQ(window->状态条1Part1, Find(u"状态条1Part1"_s));
    for (int n = 1; n <= 57; ++n) {
        SCOPED_TRACE(n);
        ASSERT_NE(window->选择框[static_cast<size_t>(n)], nullptr);
        EXPECT_EQ(window->选择框[static_cast<size_t>(n)]->objectName(), u"选择框"_s + QString::number(n));
    }
}

// Handlers find controls by name, so a name may occur only once.
TEST_F(ControlLayout, ObjectNamesAreUnique) {
    QSet<QString> seen;
    for (QObject* child : window->findChildren<QObject*>()) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_"_s)) continue;
        EXPECT_FALSE(seen.contains(name)) << name.toStdString();
        seen.insert(name);
    }
}

// A page control sticking out of its page would be cut off by the page.
TEST_F(ControlLayout, PageControlsLieWithinTheirPage) {
    for (int i = 0; i < window->选择夹1->count(); ++i) {
        QWidget* page = window->选择夹1->widget(i);
        ShowPageOf(page);
        for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_TRUE(page->rect().contains(control->geometry()));
        }
    }
}

// Only the last-draw panel reaches past the client area, by its hidden top edge.
TEST_F(ControlLayout, MainWindowControlsFitTheClientArea) {
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == window->分组框4) continue;
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(window->rect().contains(control->geometry()));
    }
}

TEST_F(ControlLayout, UpdateButtonIsAboveTheStatusBar) {
    EXPECT_EQ(window->childAt(650, 560), window->按钮14);
    EXPECT_EQ(window->childAt(300, 560)->parentWidget(), window->状态条1);
}

}  // namespace
}  // namespace tricala::test
