// The yardstick: a bare Qt Widgets program that shows one empty window ("start"), or shows it and
// stays idle for a number of milliseconds ("idle MS"). With KAVU_BARE_TEXT set, the window holds
// one Chinese caption, to show what the first text on screen costs by itself.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(626, 291);
    if (qEnvironmentVariableIsSet("KAVU_BARE_TEXT")) {
        auto* caption = new QLabel(QStringLiteral("本工具永久免费"), &window);
        caption->move(8, 8);
    }
    window.show();
    const int idleMs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    QTimer::singleShot(idleMs, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
