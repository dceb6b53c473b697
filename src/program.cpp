#include "program.h"

#include "app/language.h"
#include "connection/server_dialog.h"
#include "platform/font_check.h"
#include "platform/shown_text.h"
#include "platform/tool_files.h"
#include "platform/working_folder.h"
#include "shell/form1.h"
#include "shell/picture.h"
#include "widgets/group_frame_style.h"
#include "window_table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QStandardPaths>

#include <cstdio>

#ifndef Q_OS_WIN
#include "platform/display_check.h"
#endif

namespace kavu {

Program::Program(ProcessStarter* processes)
    : m_windowKeys([this](const QWidget& window) { return &window == m_app.find<Form1>(); })
    , m_processes(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("kavu-cmd")),
                  SystemProcessStarter::findTerminal(),
                  [this](const QString& message) {
                      m_messages.show(message, QString(), MessageIcon::Critical);
                  })
    , m_devices(serverFromEnvironment())
    , m_fastboot(processes != nullptr ? *processes : m_processes)
    , m_app({processes != nullptr ? *processes : m_processes, m_messages, m_pause, m_random,
             m_browser, m_environment})
    , m_journal(m_app,
                QDir(workingFolderFor(m_environment.programFolder(), kavuHomeVariable()).path)
                    .filePath(QStringLiteral("journal"))) {
    // One look on every system: the windows are laid out to the pixel, and the native styles
    // draw group titles and frames at other places (Windows' own cuts the group titles in half).
    QApplication::setStyle(new GroupFrameStyle);
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

int runProgram(int argc, char* argv[], const StartOptions& options) {
    // The system locale is known before Qt starts.
    const Language language = languageOfEnvironment();
#ifndef Q_OS_WIN
    // Qt would end the program with an abort and a core dump, blaming the installation.
    platform::DisplayCheck display(argc, argv, language == Language::English);
    if (display.problem()) {
        std::fprintf(stderr, "%s\n", display.problem()->c_str());
        return 1;
    }
#endif
    QApplication application(argc, argv);
#ifndef Q_OS_WIN
    display.close();
#endif
    if (options.qtStarted) {
        options.qtStarted();
    }
    QApplication::setApplicationName(QStringLiteral("Kavu"));
    QApplication::setWindowIcon(programIcon());
    if (const std::optional<QString> sans = sansFaceInstead()) {
        QFont font = QApplication::font();
        font.setFamilies({*sans});
        QApplication::setFont(font);
    }

    // Before any window, so that each sets up its texts in the user's language.
    const Translation translation(language);
    // Every console inherits the choice, so that kavu-cmd speaks the same language.
    qputenv("KAVU_LANG", language == Language::English ? "en" : "zh");
    // And takes the program folder's tools before PATH's, whatever folder it works in.
    qputenv("KAVU_TOOLS", QFile::encodeName(QCoreApplication::applicationDirPath()));
    Program program(options.processes);
    if (!options.journal) {
        program.app().console().setWatcher(nullptr);
    }
    // Told once, in words any font draws; the program then starts as it can.
    if (const std::optional<QString> noFont = missingChineseFont()) {
        std::fprintf(stderr, "%s\n", noFont->toUtf8().constData());
        program.app().messages().show(*noFont, QStringLiteral("Kavu"), MessageIcon::Exclamation);
    }
    // The main window's box names the tool files that cannot serve; a start from a terminal keeps
    // the lines after the box is gone.
    if (const QList<ToolProblem> problems = toolProblems(program.app().programFolder());
        !problems.isEmpty()) {
        const QString text = toolProblemsText(problems, program.app().programFolder());
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    if (!program.enterWorkingFolder() || program.app().mainWindow() == nullptr) {
        return 1;
    }
    return QApplication::exec();
}

} // namespace kavu
