#pragma once
// Helpers the parts of the main window are built with. Private to app/.

#include <QRect>
#include <QString>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace tricala {

class TextTableModel;

template <class W>
W* Place(W* widget, const QString& name, QRect geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, QRect geometry, const QString& text);
QPushButton* MakeButton(QWidget* parent, const QString& name, QRect geometry, const QString& text);
QGroupBox* MakeGroupBox(QWidget* parent, const QString& name, QRect geometry);

struct ColumnSpec {
    QString caption;
    int width;
    Qt::Alignment alignment;
};

// A report-style list view: header row, grid lines, one selected row or
// cell, no sorting, no editing.
QTableView* MakeListView(QWidget* parent, const QString& name, QRect geometry,
                         const std::vector<ColumnSpec>& columns, TextTableModel** model);

// Without the focus a list view shows no selection, except where noted.
void HideSelectionWhenUnfocused(QTableView* view);
void KeepSelectionWhenUnfocused(QTableView* view);

}  // namespace tricala
