#include "program.h"
#include "shell/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavu"));

    kavu::Program program;
    if (!program.enterWorkingFolder() || program.app().form1() == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
