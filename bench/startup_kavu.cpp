// Kavu's own start-up, ending when the main window is shown ("start") or after it has been shown
// and idle for a number of milliseconds ("idle MS").
#include "program.h"
#include "shell/form1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavu"));
    kavu::Program program;
    if (program.app().mainWindow() == nullptr) {
        return 1;
    }
    const int idleMs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    QTimer::singleShot(idleMs, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
