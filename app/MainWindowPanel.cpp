// The last-draw panel: the last winning number, today's date and the
// properties of the last number.

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>

#include "app/MainWindow.h"
#include "app/MainWindowBuild.h"
#include "app/NumberEdit.h"
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

}  // namespace

void MainWindow::BuildLastDrawPanel() {
    // The group box starts above the client area on purpose: its top edge is
    // hidden and its frame reads as a panel.
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
}

}  // namespace tricala
