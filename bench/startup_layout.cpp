// The second yardstick: Kavu's main window as its layout file alone builds it, with the same style,
// captions and icons, and no program behind it (no device row, journal, tracker, notice or
// language). Against it, the start-up measures what the program adds to drawing its window;
// against the bare window, what the whole of it costs. Reports through FirstPaintProbe.
#include "startup_probe.h"
#include "ui_form1.h"
#include "widgets/group_frame_style.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const kavu::bench::FirstPaintProbe probe(QStringLiteral("Form1"));
    QApplication::setStyle(new kavu::GroupFrameStyle);
    QWidget window;
    Ui::Form1 layout;
    layout.setupUi(&window);
    window.show();
    return QApplication::exec();
}
