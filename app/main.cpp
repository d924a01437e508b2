// Process entry: the program's folder becomes the current folder, so the
// store's bare file name refers to the file beside the program.

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/Handlers.h"
#include "app/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    tricala::MainWindow window;
    window.show();
    // On failure the message has been shown and no store is attached, so
    // leaving here closes nothing that would offer the exit save.
    if (!tricala::StartUpSequence(window)) return 0;
    // For smoke tests and the launch benchmark: end as soon as the window is
    // ready, without the exit prompt.
    if (qEnvironmentVariableIsSet("TRICALA_QUIT_WHEN_READY"))
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
