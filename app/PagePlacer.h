#pragma once

#include <QEvent>
#include <QObject>
#include <QRect>
#include <QStackedWidget>
#include <QTabWidget>
#include <utility>
#include <vector>

namespace tricala {

// Keeps the controls of the tab pages at their places relative to the tab
// control. A page's offset inside the QTabWidget is known only once the tab
// widget has laid itself out (when shown, and again after a font or style
// change), so every move or resize of the page stack or of a page re-places
// the page's controls.
class PagePlacer : public QObject {
public:
    explicit PagePlacer(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) {
        if (auto* stack = tabs->findChild<QStackedWidget*>()) stack->installEventFilter(this);
    }

    void AddPage(QWidget* page) { page->installEventFilter(this); }

    // `control` is a direct child of a page; `onTabs` is relative to the tab control.
    void Add(QWidget* control, QRect onTabs) {
        entries_.emplace_back(control, onTabs);
        Place(control, onTabs);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
            for (const auto& [control, onTabs] : entries_) Place(control, onTabs);
        return false;
    }

private:
    void Place(QWidget* control, QRect onTabs) const {
        const QPoint pageOffset = control->parentWidget()->mapTo(tabs_, QPoint(0, 0));
        control->setGeometry(onTabs.translated(-pageOffset));
    }

    QTabWidget* tabs_;
    std::vector<std::pair<QWidget*, QRect>> entries_;
};

}  // namespace tricala
