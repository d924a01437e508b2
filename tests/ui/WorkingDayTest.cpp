// Start-up, the two views, the row and date lookups, the odd/even filters,
// the heat table and the last-draw panel, on real widgets.

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/MessageBox.h"

#include "app/Handlers.h"
#include "app/NumberEdit.h"
#include "app/TextTableModel.h"
#include "tests/ui/UiFixture.h"

namespace tricala::test {
namespace {

using namespace Qt::StringLiterals;
using WorkingDay = UiFixture;

QStringList Row(const TextTableModel* model, int row) {
    QStringList cells;
    for (int c = 0; c < model->columnCount(); ++c) cells << model->Cell(row, c);
    return cells;
}

TEST_F(WorkingDay, StartUpShowsFullSetHistoryAndLastDraw) {
    Start();
    const QStringList rows = CandidateRows();
    ASSERT_EQ(rows.size(), 1000);
    EXPECT_EQ(rows.front(), u"999"_s);
    EXPECT_EQ(rows.back(), u"000"_s);
    EXPECT_EQ(Status(), u"剩余号码数：1000"_s);

    ASSERT_EQ(w->历史模型->rowCount(), 12);
    EXPECT_EQ(Row(w->历史模型, 0), (QStringList{u"623"_s, u"2013年10月17日"_s, u"13250"_s}));
    EXPECT_EQ(Row(w->历史模型, 11), (QStringList{u"192"_s, u"2013年10月4日"_s, u"13239"_s}));

    EXPECT_EQ(w->编辑框1->text(), u"623"_s);
    EXPECT_EQ(w->选择夹1->currentIndex(), 4);
    EXPECT_TRUE(w->选择夹1->isEnabled());
    EXPECT_EQ(w->日期框1->maximumDate(), QDate(2013, 10, 18));
    EXPECT_EQ(w->日期框1->date(), QDate(2013, 10, 17));
    EXPECT_EQ(w->store()->RecordNumber(), w->store()->RecordCount());
    EXPECT_EQ(w->热度模型->rowCount(), 10);
}

TEST(StaleDataReminder, CountsWholeDaysFromThreeOn) {
    const double lastDraw = 39569.0;  // 1 May 2008
    struct Case {
        double now;
        const char16_t* expected;
    } cases[] = {
        {lastDraw + 3 + 8.0 / 24, u"已有3天没有更新数据了,请点击“更新数据”!"},
        {lastDraw + 3 - 1.0 / 86400, u""},
        {lastDraw + 3.0, u"已有3天没有更新数据了,请点击“更新数据”!"},
        {lastDraw + 3.9, u"已有3天没有更新数据了,请点击“更新数据”!"},
        {lastDraw + 6.9999999999995, u"已有7天没有更新数据了,请点击“更新数据”!"},
        {lastDraw + 0.5, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StaleDataReminder(c.now, lastDraw), QString::fromUtf16(c.expected)) << c.now;
}

TEST_F(WorkingDay, StaleDataReplacesTheCountAndDatesAreLimitedToTheDraws) {
    Start(TwelveDraws(), 12, QDateTime(QDate(2013, 10, 20), QTime(8, 0)));
    EXPECT_EQ(Status(), u"已有3天没有更新数据了,请点击“更新数据”!"_s);
    EXPECT_EQ(w->日期框1->minimumDate(), QDate(2013, 10, 4));
    EXPECT_EQ(w->日期框1->maximumDate(), QDate(2013, 10, 20));
    EXPECT_EQ(CandidateRows().size(), 12);  // a short table holds fewer candidates
    EXPECT_EQ(CandidateRows().front(), u"011"_s);
}

TEST_F(WorkingDay, OddEvenButtonsStrikeTheirEighth) {
    Start();
    Click(w->按钮8);
    EXPECT_EQ(Status(), u"剩余号码数：875"_s);
    EXPECT_FALSE(CandidateRows().contains(u"135"_s));
    EXPECT_TRUE(CandidateRows().contains(u"134"_s));
    Click(w->按钮8);  // nothing new
    EXPECT_EQ(CandidateRows().size(), 875);

    for (QPushButton* b : {w->按钮12, w->按钮5, w->按钮6, w->按钮10, w->按钮9, w->按钮11, w->按钮7})
        Click(b);
    EXPECT_EQ(Status(), u"剩余号码数：0"_s);
    EXPECT_TRUE(LiveCandidates().isEmpty());

    // The draws and the record count are untouched; the cursor is on record 1.
    EXPECT_EQ(w->store()->RecordCount(), 1000);
    EXPECT_EQ(w->store()->RecordNumber(), 1);
    EXPECT_EQ(w->store()->Records().back().中奖号, "623");

    Click(w->按钮1);  // 重填
    EXPECT_EQ(CandidateRows().size(), 1000);
    EXPECT_EQ(Status(), u"剩余号码数：1000"_s);
}

TEST_F(WorkingDay, EachOddEvenButtonStrikesItsOwnPattern) {
    Start();
    const std::pair<QPushButton*, QString> buttons[] = {
        {w->按钮8, u"111"_s}, {w->按钮12, u"110"_s}, {w->按钮5, u"101"_s}, {w->按钮6, u"100"_s},
        {w->按钮10, u"011"_s}, {w->按钮9, u"010"_s}, {w->按钮11, u"001"_s}, {w->按钮7, u"000"_s},
    };
    for (const auto& [button, struck] : buttons) {
        Click(w->按钮1);
        Click(button);
        EXPECT_EQ(CandidateRows().size(), 875) << button->objectName().toStdString();
        EXPECT_FALSE(CandidateRows().contains(struck)) << button->objectName().toStdString();
    }
}

TEST_F(WorkingDay, SavedSetShowsWithoutTouchingTheLiveSet) {
    Start();
    w->store()->GoFirst();
    for (int n = 0; n < 5; ++n) {
        if (n % 2 == 0) w->store()->ModifyRecord({.备份 = std::string("00") + char('0' + n)});
        w->store()->Skip();
    }
    Click(w->按钮15);
    EXPECT_EQ(CandidateRows(), (QStringList{u"004"_s, u"002"_s, u"000"_s}));
    EXPECT_EQ(Status(), u"剩余号码数：3"_s);
    EXPECT_EQ(LiveCandidates().size(), 1000);
    Click(w->按钮7);  // a filter shows the live set again
    EXPECT_EQ(CandidateRows().size(), 875);
}

TEST_F(WorkingDay, ClickingRowsFillsThePanel) {
    Start();
    QTableView* candidates = w->超级列表框1;
    QTest::mouseClick(candidates->viewport(), Qt::LeftButton, {},
                      candidates->visualRect(w->候选模型->index(2, 0)).center());
    EXPECT_EQ(w->编辑框1->text(), u"997"_s);
    EXPECT_EQ(w->标签10->text(), u"25"_s);

    QTableView* history = w->超级列表框2;
    QTest::mouseClick(history->viewport(), Qt::LeftButton, {},
                      history->visualRect(w->历史模型->index(6, 0)).center());
    EXPECT_EQ(w->编辑框1->text(), u"000"_s);  // leading zeros stay
    EXPECT_EQ(w->日期框1->date(), QDate(2013, 10, 9));

    // Arrow keys move the focused row like a click.
    history->setFocus();
    QTest::keyClick(history, Qt::Key_Down);
    EXPECT_EQ(w->编辑框1->text(), u"077"_s);
    QCoreApplication::processEvents();  // a row click raises no date lookup
    EXPECT_EQ(w->日期框1->date(), QDate(2013, 10, 8));
}

TEST_F(WorkingDay, DateLookupSearchesTheWholeTable) {
    Start();
    auto pick = [&](QDate day) {
        AdvanceSteadyClock(std::chrono::milliseconds(500));
        w->日期框1->setDate(day);  // as the user's change: queued, then run
        QCoreApplication::processEvents();
    };
    pick(QDate(2013, 10, 8));  // older than the cursor's record
    EXPECT_EQ(w->编辑框1->text(), u"077"_s);
    EXPECT_EQ(w->store()->RecordNumber(), 993);
    pick(QDate(2013, 10, 5));  // earlier than the previous find
    EXPECT_EQ(w->编辑框1->text(), u"317"_s);
    pick(QDate(2013, 10, 15));  // no draw that day: nothing changes
    EXPECT_EQ(w->编辑框1->text(), u"317"_s);
    EXPECT_EQ(w->store()->RecordNumber(), 990);
}

TEST_F(WorkingDay, ADateChangeWithin100msOfThePreviousIsDropped) {
    Start();
    auto change = [&](QDate day, int afterMs) {
        AdvanceSteadyClock(std::chrono::milliseconds(afterMs));
        w->日期框1->setDate(day);
        QCoreApplication::processEvents();
    };
    change(QDate(2013, 10, 8), 500);
    EXPECT_EQ(w->编辑框1->text(), u"077"_s);
    change(QDate(2013, 10, 5), 100);
    EXPECT_EQ(w->编辑框1->text(), u"077"_s);
    change(QDate(2013, 10, 6), 101);
    EXPECT_EQ(w->编辑框1->text(), u"718"_s);
}

// The heat table of five draws "123", "153", "428", "105", "623".
std::vector<FixtureDraw> FiveDraws() {
    return {{"123", "2013-10-01", "13240"}, {"153", "2013-10-02", "13241"},
            {"428", "2013-10-03", "13242"}, {"105", "2013-10-04", "13243"},
            {"623", "2013-10-05", "13244"}};
}

TEST_F(WorkingDay, HeatTableOfFiveDraws) {
    Start(FiveDraws());
    const char16_t* expected[10][7] = {
        {u"9", u"1", u"3", u"2", u"3", u"3", u"3"}, {u"8", u"6", u"1", u"5", u"1", u"8", u"1"},
        {u"7", u"4", u"1", u"0", u"1", u"5", u"1"}, {u"6", u"9", u"", u"9", u"", u"9", u""},
        {u"5", u"8", u"", u"8", u"", u"7", u""},    {u"4", u"7", u"", u"7", u"", u"6", u""},
        {u"3", u"5", u"", u"6", u"", u"4", u""},    {u"2", u"3", u"", u"4", u"", u"2", u""},
        {u"1", u"2", u"", u"3", u"", u"1", u""},    {u"0", u"0", u"", u"1", u"", u"0", u""},
    };
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(w->热度模型->Cell(r, c), QString::fromUtf16(expected[r][c])) << r << "," << c;
    EXPECT_EQ(BuildHeatTable(*w, u"1"_s, u"0"_s, u"8"_s), u"978"_s);
    EXPECT_EQ(BuildHeatTable(*w, u"6"_s, u"2"_s, u"3"_s), u"899"_s);
    EXPECT_EQ(BuildHeatTable(*w, {}, {}, {}), QString());
}

TEST_F(WorkingDay, PanelFollowsEveryTextOfTheEditBox) {
    Start(FiveDraws());
    struct Case {
        const char16_t* text;
        // 标签7, 8, 9, 10, 18, 17, 15, 16; tab control enabled
        const char16_t* labels[8];
        bool filtersEnabled;
    } cases[] = {
        {u"623", {u"6", u"2", u"3", u"11", u"双双单", u"大小中", u"413", u"899"}, true},
        {u"000", {u"0", u"0", u"0", u"0", u"双双双", u"小小小", u"000", u"070"}, true},
        {u"1a3", {u"1", u"a", u"3", u"4", u"单双单", u"中小大", u"132", u"99"}, true},
        {u"abc", {u"a", u"b", u"c", u"0", u"双双双", u"小小小", u"000", u""}, true},
        {u"12", {u"", u"", u"", u"", u"", u"", u"", u""}, false},
        {u"1234", {u"", u"", u"", u"", u"", u"", u"", u""}, false},
        {u"", {u"", u"", u"", u"", u"", u"", u"", u""}, false},
        {u"中1", {u"中", u"", u"1", u"1", u"双双单", u"小小小", u"011", u"1"}, true},
        {u"159", {u"1", u"5", u"9", u"15", u"单单单", u"小中大", u"448", u"986"}, true},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        w->编辑框1->WriteText(text);
        const QLabel* labels[] = {w->标签7, w->标签8, w->标签9, w->标签10,
                                  w->标签18, w->标签17, w->标签15, w->标签16};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(labels[i]->text(), QString::fromUtf16(c.labels[i]))
                << text.toStdString() << " label " << i;
        EXPECT_EQ(w->选择夹1->isEnabled(), c.filtersEnabled) << text.toStdString();
    }
    EXPECT_EQ(w->标签2->text(), u"开奖日期："_s);
}

TEST_F(WorkingDay, TypingANumberByHandUnlocksTheFilters) {
    Start();
    w->编辑框1->setFocus();
    w->编辑框1->selectAll();
    QTest::keyClick(w->编辑框1, Qt::Key_Backspace);
    EXPECT_FALSE(w->选择夹1->isEnabled());
    QTest::keyClicks(w->编辑框1, u"45"_s);
    EXPECT_FALSE(w->选择夹1->isEnabled());
    QTest::keyClicks(w->编辑框1, u"6"_s);
    EXPECT_TRUE(w->选择夹1->isEnabled());
    EXPECT_EQ(w->标签18->text(), u"双单双"_s);
}

}  // namespace
}  // namespace tricala::test

namespace tricala::test {
namespace {

using namespace Qt::StringLiterals;
using StartUpFailure = UiFixture;

// Each unusable store ends the start-up with its own message box, stop icon,
// and no window state that would offer the exit save.
TEST_F(StartUpFailure, EachUnusableStoreGetsItsOwnMessage) {
    const std::string missing = dir.file("nothing-here.edb");
    const std::string textFile = dir.file("notes.edb");
    std::ofstream(textFile) << "这不是数据库\n";
    const std::string held = dir.file("held.edb");
    auto holder = MakeWorkingStore(held, TwelveDraws());

    const std::pair<std::string, const char16_t*> cases[] = {
        {missing, u"找不到本软件所在文件夹里的caipiao.edb文件！"},
        {textFile, u"本软件所在文件夹里的caipiao.edb文件已损坏或不是本软件的数据文件，无法打开！"},
        {held, u"caipiao.edb文件正被另一个正在运行的本软件使用，请先关闭那个窗口！"},
    };
    for (const auto& [path, text] : cases) {
        platform::ClearShownMessages();
        MainWindow window;
        EXPECT_FALSE(StartUpSequence(window, QString::fromStdString(path)));
        EXPECT_EQ(window.store(), nullptr);
        ASSERT_EQ(platform::ShownMessages().size(), 1u) << path;
        EXPECT_EQ(platform::ShownMessages()[0].text, QString::fromUtf16(text));
        EXPECT_EQ(platform::ShownMessages()[0].icon, platform::MessageIcon::Stop);
        window.close();
        EXPECT_EQ(platform::ShownMessages().size(), 1u) << "no exit prompt";
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace tricala::test
