#include <QLabel>
#include <QProgressBar>

#include "app/MainWindow.h"

using namespace Qt::StringLiterals;

namespace tricala {

SplashWindow::SplashWindow() {
    SetUpFixedWindow(*this, kSplashWindowClientSize);

    标签1 = new QLabel(u"正在初始化数据，请稍等。。。"_s, this);
    标签1->setObjectName(u"标签1"_s);
    标签1->setGeometry(65, 19, 215, 21);
    QFont font(u"WenQuanYi Micro Hei"_s);  // a Chinese face; Qt falls back when it is missing
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    标签1->setFont(font);
    QPalette palette = 标签1->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    标签1->setPalette(palette);

    进度条1 = new QProgressBar(this);
    进度条1->setObjectName(u"进度条1"_s);
    进度条1->setGeometry(48, 56, 232, 19);
    进度条1->setRange(0, 100);
    进度条1->setValue(0);
    进度条1->setTextVisible(false);
    进度条1->setAccessibleName(u"初始化进度"_s);
}

}  // namespace tricala
