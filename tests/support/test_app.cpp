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
        touch(QDir(m_folder.path()).filePath(tool));
    }
    QDir(m_folder.path()).mkdir(QStringLiteral("File"));
    m_app = std::make_unique<App>(m_fakes.services());
    if (loadMainWindow) {
        m_app->form1();
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

void TestApp::addFile(const QString& name) {
    touch(QDir(fileFolder()).filePath(name));
}

} // namespace kavu::test
