#include "app/TextTableModel.h"

namespace tricala {

TextTableModel::TextTableModel(QStringList headers, std::vector<Qt::Alignment> alignments,
                               QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)), alignments_(std::move(alignments)) {}

void TextTableModel::ReplaceRows(std::vector<QStringList> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void TextTableModel::SetCell(int row, int column, const QString& text) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= headers_.size())
        return;
    QStringList& cells = rows_[row];
    while (cells.size() <= column) cells.append(QString());
    if (cells[column] == text) return;
    cells[column] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

QString TextTableModel::Cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    const QStringList& cells = rows_[row];
    return column >= 0 && column < cells.size() ? cells[column] : QString();
}

int TextTableModel::FindRow(int column, const QString& text) const {
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
        if (Cell(row, column) == text) return row;
    return -1;
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() < static_cast<int>(alignments_.size()))
        return QVariant::fromValue(alignments_[index.column()] | Qt::AlignVCenter);
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers_.size())
        return headers_[section];
    return {};
}

}  // namespace tricala
