#include "app/MainWindowBuild.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "app/TextTableModel.h"

namespace tricala {

QLabel* MakeLabel(QWidget* parent, const QString& name, QRect geometry, const QString& text) {
    return Place(new QLabel(text, parent), name, geometry);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, QRect geometry, const QString& text) {
    return Place(new QPushButton(text, parent), name, geometry);
}

QGroupBox* MakeGroupBox(QWidget* parent, const QString& name, QRect geometry) {
    return Place(new QGroupBox(parent), name, geometry);
}

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

}  // namespace tricala
