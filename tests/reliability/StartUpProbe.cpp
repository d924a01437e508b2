// Helper process for the start-up tests that must run as another user:
//
//   startup_probe <store>
//
// Runs the program's start-up on <store> offscreen, with every message box
// answered, and prints "started 0|1" and then "message <text>" for each
// message shown.

#include <QApplication>
#include <cstdio>

#include "app/Handlers.h"
#include "app/MainWindow.h"
#include "platform/MessageBox.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <store>\n", argv[0]);
        return 100;
    }
    tricala::platform::SetAutoAnswer(true);
    tricala::MainWindow window;
    window.show();
    const bool started = tricala::StartUpSequence(window, QString::fromLocal8Bit(argv[1]));
    std::printf("started %d\n", started ? 1 : 0);
    for (const auto& shown : tricala::platform::ShownMessages())
        std::printf("message %s\n", shown.text.toUtf8().constData());
    std::fflush(stdout);
    tricala::platform::SetAutoAnswer(true, tricala::platform::MessageAnswer::No);  // no exit save
    return 0;
}
