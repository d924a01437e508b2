// The size-pattern, sum, repeated-position and position-distance filters,
// the pass guard, and the save at exit, on real widgets.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/Handlers.h"
#include "app/NumberEdit.h"
#include "platform/MessageBox.h"
#include "tests/ui/UiFixture.h"

namespace tricala::test {
namespace {

using namespace Qt::StringLiterals;
using Filters = UiFixture;

QStringList Numbers(std::initializer_list<int> values) {
    QStringList out;
    for (int v : values) out << QString::asprintf("%03d", v);
    return out;
}

QStringList Missing(const QStringList& live, const QStringList& expectedStruck) {
    QStringList struck;
    for (const QString& n : expectedStruck)
        if (!live.contains(n)) struck << n;
    return struck;
}

void Tick(QCheckBox* box, bool on) {
    if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
}

TEST_F(Filters, SizePatternStrikesTheTickedPatterns) {
    Start();
    w->选择夹1->setCurrentIndex(2);
    Tick(w->选择框[19], true);  // 小小小
    Click(w->大小钮);
    EXPECT_EQ(Status(), u"剩余号码数：979"_s);
    EXPECT_FALSE(CandidateRows().contains(u"001"_s));
    EXPECT_FALSE(CandidateRows().contains(u"222"_s));
    EXPECT_TRUE(CandidateRows().contains(u"012"_s));  // all different: 小中大

    Tick(w->选择框[28], true);  // 全选
    for (int n = 1; n <= 27; ++n) EXPECT_TRUE(w->选择框[n]->isChecked()) << n;
    Tick(w->选择框[5], false);
    EXPECT_TRUE(w->选择框[28]->isChecked());
    Tick(w->选择框[5], true);
    Click(w->大小钮);
    EXPECT_EQ(Status(), u"剩余号码数：0"_s);

    Tick(w->选择框[28], false);
    for (int n = 1; n <= 27; ++n) EXPECT_FALSE(w->选择框[n]->isChecked()) << n;
    EXPECT_TRUE(w->选择框[56]->isChecked());  // the sum boxes are not touched
}

TEST_F(Filters, SizePatternUsesTheCaptionAsItStands) {
    Start();
    w->选择框[19]->setText(u"小中大"_s);  // what the box shows is what it strikes
    Tick(w->选择框[19], true);
    Click(w->大小钮);
    EXPECT_EQ(CandidateRows().size(), 880);
}

TEST_F(Filters, SumStrikesTheTickedSums) {
    Start();
    Click(w->相加钮);  // "0" and "27" are ticked from the start
    EXPECT_EQ(Status(), u"剩余号码数：998"_s);
    EXPECT_FALSE(CandidateRows().contains(u"000"_s));
    EXPECT_FALSE(CandidateRows().contains(u"999"_s));

    Click(w->按钮1);
    w->选择夹1->setCurrentIndex(3);
    Tick(w->选择框[56], false);
    Tick(w->选择框[57], false);
    Tick(w->选择框[43], true);  // 13
    Tick(w->选择框[42], true);  // 14
    Click(w->相加钮);
    EXPECT_EQ(CandidateRows().size(), 850);

    Tick(w->选择框[29], true);
    for (int n = 30; n <= 57; ++n) EXPECT_TRUE(w->选择框[n]->isChecked()) << n;
    EXPECT_FALSE(w->选择框[28]->isChecked());
    Click(w->相加钮);
    EXPECT_EQ(Status(), u"剩余号码数：0"_s);
}

TEST_F(Filters, RepeatedPositionsStrikeTheTenSharingNumbers) {
    Start();
    struct Case {
        QPushButton* button;
        QStringList struck;
    } cases[] = {
        {w->按钮2, Numbers({120, 121, 122, 123, 124, 125, 126, 127, 128, 129})},
        {w->按钮3, Numbers({23, 123, 223, 323, 423, 523, 623, 723, 823, 923})},
        {w->按钮4, Numbers({103, 113, 123, 133, 143, 153, 163, 173, 183, 193})},
    };
    for (const Case& c : cases) {
        Click(w->按钮1);
        w->编辑框1->WriteText(u"123"_s);
        Click(c.button);
        const QStringList live = LiveCandidates();
        EXPECT_EQ(live.size(), 990) << c.button->objectName().toStdString();
        EXPECT_EQ(Missing(live, c.struck), c.struck) << c.button->objectName().toStdString();
        EXPECT_EQ(w->store()->RecordNumber(), 1);
    }
}

TEST_F(Filters, RepeatedPositionsFindTheRestPastAStruckOne) {
    Start();
    w->store()->GoFirst();
    for (int n = 0; n < 125; ++n) w->store()->Skip();
    w->store()->ModifyRecord({.备选号 = std::string()});  // strike 125 alone
    w->编辑框1->WriteText(u"123"_s);
    Click(w->按钮2);
    EXPECT_EQ(LiveCandidates().size(), 990);
    Click(w->按钮2);  // nothing new
    EXPECT_EQ(CandidateRows().size(), 990);
}

TEST_F(Filters, RepeatedPositionsNeedANumber) {
    Start();
    w->编辑框1->WriteText(QString());
    w->选择夹1->setEnabled(true);  // reachable only by the program; the handler still guards
    w->选择夹1->setCurrentIndex(0);
    StrikeByFind(*w, RepeatRule::FirstTwo);
    ASSERT_EQ(platform::ShownMessages().size(), 1u);
    EXPECT_EQ(platform::ShownMessages()[0].text, u"输入框不能为空，请输入上期号码！"_s);
    EXPECT_EQ(LiveCandidates().size(), 1000);
}

TEST_F(Filters, PositionDistance) {
    Start();
    struct Case {
        const char16_t* input;
        const char16_t* message;  // message box text, or empty
        const char16_t* status;   // status text afterwards
        int live;
    } cases[] = {
        {u"448", u"", u"剩余号码数：996", 996},
        {u"111", u"", u"没有这样的号码！", 996},
        {u"12", u"只能输入3位数字！", u"没有这样的号码！", 996},
        {u"1234", u"只能输入3位数字！", u"没有这样的号码！", 996},
        {u"", u"请输入3位数字！", u"没有这样的号码！", 996},
        {u"-12", u"", u"没有这样的号码！", 996},
        {u"中1", u"", u"没有这样的号码！", 996},
        {u"000", u"", u"剩余号码数：986", 986},
        {u"000", u"", u"剩余号码数：986", 986},  // only blanks match now: still a redraw
    };
    for (const Case& c : cases) {
        platform::ClearShownMessages();
        w->编辑框2->setText(QString::fromUtf16(c.input));
        Click(w->按钮13);
        const QString input = QString::fromUtf16(c.input);
        if (*c.message) {
            ASSERT_EQ(platform::ShownMessages().size(), 1u) << input.toStdString();
            EXPECT_EQ(platform::ShownMessages()[0].text, QString::fromUtf16(c.message));
        } else {
            EXPECT_TRUE(platform::ShownMessages().empty()) << input.toStdString();
        }
        EXPECT_EQ(Status(), QString::fromUtf16(c.status)) << input.toStdString();
        EXPECT_EQ(LiveCandidates().size(), c.live) << input.toStdString();
    }
    EXPECT_EQ(Missing(LiveCandidates(), Numbers({48, 159, 840, 951})), Numbers({48, 159, 840, 951}));
}

TEST_F(Filters, NoPassStartsInsideAnother) {
    Start();
    // A click queued before the size pass is delivered while the pass lets
    // messages through; it must not start a second pass.
    int ignored = 0;
    QTimer::singleShot(0, w.get(), [&] {
        OddEvenFilter(*w, u"单单单"_s);
        RefillCandidates(*w);
        StrikeByFind(*w, RepeatRule::FirstTwo);
        w->编辑框2->setText(u"448"_s);
        PositionDistanceFilter(*w);
        w->选择框[19]->setChecked(true);  // counts from the next pass on
        ++ignored;
    });
    Click(w->大小钮);
    EXPECT_EQ(ignored, 1);
    EXPECT_EQ(LiveCandidates().size(), 1000);
    EXPECT_TRUE(platform::ShownMessages().empty());
    Click(w->大小钮);
    EXPECT_EQ(LiveCandidates().size(), 979);
    EXPECT_TRUE(w->选择夹1->isEnabled());
    EXPECT_TRUE(w->按钮14->isEnabled());
}

using ExitSave = UiFixture;

TEST_F(ExitSave, YesSavesTheLiveSetExactlyAndNoChangesNothing) {
    Start();
    platform::SetAutoAnswer(false);
    platform::QueueMessageAnswer(platform::MessageAnswer::Yes);
    w->close();
    ASSERT_EQ(platform::ShownMessages().size(), 1u);
    EXPECT_EQ(platform::ShownMessages()[0].text, u"是否保存这次的备选号！"_s);
    EXPECT_EQ(platform::ShownMessages()[0].buttons, platform::MessageButtons::YesNo);
    w.reset();

    // Next run: narrow to 125 numbers and save; then a run that answers No.
    Start();
    for (QPushButton* b : {w->按钮12, w->按钮5, w->按钮6, w->按钮10, w->按钮9, w->按钮11, w->按钮7})
        Click(b);
    platform::QueueMessageAnswer(platform::MessageAnswer::Yes);
    w->close();
    w.reset();

    for (int run = 0; run < 2; ++run) {
        Start();
        Click(w->按钮15);
        EXPECT_EQ(CandidateRows().size(), 125) << "run " << run;
        EXPECT_EQ(CandidateRows().front(), u"999"_s);
        EXPECT_EQ(Status(), u"剩余号码数：125"_s);
        platform::QueueMessageAnswer(platform::MessageAnswer::No);
        w->close();
        w.reset();
    }
}

}  // namespace
}  // namespace tricala::test
