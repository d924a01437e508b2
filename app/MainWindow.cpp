#include "app/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <utility>
#include <vector>

#include "app/Handlers.h"
#include "app/NumberEdit.h"
#include "app/TextTableModel.h"
#include "platform/Clock.h"

using namespace Qt::StringLiterals;

namespace tricala {
namespace {

// The locale's long date, less the weekday: the box is only 112 px wide
// and the day of the week says nothing about a draw.
QString LongDateWithoutWeekday() {
    QString format = QLocale().dateFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("d{3,4}")));
    static const QRegularExpression edges(QStringLiteral("^[\\s,，]+|[\\s,，]+$"));
    return format.remove(edges);
}

template <class W>
W* Place(W* widget, const QString& name, QRect geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, QRect geometry, const QString& text) {
    return Place(new QLabel(text, parent), name, geometry);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, QRect geometry, const QString& text) {
    return Place(new QPushButton(text, parent), name, geometry);
}

QGroupBox* MakeGroupBox(QWidget* parent, const QString& name, QRect geometry) {
    return Place(new QGroupBox(parent), name, geometry);
}

// The 55 pattern and sum boxes share a light grey background.
QCheckBox* MakePatternBox(QWidget* parent, int number, QRect geometry, const QString& text) {
    auto* box = Place(new QCheckBox(text, parent), u"选择框"_s + QString::number(number), geometry);
    QPalette palette = box->palette();
    palette.setColor(box->backgroundRole(), QColor(236, 236, 236));
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    return box;
}

// Keeps the controls of the tab pages at their places relative to the tab
// control. A page's offset inside the QTabWidget is known only once the tab
// widget has laid itself out (when shown, and again after a font or style
// change), so every move or resize of the page stack or of a page re-places
// the page's controls.
class PagePlacer : public QObject {
public:
    explicit PagePlacer(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) {
        if (auto* stack = tabs->findChild<QStackedWidget*>()) stack->installEventFilter(this);
    }

    void AddPage(QWidget* page) { page->installEventFilter(this); }

    // `control` is a direct child of a page; `onTabs` is relative to the tab control.
    void Add(QWidget* control, QRect onTabs) {
        entries_.emplace_back(control, onTabs);
        Place(control, onTabs);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
            for (const auto& [control, onTabs] : entries_) Place(control, onTabs);
        return false;
    }

private:
    void Place(QWidget* control, QRect onTabs) const {
        const QPoint pageOffset = control->parentWidget()->mapTo(tabs_, QPoint(0, 0));
        control->setGeometry(onTabs.translated(-pageOffset));
    }

    QTabWidget* tabs_;
    std::vector<std::pair<QWidget*, QRect>> entries_;
};

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

struct ColumnSpec {
    QString caption;
    int width;
    Qt::Alignment alignment;
};

// A report-style list view: header row, grid lines, one selected row or
// cell, no sorting, no editing.
QTableView* MakeListView(QWidget* parent, const QString& name, QRect geometry,
                         const std::vector<ColumnSpec>& columns, TextTableModel** model) {
    QStringList captions;
    std::vector<Qt::Alignment> alignments;
    for (const ColumnSpec& c : columns) {
        captions << c.caption;
        alignments.push_back(c.alignment);
    }
    auto* view = Place(new QTableView(parent), name, geometry);
    *model = new TextTableModel(captions, alignments, view);
    view->setModel(*model);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        view->setColumnWidth(i, columns[static_cast<size_t>(i)].width);
    view->setShowGrid(true);
    view->setSortingEnabled(false);
    view->horizontalHeader()->setSectionsClickable(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->hide();
    // Report-style rows are one text line high, as many as fit the view.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    return view;
}

// Without the focus a list view shows no selection, except where noted.
void HideSelectionWhenUnfocused(QTableView* view) {
    QPalette palette = view->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Inactive, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Inactive, QPalette::Text));
    view->setPalette(palette);
}

void KeepSelectionWhenUnfocused(QTableView* view) {
    QPalette palette = view->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    view->setPalette(palette);
}

QIcon MakeWindowIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(200, 30, 30));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, u"3"_s);
    return QIcon(pixmap);
}

}  // namespace

