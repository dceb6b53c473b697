#include "app/app.h"
#include "shell/form1.h"
#include "shell/support_window.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QLineEdit>
#include <QtTest>

using namespace kavu;
using namespace Qt::StringLiterals;
using kavu::launch::WindowMode;

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void launcherWritesReadsBackJoinsAndStarts_data();
    void launcherWritesReadsBackJoinsAndStarts();
    void ownBoxLeavesTheCommandBoxAlone();
    void fixedLineTakesNoBox();
    void windowExistsOnceAndIsFreshAfterClose();
    void minimizedWindowIsRestoredWhenOpenedAgain();
    void loadedWindowIsNotShown();
    void closedMainWindowIsLoadedAgainBeforeTheCommand();
    void failedStartUpRunsNothingAndQuits();
    void typedTextGuard_data();
    void typedTextGuard();
    void refusedSuffixRunsNothing();
    void phoneQuotedTextIsOneWord();
    void commandBoxKeepsLongTexts();
    void featureWithoutWindowSaysSo();
};

void AppTest::launcherWritesReadsBackJoinsAndStarts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("mode");
    QTest::newRow("hidden") << QStringLiteral("adb devices") << 0 << QString()
                            << QStringLiteral("cmd /c adb devices") << int(WindowMode::Hidden);
    QTest::newRow("console") << QStringLiteral("adb shell pm disable-user x") << 1 << QString()
                             << QStringLiteral("cmd /k adb shell pm disable-user x")
                             << int(WindowMode::Normal);
    QTest::newRow("minimized") << QStringLiteral("adb shell pm disable-user g") << 2 << QString()
                               << QStringLiteral("cmd /k adb shell pm disable-user g")
                               << int(WindowMode::Minimized);
    QTest::newRow("two spaces") << QStringLiteral("fastboot devices") << 3
                                << QStringLiteral("&& EXIT")
                                << QStringLiteral("cmd /k  fastboot devices&& EXIT")
                                << int(WindowMode::Normal);
    QTest::newRow("empty hidden") << QString() << 0 << QString() << QStringLiteral("cmd /c ")
                                  << int(WindowMode::Hidden);
    QTest::newRow("empty console")
        << QString() << 1 << QString() << QStringLiteral("cmd /k ") << int(WindowMode::Normal);
    QTest::newRow("text kept as typed")
        << QStringLiteral("  adb  shell \"a b\" ^x  ") << 0 << QStringLiteral(" && EXIT")
        << QStringLiteral("cmd /c   adb  shell \"a b\" ^x   && EXIT") << int(WindowMode::Hidden);
}

void AppTest::launcherWritesReadsBackJoinsAndStarts() {
    QFETCH(QString, text);
    QFETCH(int, form);
    QFETCH(QString, suffix);
    QFETCH(QString, line);
    QFETCH(int, mode);
    const launch::Form forms[] = {launch::kHidden, launch::kConsole, launch::kConsoleMinimized,
                                  launch::kConsoleTwoSpaces};
    test::TestApp t;
    t.app().console().run(Command(text), forms[form], Command(suffix));
    QCOMPARE(t.started().size(), 1);
    QCOMPARE(t.lastStarted().line, line);
    QCOMPARE(int(t.lastStarted().mode), mode);
    QCOMPARE(t.commandBox(), text);
}

void AppTest::ownBoxLeavesTheCommandBoxAlone() {
    test::TestApp t;
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    QLineEdit own;
    t.app().console().runThrough(own, Command(u"adb shell echo hi"), launch::kHidden);
    QCOMPARE(own.text(), QStringLiteral("adb shell echo hi"));
    QCOMPARE(t.commandBox(), QStringLiteral("adb devices"));
    QCOMPARE(t.lastStarted().line, QStringLiteral("cmd /c adb shell echo hi"));
}

void AppTest::fixedLineTakesNoBox() {
    test::TestApp t;
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    t.app().console().startLine(u"cmd /k \"COLOR 3f", WindowMode::Normal);
    QCOMPARE(t.commandBox(), QStringLiteral("adb devices"));
    QCOMPARE(t.lastStarted().line, QStringLiteral("cmd /k \"COLOR 3f"));
}

void AppTest::windowExistsOnceAndIsFreshAfterClose() {
    test::TestApp t;
    SupportWindow* first = t.app().open<SupportWindow>();
    QVERIFY(first->isVisible());
    QVERIFY(first->parentWidget() == nullptr);
    QCOMPARE(t.app().open<SupportWindow>(), first);
    QPointer<SupportWindow> watch = first;
    test::closeWindow(first);
    QVERIFY(watch.isNull());
    QCOMPARE(t.app().find<SupportWindow>(), nullptr);
    SupportWindow* second = t.app().open<SupportWindow>();
    QVERIFY(second != nullptr);
    QVERIFY(second->isVisible());
}

void AppTest::minimizedWindowIsRestoredWhenOpenedAgain() {
    test::TestApp t;
    SupportWindow* window = t.app().open<SupportWindow>();
    window->showMinimized();
    QVERIFY(window->windowState().testFlag(Qt::WindowMinimized));

    // Opening it again brings the same window back to the user, no longer minimized.
    QCOMPARE(t.app().open<SupportWindow>(), window);
    QVERIFY(!window->windowState().testFlag(Qt::WindowMinimized));
    QVERIFY(window->isVisible());
}

