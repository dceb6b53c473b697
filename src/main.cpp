#include "program.h"
#include "shell/form1.h"
#include "shell/picture.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavu"));
    QApplication::setWindowIcon(kavu::programIcon());

    kavu::Program program;
    if (program.app().form1() == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
