#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "app/Handlers.h"
#include "app/MainWindowBuild.h"

using namespace Qt::StringLiterals;

namespace tricala {
namespace {

QIcon MakeWindowIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(200, 30, 30));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, u"3"_s);
    return QIcon(pixmap);
}

}  // namespace

void SetUpFixedWindow(QWidget& window, QSize clientSize) {
    window.setWindowTitle(u"Tricala"_s);
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QSize outer(clientSize.width() + 2 * kClassicFrameBorder,
                      clientSize.height() + kClassicCaptionHeight + kClassicFrameBorder);
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void SetStatusText(MainWindow& w, const QString& text) {
    w.状态条1Part1->setText(text);
    if (w.statusWatcher) w.statusWatcher(text);
}

QString StatusText(const MainWindow& w) { return w.状态条1Part1->text(); }

MainWindow::MainWindow() {
    SetUpFixedWindow(*this, kMainWindowClientSize);
    setWindowIcon(MakeWindowIcon());

    BuildLastDrawPanel();
    BuildTabControl();
    BuildViews();
    BuildStatusBar();
    按钮14 = MakeButton(this, u"按钮14"_s, {613, 551, 71, 20}, u"更新数据"_s);
    按钮14->raise();  // sits in the status bar's row, over its right end
}

MainWindow::~MainWindow() = default;

void MainWindow::AttachStore(std::unique_ptr<DrawStore> store) { store_ = std::move(store); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // A pass that lets messages through is still on the stack and walking
    // the store: closing now would save a half-filtered set and destroy the
    // window under it. The close box works again when the pass is done.
    if (passRunning) {
        event->ignore();
        return;
    }
    if (store() && !exitSaveOffered_) {
        exitSaveOffered_ = true;
        SaveCandidatesOnExit(*this);
    }
    event->accept();
}

}  // namespace tricala
