// The digit heat table lives in 超级列表框3: ten rows, heat 9 at the top,
// and per position the digit of that rank with its count (empty for 0).

#include "analysis/HeatRanking.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/TextTableModel.h"

namespace tricala {

QString BuildHeatTable(MainWindow& w, const QString& first, const QString& second,
                       const QString& third) {
    const HeatRanking ranking = RankDigits(CountDigits(*w.store()));
    std::vector<QStringList> rows;
    rows.reserve(ranking.size());
    for (const HeatRow& r : ranking) {
        QStringList cells{QString::number(r.heat)};
        for (int p = 0; p < 3; ++p)
            cells << QString::number(r.digit[p])
                  << (r.count[p] > 0 ? QString::number(r.count[p]) : QString());
        rows.push_back(std::move(cells));
    }
    w.热度模型->ReplaceRows(std::move(rows));
    return LookUpHeatText(w, first, second, third);
}

// The heat of each digit in its position: column 0 of the first row whose
// digit cell (columns 1, 3, 5) equals it; nothing for a digit not found.
QString LookUpHeatText(MainWindow& w, const QString& d1, const QString& d2, const QString& d3) {
    QString heat;
    const QString digits[3] = {d1, d2, d3};
    for (int p = 0; p < 3; ++p) {
        const int row = w.热度模型->FindRow(1 + 2 * p, digits[p]);
        if (row >= 0) heat += w.热度模型->Cell(row, 0);
    }
    return heat;
}

}  // namespace tricala
