#include "platform/desktop_services.h"
#include "platform/process_starter.h"
#include "shell/app.h"
#include "shell/form1.h"
#include "windows.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavu"));

    kavu::DialogMessageBoxes messages;
    kavu::SystemProcessStarter processes(
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("kavu-cmd")),
        kavu::SystemProcessStarter::findTerminal(),
        [&messages](const QString& message) {
            messages.show(message, QString(), kavu::MessageIcon::Critical);
        });
    kavu::ThreadPause pause;
    kavu::ClockSeededRandom random;
    kavu::DesktopBrowser browser;
    kavu::ApplicationEnvironment program;

    kavu::App app({processes, messages, pause, random, browser, program});
    kavu::registerWindows(app);
    if (app.form1() == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
