// The candidate and history views, the refill, and the row and date lookups
// that put a number into the panel.

#include <QDateEdit>
#include <algorithm>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTableView>

#include "app/ExclusivePass.h"
#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "app/NumberEdit.h"
#include "app/OleDate.h"
#include "app/TextTableModel.h"
#include "store/WorkingSet.h"

namespace tricala {
namespace {

// Lists one text field of every record, the highest record on top, and
// writes the count.
void ShowNumbersOf(MainWindow& w, Field field) {
    DrawStore& store = *w.store();
    store.GoFirst();
    std::vector<QStringList> rows;
    const int count = store.RecordCount();
    for (int i = 0; i < count; ++i) {
        const std::string& number = store.ReadText(field);
        if (!number.empty()) rows.push_back({QString::fromStdString(number)});
        store.Skip();
    }
    std::reverse(rows.begin(), rows.end());
    const auto shown = rows.size();
    w.候选模型->ReplaceRows(std::move(rows));
    SetStatusText(w, QStringLiteral("剩余号码数：") + QString::number(shown));
    store.GoFirst();
}

// The row that just took the focus, or -1 when no row has it.
int FocusedRow(const QTableView* view) {
    const QModelIndex current = view->selectionModel() ? view->selectionModel()->currentIndex()
                                                       : QModelIndex();
    return current.isValid() ? current.row() : -1;
}

void MoveToRecord(DrawStore& store, int recordNumber) {
    store.GoFirst();
    for (int n = 1; n < recordNumber; ++n) store.Skip();
}

}  // namespace

void RefreshCandidateList(MainWindow& w) { ShowNumbersOf(w, Field::备选号); }

void ShowSavedCandidates(MainWindow& w) {
    if (PassRunning(w)) return;
    ShowNumbersOf(w, Field::备份);
}

void RefreshHistoryList(MainWindow& w) {
    DrawStore& store = *w.store();
    store.GoFirst();
    std::vector<QStringList> rows;
    const int count = store.RecordCount();
    for (int i = 0; i < count; ++i) {
        const std::string& issue = store.ReadText(Field::期数);
        if (!issue.empty())
            rows.push_back({QString::fromStdString(store.ReadText(Field::中奖号)),
                            QString::fromStdString(DateText(store.ReadDate())),
                            QString::fromStdString(issue)});
        store.Skip();
    }
    std::reverse(rows.begin(), rows.end());
    w.历史模型->ReplaceRows(std::move(rows));
    store.GoFirst();
}

void RefillCandidates(MainWindow& w) {
    if (PassRunning(w)) return;
    ResetCandidates(*w.store());
    RefreshCandidateList(w);
}

void ShowCandidateRow(MainWindow& w) {
    const int row = FocusedRow(w.超级列表框1);
    if (row < 0) return;
    w.编辑框1->WriteText(w.候选模型->Cell(row, 0));
}

void ShowHistoryRow(MainWindow& w) {
    const int row = FocusedRow(w.超级列表框2);
    if (row < 0) return;
    w.编辑框1->WriteText(w.历史模型->Cell(row, 0));
    const double drawDay = ParseDate(w.历史模型->Cell(row, 1).toStdString());
    const QSignalBlocker programWrite(w.日期框1);
    w.日期框1->setDateTime(DateTimeFromOle(drawDay));
}

// Looks through the whole table, so any stored day can be found whatever
// the cursor's position; a miss leaves the cursor where it was.
void FindDrawByDate(MainWindow& w) {
    if (PassRunning(w)) return;
    DrawStore& store = *w.store();
    const std::string chosenDay =
        DateText(OleFromDateTime(QDateTime(w.日期框1->date(), QTime(0, 0))));
    const int start = store.RecordNumber();
    store.GoFirst();
    const bool found = store.FindForward([&] {
        return DateText(store.ReadDate()).find(chosenDay) != std::string::npos;
    });
    if (!found) {
        MoveToRecord(store, start);
        return;
    }
    w.编辑框1->WriteText(QString::fromStdString(store.ReadText(Field::中奖号)));
}

}  // namespace tricala