void AppTest::loadedWindowIsNotShown() {
    test::TestApp t;
    SupportWindow* window = t.app().loaded<SupportWindow>();
    QVERIFY(!window->isVisible());
    QCOMPARE(t.app().find<SupportWindow>(), window);
}

void AppTest::closedMainWindowIsLoadedAgainBeforeTheCommand() {
    test::TestApp t;
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    test::closeWindow(t.app().find<Form1>());
    QCOMPARE(t.app().find<Form1>(), nullptr);
    t.clearRecords();

    t.run(QStringLiteral("adb reboot"), launch::kHidden);
    // The whole start-up ran again: the device-check console first, then the command.
    QCOMPARE(t.started().size(), 2);
    QVERIFY(t.started().first().line.startsWith(QStringLiteral("cmd /k adb devices && COLOR 3f ")));
    QCOMPARE(t.started().last().line, QStringLiteral("cmd /c adb reboot"));
    QVERIFY(t.app().find<Form1>()->isVisible());
    QCOMPARE(t.commandBox(), QStringLiteral("adb reboot"));
}

void AppTest::failedStartUpRunsNothingAndQuits() {
    test::TestApp t;
    test::closeWindow(t.app().find<Form1>());
    QVERIFY(QFile::remove(QDir(t.folder()).filePath(QStringLiteral("fastboot"))));
    t.clearRecords();

    t.run(QStringLiteral("adb reboot"), launch::kHidden);
    QVERIFY(t.started().isEmpty());
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.fakes().program.quitCalls, 1);
    QCOMPARE(t.app().find<Form1>(), nullptr);
}

void AppTest::typedTextGuard_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("splice");
    QTest::addColumn<QString>("message");
    const QString pcMessage =
        QStringLiteral("输入内容含有不允许的字符（& | < > ^ % \" 或换行），已取消执行！");
    const QString phoneMessage = QStringLiteral("输入内容含有手机命令不允许的字符，已取消执行！");
    QTest::newRow("package") << u"com.tencent.mm"_s << int(Splice::PhoneBare) << QString();
    QTest::newRow("second command") << u"x & calc"_s << int(Splice::PcBare) << pcMessage;
    QTest::newRow("pipe") << u"x|y"_s << int(Splice::PcBare) << pcMessage;
    QTest::newRow("line break") << u"x\ny"_s << int(Splice::PcBare) << pcMessage;
    QTest::newRow("expansion") << u"%LESSOPEN%.apk"_s << int(Splice::PcQuoted) << pcMessage;
    QTest::newRow("quoted ampersand") << u"a&b.apk"_s << int(Splice::PcQuoted) << QString();
    QTest::newRow("quoted quote") << u"a\"b.apk"_s << int(Splice::PcQuoted) << pcMessage;
    QTest::newRow("phone chain") << u"com.x;reboot"_s << int(Splice::PhoneBare) << phoneMessage;
    QTest::newRow("phone, PC first") << u"x&y"_s << int(Splice::PhoneBare) << pcMessage;
    QTest::newRow("phone quoted") << u"a b;c"_s << int(Splice::PhoneQuoted) << QString();
}

void AppTest::typedTextGuard() {
    QFETCH(QString, text);
    QFETCH(int, splice);
    QFETCH(QString, message);
    test::TestApp t;
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    t.clearRecords();
    const bool ran = t.app().console().run(
        Command(u"adb shell x ").typed(text, static_cast<Splice>(splice)), launch::kHidden);
    QCOMPARE(ran, message.isEmpty());
    if (ran) {
        QVERIFY(t.messages().isEmpty());
        QCOMPARE(t.started().size(), 1);
    } else {
        QCOMPARE(t.messages().size(), 1);
        QCOMPARE(t.messages().first().text, message);
        QCOMPARE(t.messages().first().title, QStringLiteral("警告!"));
        QCOMPARE(t.messages().first().icon, MessageIcon::Critical);
        QVERIFY(t.started().isEmpty());
        QCOMPARE(t.commandBox(), QStringLiteral("adb devices"));
    }
}

void AppTest::refusedSuffixRunsNothing() {
    test::TestApp t;
    QLineEdit own;
    QVERIFY(!t.app().console().runThrough(own, Command(u"adb devices"), launch::kConsole,
                                          Command(u" && title ").typed(u"a|b"_s, Splice::PcBare)));
    QVERIFY(t.started().isEmpty());
    QVERIFY(own.text().isEmpty());
}

void AppTest::phoneQuotedTextIsOneWord() {
    test::TestApp t;
    t.app().console().run(
        Command(u"adb shell input text ").typed(u"it's a;b"_s, Splice::PhoneQuoted),
        launch::kHidden);
    QCOMPARE(t.commandBox(), QStringLiteral("adb shell input text 'it'\\''s a;b'"));
}

void AppTest::commandBoxKeepsLongTexts() {
    test::TestApp t;
    const QString text(40000, QLatin1Char('a'));
    t.run(text, launch::kHidden);
    QVERIFY2(t.ranOnly(text), t.mismatch());
}

void AppTest::featureWithoutWindowSaysSo() {
    test::TestApp t;
    t.app().openEntry(u"Label24");
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, QStringLiteral("该功能尚未完成"));
    int opened = 0;
    t.app().setOpener({u"Label24", u"Image19"}, [&opened] { ++opened; });
    t.app().openEntry(u"Label24");
    QCOMPARE(opened, 1);
    QCOMPARE(t.messages().size(), 1);
}

QTEST_MAIN(AppTest)
#include "app_test.moc"
