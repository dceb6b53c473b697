#include "support/test_app.h"

#include "shell/form1.h"
#include "support/literals.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace kavu::test {

namespace {

void touch(const QString& path) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

} // namespace

TestApp::TestApp(bool loadMainWindow) {
    m_fakes.program.folder = m_folder.path();
    for (const QString& tool :
         {QStringLiteral("adb"), QStringLiteral("fastboot"), QStringLiteral("kavu-cmd")}) {
        const QString path = QDir(m_folder.path()).filePath(tool);
        touch(path);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }
    QDir(m_folder.path()).mkdir(QStringLiteral("File"));
    m_app = std::make_unique<App>(m_fakes.services());
    useForm1AsMainWindow(*m_app);
    if (loadMainWindow) {
        m_app->mainWindow();
        clearRecords();
    }
}

TestApp::~TestApp() {
    m_app.reset();
}

QString TestApp::fileFolder() const {
    return QDir(m_folder.path()).filePath(QStringLiteral("File"));
}

void TestApp::run(const QString& text, const launch::Form& form, const QString& suffix) {
    m_app->console().run(Command(text), form, Command(suffix));
}

void TestApp::runEarlierCommand() {
    run(kEarlierCommand, launch::kHidden);
}

QString TestApp::commandBox() {
    Form1* main = m_app->find<Form1>();
    return main ? main->commandBox().text() : QString();
}

StartedLine TestApp::lastStarted() const {
    if (m_fakes.processes.started.isEmpty()) {
        QTest::qFail("no line was started", __FILE__, __LINE__);
        return {};
    }
    return m_fakes.processes.started.last();
}

void TestApp::clearRecords() {
    m_fakes.clear();
}

bool TestApp::startedOnly(const QStringList& commands, launch::WindowMode mode) {
    const QString prefix = mode == launch::WindowMode::Hidden ? kHiddenPrefix : kConsolePrefix;
    return startedOnly(commands, prefix, QString(), mode);
}

bool TestApp::startedOnly(const QStringList& commands, const QString& prefix, const QString& suffix,
                          launch::WindowMode mode) {
    QStringList wrong;
    const QList<StartedLine>& lines = started();
    if (lines.size() != commands.size()) {
        wrong << QStringLiteral("%1 lines started, not %2: [%3]")
                     .arg(lines.size())
                     .arg(commands.size())
                     .arg(m_fakes.processes.lines().join(QStringLiteral(" | ")));
    } else {
        for (qsizetype i = 0; i < commands.size(); ++i) {
            const QString line = prefix + commands.at(i) + suffix;
            if (lines.at(i).line != line) {
                wrong << QStringLiteral("line %1 is \"%2\", not \"%3\"")
                             .arg(i + 1)
                             .arg(lines.at(i).line, line);
            }
            if (lines.at(i).mode != mode) {
                wrong << QStringLiteral("line %1 runs in window mode %2, not %3")
                             .arg(i + 1)
                             .arg(int(lines.at(i).mode))
                             .arg(int(mode));
            }
        }
    }
    if (!commands.isEmpty() && commandBox() != commands.last()) {
        wrong << QStringLiteral("the command box holds \"%1\", not \"%2\"")
                     .arg(commandBox(), commands.last());
    }
    m_mismatch = wrong.join(QStringLiteral("; ")).toUtf8();
    return wrong.isEmpty();
}

bool TestApp::ranOnly(const QStringList& commands, launch::WindowMode mode) {
    return noMessagesShown(startedOnly(commands, mode));
}

bool TestApp::ranOnly(const FixedCommand& command) {
    return noMessagesShown(startedOnly({command.text.toString()},
                                       QString::fromUtf8(command.form.prefix),
                                       QString::fromUtf8(command.suffix), command.form.mode));
}

bool TestApp::noMessagesShown(bool linesHeld) {
    if (messages().isEmpty()) {
        return linesHeld;
    }
    QStringList shown;
    for (const ShownMessage& message : std::as_const(messages())) {
        shown << message.text;
    }
    if (!m_mismatch.isEmpty()) {
        m_mismatch += "; ";
    }
    m_mismatch += QStringLiteral("%1 message(s) shown: [%2]")
                      .arg(messages().size())
                      .arg(shown.join(QStringLiteral(" | ")))
                      .toUtf8();
    return false;
}

void TestApp::addFile(const QString& name) {
    touch(QDir(fileFolder()).filePath(name));
}

} // namespace kavu::test
