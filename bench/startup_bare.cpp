// The yardstick: a bare Qt Widgets program that shows one empty window ("start"), or shows it and
// stays idle for a number of milliseconds ("idle MS").
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(626, 291);
    window.show();
    const int idleMs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    QTimer::singleShot(idleMs, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
