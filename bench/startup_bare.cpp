// The yardstick: a bare Qt Widgets program that shows one window the size of Kavu's main window
// holding one Chinese caption. Reports through FirstPaintProbe.
#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const kavu::bench::FirstPaintProbe probe(QStringLiteral("bare"));
    QWidget window;
    window.setObjectName(QStringLiteral("bare"));
    window.resize(626, 343);
    auto* caption = new QLabel(QStringLiteral("本工具永久免费"), &window);
    caption->move(8, 8);
    window.show();
    return QApplication::exec();
}
