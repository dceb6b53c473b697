#include "real_program.h"

#include "shell/form1.h"
#include "support/simulated_adb_server.h"
#include "window_table.h"

#include <QFile>
#include <QtTest>

namespace kavu::test {

void RealProgram::start(const SimulatedAdbServer& server) {
    QVERIFY(m_work.isValid());
    qputenv("ANDROID_ADB_SERVER_PORT", QByteArray::number(server.port()));
    qunsetenv("ANDROID_SERIAL");

    const QDir work(m_work.path());
    for (const QString& tool :
         {QStringLiteral("adb"), QStringLiteral("fastboot"), QStringLiteral("kavu-cmd")}) {
        QFile file(work.filePath(tool));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    QVERIFY(work.mkpath(QStringLiteral("File")) && work.mkpath(QStringLiteral("consoles")));
    QVERIFY(QDir::setCurrent(work.filePath(QStringLiteral("consoles"))));
    m_fakes.program.folder = m_work.path();

    m_processes = std::make_unique<SystemProcessStarter>(
        QStringLiteral(KAVU_CMD_PATH), SystemProcessStarter::findTerminal(),
        [this](const QString& message) { m_startFailures.append(message); });
    m_tracker = std::make_unique<AdbDeviceTracker>(server.port());
    m_shellClient = std::make_unique<AdbShellClient>();
    m_app = std::make_unique<App>(Services{*m_processes, m_fakes.messages, m_fakes.pause,
                                           m_fakes.random, m_fakes.browser, m_fakes.program});
    m_app->setDeviceWatch(m_tracker.get());
    m_app->setShellClient(m_shellClient.get());
    m_fastboot = std::make_unique<FastbootWatch>(*m_processes);
    m_app->setFastbootWatch(m_fastboot.get());
    m_journal =
        std::make_unique<journal::Journal>(*m_app, work.filePath(QStringLiteral("journal")));
    m_app->setJournal(m_journal.get());
    m_journal->setDeclaredChanges(changingCommands());
    registerWindows(*m_app, m_fontScaleOffset);
    m_main = form1(*m_app);
    QVERIFY(m_main != nullptr);
}

} // namespace kavu::test