void SetUpFixedWindow(QWidget& window, QSize clientSize) {
    window.setWindowTitle(u"Tricala"_s);
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QSize outer(clientSize.width() + 2 * kClassicFrameBorder,
                      clientSize.height() + kClassicCaptionHeight + kClassicFrameBorder);
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void SetStatusText(MainWindow& w, const QString& text) { w.状态条1Part1->setText(text); }

QString StatusText(const MainWindow& w) { return w.状态条1Part1->text(); }

MainWindow::MainWindow() {
    SetUpFixedWindow(*this, kMainWindowClientSize);
    setWindowIcon(MakeWindowIcon());

    // Last-draw panel. The group box starts above the client area on purpose:
    // its top edge is hidden and its frame reads as a panel.
    分组框4 = MakeGroupBox(this, u"分组框4"_s, {8, -5, 318, 133});
    标签1 = MakeLabel(分组框4, u"标签1"_s, {4, 14, 69, 19}, u"上期中奖号："_s);
    编辑框1 = Place(new NumberEdit(分组框4), u"编辑框1"_s, {82, 15, 45, 16});
    编辑框1->setAccessibleName(u"上期中奖号"_s);
    标签1->setBuddy(编辑框1);
    标签2 = MakeLabel(分组框4, u"标签2"_s, {137, 14, 62, 16}, u"今天日期："_s);
    日期框1 = Place(new QDateEdit(分组框4), u"日期框1"_s, {198, 12, 112, 20});
    日期框1->setCalendarPopup(true);
    日期框1->setDisplayFormat(LongDateWithoutWeekday());
    日期框1->setDateTime(platform::LocalNow());
    日期框1->setAccessibleName(u"日期"_s);
    标签2->setBuddy(日期框1);
    struct ValueRow {
        QLabel** caption;
        QLabel** value;
        int captionNumber, valueNumber, x, captionY, valueY;
        QString text;
    };
    const ValueRow valueRows[] = {
        {&标签3, &标签7, 3, 7, 26, 36, 37, u"一位："_s},   {&标签4, &标签8, 4, 8, 26, 60, 61, u"二位："_s},
        {&标签5, &标签9, 5, 9, 26, 84, 86, u"三位："_s},   {&标签6, &标签10, 6, 10, 26, 108, 110, u"相加："_s},
        {&标签11, &标签18, 11, 18, 178, 36, 37, u"单双："_s}, {&标签12, &标签17, 12, 17, 178, 60, 61, u"大小："_s},
        {&标签13, &标签16, 13, 16, 178, 84, 86, u"冷热："_s}, {&标签14, &标签15, 14, 15, 178, 108, 110, u"位距："_s},
    };
    for (const ValueRow& row : valueRows) {
        *row.caption = MakeLabel(分组框4, u"标签"_s + QString::number(row.captionNumber),
                                 {row.x, row.captionY, 30, 20}, row.text);
        *row.value = MakeLabel(分组框4, u"标签"_s + QString::number(row.valueNumber),
                               {row.x + 42, row.valueY, 72, 16}, QString());
        // The value keeps its text as accessible name; the role goes alongside.
        (*row.value)->setAccessibleDescription(row.text.chopped(1));
    }

    BuildTabControl();

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

    BuildStatusBar();
    按钮14 = MakeButton(this, u"按钮14"_s, {613, 551, 71, 20}, u"更新数据"_s);
    按钮14->raise();  // sits in the status bar's row, over its right end
}

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

    // "大小": 27 size patterns, three columns by first digit (大, 中, 小).
    分组框3 = MakeGroupBox(pages[2], u"分组框3"_s, {});
    onPage(分组框3, {7, 21, 304, 193});
    const int sizeBoxNumbers[9][3] = {{1, 18, 27}, {2, 17, 26}, {4, 16, 25}, {3, 15, 24}, {6, 14, 23},
                                      {8, 13, 22}, {7, 12, 21}, {5, 11, 20}, {9, 10, 19}};
    const QString sizeFirst[] = {u"大"_s, u"中"_s, u"小"_s};
    const QString sizeRest[] = {u"大大"_s, u"大中"_s, u"大小"_s, u"中大"_s, u"中中"_s,
                                u"中小"_s, u"小大"_s, u"小中"_s, u"小小"_s};
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 3; ++col)
            选择框[sizeBoxNumbers[row][col]] =
                MakePatternBox(分组框3, sizeBoxNumbers[row][col], {8 + 69 * col, 11 + 20 * row, 58, 15},
                               sizeFirst[col] + sizeRest[row]);
    选择框[28] = Place(new QCheckBox(u"全选"_s, 分组框3), u"选择框28"_s, {233, 35, 56, 20});
    大小钮 = MakeButton(分组框3, u"大小钮"_s, {227, 149, 56, 24}, u"确定"_s);

    // "相加": 28 sums 0..27, seven to a column.
    分组框5 = MakeGroupBox(pages[3], u"分组框5"_s, {});
    onPage(分组框5, {7, 21, 304, 193});
    const int sumBoxNumbers[7][4] = {{56, 49, 42, 35}, {55, 48, 41, 34}, {54, 47, 40, 33}, {53, 46, 39, 32},
                                     {50, 45, 38, 31}, {52, 44, 37, 30}, {51, 43, 36, 57}};
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 4; ++col)
            选择框[sumBoxNumbers[row][col]] =
                MakePatternBox(分组框5, sumBoxNumbers[row][col], {8 + 56 * col, 15 + 25 * row, 40, 15},
                               QString::number(7 * col + row));
    选择框[29] = Place(new QCheckBox(u"全选"_s, 分组框5), u"选择框29"_s, {236, 35, 56, 20});
    相加钮 = MakeButton(分组框5, u"相加钮"_s, {232, 132, 56, 24}, u"确定"_s);
    // The sum filter's starting set: the two sums only "000" and "999" have.
    选择框[56]->setChecked(true);
    选择框[57]->setChecked(true);

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

MainWindow::~MainWindow() = default;

void MainWindow::AttachStore(std::unique_ptr<DrawStore> store) { store_ = std::move(store); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // A pass that lets messages through is still on the stack and walking
    // the store: closing now would save a half-filtered set and destroy the
    // window under it. The close box works again when the pass is done.
    if (passRunning) {
        event->ignore();
        return;
    }
    if (store() && !exitSaveOffered_) {
        exitSaveOffered_ = true;
        SaveCandidatesOnExit(*this);
    }
    event->accept();
}

}  // namespace tricala
