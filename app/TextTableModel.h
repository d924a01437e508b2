#pragma once
// Rows of plain text cells behind a report-style list view. Rebuilding a view
// replaces all rows in one reset, so a redraw costs one model reset rather
// than one item per cell.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace tricala {

class TextTableModel : public QAbstractTableModel {
public:
    TextTableModel(QStringList headers, std::vector<Qt::Alignment> alignments, QObject* parent);

    void ReplaceRows(std::vector<QStringList> rows);
    void SetCell(int row, int column, const QString& text);
    QString Cell(int row, int column) const;  // empty outside the table
    // First row whose cell in `column` equals `text`, or -1.
    int FindRow(int column, const QString& text) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    std::vector<Qt::Alignment> alignments_;
    std::vector<QStringList> rows_;
};

}  // namespace tricala
