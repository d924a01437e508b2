// Saves pictures of both windows for the documentation:
//   ui_layout_screenshot MAIN.png SPLASH.png [STORE]
// With STORE the main window goes through the real start-up on a copy of
// that store, so the views show real rows; without it the bare window is
// taken. Runs on the offscreen platform; fonts come from fontconfig.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "platform/MessageBox.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s MAIN.png SPLASH.png [STORE]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString mainPicture = QString::fromLocal8Bit(argv[1]);
    const QString splashPicture = QString::fromLocal8Bit(argv[2]);

    tricala::SplashWindow splash;
    splash.show();
    QApplication::processEvents();
    if (!splash.grab().save(splashPicture)) return 1;

    // The start-up may offer messages (an old history); nobody is there to answer.
    tricala::platform::SetAutoAnswer(true);
    QTemporaryDir scratch;
    tricala::MainWindow window;
    window.show();
    QApplication::processEvents();
    if (argc > 3) {
        // The start-up works on a copy: the picture must not change the store.
        const QString copy = scratch.filePath(QStringLiteral("caipiao.edb"));
        if (!QFile::copy(QString::fromLocal8Bit(argv[3]), copy)) return 1;
        if (!tricala::StartUpSequence(window, copy)) return 1;
        QApplication::processEvents();
    }
    return window.grab().save(mainPicture) ? 0 : 1;
}
