// Both windows: caption, fixed client size, frame buttons, the splash's
// controls.

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/MainWindow.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

void ExpectFixedFrame(const QWidget& window, QSize clientSize) {
    EXPECT_EQ(window.windowTitle(), u"Tricala"_s);
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.size(), clientSize);
    EXPECT_EQ(window.minimumSize(), clientSize);
    EXPECT_EQ(window.maximumSize(), clientSize);
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST(WindowFrames, MainWindowKeepsTheDrawnClientArea) {
    MainWindow window;
    ExpectFixedFrame(window, QSize(693, 573));
    EXPECT_FALSE(window.windowIcon().isNull());
    // The update button's bottom edge is the lowest point of the layout.
    EXPECT_LE(window.按钮14->geometry().bottom() + 1, window.height());
}

TEST(WindowFrames, SplashWindowKeepsTheDrawnClientArea) {
    SplashWindow splash;
    ExpectFixedFrame(splash, QSize(333, 110));
}

TEST(WindowFrames, SplashShowsRedNoticeAndEmptyBar) {
    SplashWindow splash;
    ASSERT_EQ(splash.标签1, splash.findChild<QLabel*>(u"标签1"_s));
    ASSERT_EQ(splash.进度条1, splash.findChild<QProgressBar*>(u"进度条1"_s));
    EXPECT_EQ(splash.标签1->text(), u"正在初始化数据，请稍等。。。"_s);
    EXPECT_EQ(splash.标签1->geometry(), QRect(65, 19, 215, 21));
    EXPECT_EQ(splash.标签1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(splash.标签1->font().pixelSize(), 14);
    EXPECT_EQ(splash.标签1->font().weight(), QFont::Normal);
    EXPECT_EQ(splash.进度条1->geometry(), QRect(48, 56, 232, 19));
    EXPECT_EQ(splash.进度条1->minimum(), 0);
    EXPECT_EQ(splash.进度条1->maximum(), 100);
    EXPECT_EQ(splash.进度条1->value(), 0);
}

}  // namespace
}  // namespace tricala::test
