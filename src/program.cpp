#include "program.h"

#include "connection/server_dialog.h"
#include "platform/shown_text.h"
#include "platform/working_folder.h"
#include "shell/form1.h"
#include "window_table.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

namespace kavu {

Program::Program()
    : m_windowKeys([this](const QWidget& window) { return &window == m_app.find<Form1>(); })
    , m_processes(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("kavu-cmd")),
                  SystemProcessStarter::findTerminal(),
                  [this](const QString& message) {
                      m_messages.show(message, QString(), MessageIcon::Critical);
                  })
    , m_devices(serverFromEnvironment())
    , m_app({m_processes, m_messages, m_pause, m_random, m_browser, m_environment})
    , m_journal(m_app,
                QDir(workingFolderFor(m_environment.programFolder(), kavuHomeVariable()).path)
                    .filePath(QStringLiteral("journal"))) {
    // One look on every system: the windows are laid out to the pixel, and the native styles
    // draw group titles and frames at other places (Windows' own cuts the group titles in half).
    QApplication::setStyle(QStringLiteral("Fusion"));
    m_app.setDeviceWatch(&m_devices);
    m_app.setShellClient(&m_shellClient);
    m_app.setFastbootWatch(&m_fastboot);
    m_app.setSettings(&m_settings);
    m_app.setJournal(&m_journal);
    m_journal.setDeclaredChanges(changingCommands());
    // A program folder that cannot be written (a read-only portable copy) keeps its journal in
    // the user's data folder instead.
    if (const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        !data.isEmpty()) {
        m_journal.setFallbackFolder(QDir(data).filePath(QStringLiteral("kavu/journal")));
    }
    registerWindows(m_app, m_fontScaleOffset);
    // The lab's server chosen last time, unless the environment names one for this run.
    if (qEnvironmentVariableIsEmpty("ADB_SERVER_SOCKET")) {
        if (const std::optional<AdbServer> server = rememberedAdbServer(m_app)) {
            useAdbServer(m_app, *server);
        }
    }
    // Also on standard error, as the other problems at start-up, for a start from a terminal.
    QObject::connect(&m_devices, &DeviceWatch::serverStartFailed, &m_devices,
                     [](const devices::ServerStartFailure& failure) {
                         const std::string why = devices::startFailureText(failure, translatedText);
                         std::fprintf(stderr, "%s\n", why.c_str());
                     });
}

bool Program::enterWorkingFolder() {
    const std::optional<QString> problem = kavu::enterWorkingFolder(
        workingFolderFor(m_environment.programFolder(), kavuHomeVariable()));
    if (!problem) {
        return true;
    }
    // Also for a start from a terminal, where the reason stays readable after the box is gone.
    std::fprintf(stderr, "%s\n", problem->toUtf8().constData());
    m_messages.show(*problem, QString(), MessageIcon::Critical);
    return false;
}

} // namespace kavu
