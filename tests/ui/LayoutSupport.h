#pragma once
// A shown main window for layout checks. Page controls are placed once the
// tab control has laid itself out, which happens when the window is shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTabWidget>
#include <memory>

#include "app/MainWindow.h"

namespace tricala::test {

class ShownMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>();
        window->show();
        QApplication::processEvents();
    }

    template <class W = QWidget>
    W* Find(const QString& name) const {
        return window->findChild<W*>(name);
    }

    // The page holding `page` becomes current, so its layout is live.
    void ShowPageOf(QWidget* page) {
        const int index = window->选择夹1->indexOf(page);
        if (index >= 0) window->选择夹1->setCurrentIndex(index);
        QApplication::processEvents();
    }

    std::unique_ptr<MainWindow> window;
};

}  // namespace tricala::test
