// The "大小" and "相加" pages: the size patterns and the sums, one check box
// each.

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

#include "app/MainWindow.h"
#include "app/MainWindowBuild.h"
#include "app/PagePlacer.h"

using namespace Qt::StringLiterals;

namespace tricala {
namespace {

// The 55 pattern and sum boxes share a light grey background.
QCheckBox* MakePatternBox(QWidget* parent, int number, QRect geometry, const QString& text) {
    auto* box = Place(new QCheckBox(text, parent), u"选择框"_s + QString::number(number), geometry);
    QPalette palette = box->palette();
    palette.setColor(box->backgroundRole(), QColor(236, 236, 236));
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    return box;
}

}  // namespace

void MainWindow::BuildPatternPages(QWidget* sizePage, QWidget* sumPage, PagePlacer& placer) {
    // "大小": 27 size patterns, three columns by first digit (大, 中, 小).
    分组框3 = MakeGroupBox(sizePage, u"分组框3"_s, {});
    placer.Add(分组框3, {7, 21, 304, 193});
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
    分组框5 = MakeGroupBox(sumPage, u"分组框5"_s, {});
    placer.Add(分组框5, {7, 21, 304, 193});
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
}

}  // namespace tricala
