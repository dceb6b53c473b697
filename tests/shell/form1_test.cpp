#include "apps/software.h"
#include "core/notice.h"
#include "devices/adb_shell_client.h"
#include "display/font_scale_offset.h"
#include "display/navigation.h"
#include "display/phone_area.h"
#include "flash/okc.h"
#include "input/keysimu.h"
#include "input/touchsimu.h"
#include "shell/form1.h"
#include "shell/support_window.h"
#include "statusbar/status.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"
#include "window_table.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using namespace Qt::StringLiterals;
using kavu::launch::WindowMode;

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void startUpCheck_data();
    void startUpCheck();
    void deviceCheckConsole();
    void launcherEntries_data();
    void launcherEntries();
    void registeredWindowsOpen();
    void interactiveConsole();
    void supportWindow();
    void hotSpot();
    void screenshotSequence();
    void screenshotRestartsOnSecondClick();
    void noticeScrolls();
};

void Form1Test::startUpCheck_data() {
    QTest::addColumn<QStringList>("remove");
    QTest::addColumn<QString>("directoryInstead");
    QTest::addColumn<QString>("notRunnable");
    QTest::addColumn<bool>("starts");
    QTest::newRow("all present") << QStringList() << QString() << QString() << true;
    QTest::newRow("adb missing") << QStringList{QStringLiteral("adb")} << QString() << QString()
                                 << false;
    QTest::newRow("fastboot missing")
        << QStringList{QStringLiteral("fastboot")} << QString() << QString() << false;
    QTest::newRow("both missing") << QStringList{QStringLiteral("adb"), QStringLiteral("fastboot")}
                                  << QString() << QString() << false;
    QTest::newRow("interpreter missing")
        << QStringList{QStringLiteral("kavu-cmd")} << QString() << QString() << false;
    QTest::newRow("adb is a directory")
        << QStringList{QStringLiteral("adb")} << QStringLiteral("adb") << QString() << false;
    QTest::newRow("fastboot is a directory") << QStringList{QStringLiteral("fastboot")}
                                             << QStringLiteral("fastboot") << QString() << false;
    QTest::newRow("interpreter cannot be run")
        << QStringList() << QString() << QStringLiteral("kavu-cmd") << false;
}

void Form1Test::startUpCheck() {
    QFETCH(QStringList, remove);
    QFETCH(QString, directoryInstead);
    QFETCH(QString, notRunnable);
    QFETCH(bool, starts);
    test::TestApp t(false);
    const QDir folder(t.folder());
    for (const QString& name : remove) {
        QVERIFY(QFile::remove(folder.filePath(name)));
    }
    if (!directoryInstead.isEmpty()) {
        QVERIFY(folder.mkdir(directoryInstead));
    }
    if (!notRunnable.isEmpty()) {
        QVERIFY(QFile::setPermissions(folder.filePath(notRunnable),
                                      QFile::ReadOwner | QFile::WriteOwner));
    }

    Form1* main = t.app().form1();
    if (starts) {
        QVERIFY(main != nullptr);
        QVERIFY(main->isVisible());
        QCOMPARE(main->windowTitle(), QStringLiteral("Kavu 第六代免ROOT玩机神器"));
        QCOMPARE(t.started().size(), 1);
        QVERIFY(t.messages().isEmpty());
        QCOMPARE(t.fakes().program.quitCalls, 0);
    } else {
        QVERIFY(main == nullptr);
        QCOMPARE(t.app().find<Form1>(), nullptr);
        QVERIFY(t.started().isEmpty());
        QCOMPARE(t.messages().size(), 1);
        QCOMPARE(t.messages().first().text,
                 QStringLiteral("驱动不正常！请解压后运行或检查主程序目录下的文件！"));
        QCOMPARE(t.messages().first().title, QString());
        QCOMPARE(t.messages().first().icon, MessageIcon::None);
        QCOMPARE(t.fakes().program.quitCalls, 1);
    }
}

void Form1Test::deviceCheckConsole() {
    test::TestApp t(false);
    Form1* main = t.app().form1();
    QCOMPARE(t.started().size(), 1);
    QCOMPARE(t.lastStarted().line, kConsolePrefix + u"adb devices"_s + deviceCheckBanner());
    QCOMPARE(t.lastStarted().mode, WindowMode::Normal);
    QCOMPARE(deviceCheckBanner().size(), 563);
    auto* text8 = control<QLineEdit>(*main, QStringLiteral("Text8"));
    QCOMPARE(text8->text(), QStringLiteral("adb devices"));
    QVERIFY(text8->isHidden());
    QVERIFY(main->commandBox().isHidden());
    QCOMPARE(t.commandBox(), QString());
}

void Form1Test::launcherEntries_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("feature");
    const auto row = [](const char* label, const char* icon, const QString& caption, Feature f) {
        QTest::newRow(label) << QString::fromLatin1(label) << QString::fromLatin1(icon) << caption
                             << int(f);
    };
    row("Label23", "Image17", QStringLiteral("软件与传输"), Feature::Software);
    row("Label24", "Image19", QStringLiteral("线刷专区"), Feature::Flashing);
    row("Label7", "Image5der", QStringLiteral("屏幕显示调节"), Feature::Display);
    row("Label8", "Image9", QStringLiteral("状态与导航栏"), Feature::StatusBar);
    row("Label18", "Image10", QStringLiteral("无极调节"), Feature::Scaling);
    row("Label28", "Image21", QStringLiteral("物理按键模拟"), Feature::Keys);
    row("Label27", "Image12", QStringLiteral("触摸模拟"), Feature::Touch);
    row("Label32", "Image23", QStringLiteral("帮助支持"), Feature::Help);
    row("Label30", "Image25", QStringLiteral("关于软件/更新"), Feature::About);
}

void Form1Test::launcherEntries() {
    QFETCH(QString, label);
    QFETCH(QString, icon);
    QFETCH(QString, caption);
    QFETCH(int, feature);
    test::TestApp t;
    QList<int> asked;
    for (int f = int(Feature::Software); f <= int(Feature::About); ++f) {
        t.app().setOpener(Feature(f), [&asked, f] { asked.append(f); });
    }
    Form1* main = t.app().find<Form1>();
    QCOMPARE(shownText(*main, label), caption);
    QVERIFY(!control<QLabel>(*main, icon)->pixmap().isNull());
    // The icon, a picture only, is named after the caption for assistive tools.
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QLabel>(*main, icon))
                 ->text(QAccessible::Name),
             caption);
    click<QLabel>(*main, label);
    click<QLabel>(*main, icon);
    QCOMPARE(asked, (QList<int>{feature, feature}));
    QVERIFY(t.started().isEmpty());
    QVERIFY(main->isVisible());
}

// The program's own table: each built window opens from its label and its icon, once.
void Form1Test::registeredWindowsOpen() {
    test::TestApp t;
    FontScaleOffset offset;
    registerWindows(t.app(), offset);
    Form1* main = t.app().find<Form1>();
    const auto opensOnce = [&](const char* label, const char* icon, auto* (*find)(App&)) {
        click<QLabel>(*main, QString::fromLatin1(label));
        QWidget* window = find(t.app());
        QVERIFY2(window != nullptr && window->isVisible(), label);
        click<QLabel>(*main, QString::fromLatin1(icon));
        QCOMPARE(find(t.app()), window);
    };
    opensOnce(
        "Label8", "Image9", +[](App& app) -> QWidget* { return app.find<Status>(); });
    opensOnce(
        "Label7", "Image5der", +[](App& app) -> QWidget* { return app.find<Navigation>(); });
    opensOnce(
        "Label18", "Image10", +[](App& app) -> QWidget* { return app.find<PhoneArea>(); });
    opensOnce(
        "Label24", "Image19", +[](App& app) -> QWidget* { return app.find<OKC>(); });
    opensOnce(
        "Label28", "Image21", +[](App& app) -> QWidget* { return app.find<keysimu>(); });
    opensOnce(
        "Label27", "Image12", +[](App& app) -> QWidget* { return app.find<touchsimu>(); });
    QVERIFY(t.messages().isEmpty());
}

void Form1Test::interactiveConsole() {
    test::TestApp t;
    Form1* main = t.app().find<Form1>();
    t.run(QStringLiteral("adb devices"), launch::kHidden);
    t.clearRecords();
    click<QLabel>(*main, u"Label6mlh"_s);
    click<QLabel>(*main, u"Image1"_s);
    QCOMPARE(t.started().size(), 2);
    for (const test::StartedLine& started : t.started()) {
        QCOMPARE(started.line, QStringLiteral("cmd /k \"COLOR 3f"));
        QCOMPARE(started.mode, WindowMode::Normal);
    }
    QCOMPARE(t.commandBox(), QStringLiteral("adb devices"));
}

void Form1Test::supportWindow() {
    test::TestApp t;
    Form1* main = t.app().find<Form1>();
    click<QLabel>(*main, u"Label31"_s);
    SupportWindow* support = t.app().find<SupportWindow>();
    QVERIFY(support != nullptr && support->isVisible());
    click<QLabel>(*main, u"Image24"_s);
    QCOMPARE(t.app().find<SupportWindow>(), support);
    QVERIFY(t.started().isEmpty());
}

void Form1Test::hotSpot() {
    test::TestApp t;
    click<QLabel>(*t.app().find<Form1>(), u"Labelcd"_s);
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, QStringLiteral("嘤嘤嘤~"));
    QCOMPARE(t.messages().first().title, QStringLiteral("彩蛋"));
    QCOMPARE(t.messages().first().icon, MessageIcon::None);
}

void Form1Test::screenshotSequence() {
    test::TestApp t;
    Form1* main = t.app().find<Form1>();
    QCOMPARE(shownText(*main, u"Label22"_s), QStringLiteral("截屏推送"));
    click<QLabel>(*main, u"Label22"_s);
    auto* timer = control<QTimer>(*main, QStringLiteral("INTERFACETimer"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    QCOMPARE(shownText(*main, u"Label22"_s), QStringLiteral("正在截图..."));
    QCOMPARE(t.started().size(), 1);
    QCOMPARE(t.lastStarted().line,
             QStringLiteral("cmd /c adb shell /system/bin/screencap -p /sdcard/screen.png"));

    struct Step {
        QString caption;
        QStringList lines;
    };
    const QList<Step> steps = {
        {QStringLiteral("正在截图..."), {}},
        {QStringLiteral("正在截图..."), {}},
        {QStringLiteral("推送截图..."), {QStringLiteral("cmd /c adb pull /sdcard/screen.png")}},
        {QStringLiteral("打开截图..."),
         {QStringLiteral("cmd /c screen.png"),
          QStringLiteral("cmd /c adb shell rm /sdcard/screen.png")}},
        {QStringLiteral("打开截图..."), {}},
        {QStringLiteral("输出截图"), {}},
    };
    for (const Step& step : steps) {
        t.clearRecords();
        fireTimer(*main, u"INTERFACETimer"_s);
        QCOMPARE(shownText(*main, u"Label22"_s), step.caption);
        QCOMPARE(t.fakes().processes.lines(), step.lines);
        for (const test::StartedLine& started : t.started()) {
            QCOMPARE(started.mode, WindowMode::Hidden);
        }
    }
    QVERIFY(!timer->isActive());
    QCOMPARE(t.commandBox(), QStringLiteral("adb shell rm /sdcard/screen.png"));
}

void Form1Test::screenshotRestartsOnSecondClick() {
    test::TestApp t;
    Form1* main = t.app().find<Form1>();
    click<QLabel>(*main, u"Image16"_s);
    fireTimer(*main, u"INTERFACETimer"_s);
    click<QLabel>(*main, u"Label22"_s);
    QCOMPARE(t.started().size(), 2);
    t.clearRecords();
    fireTimer(*main, u"INTERFACETimer"_s, 2);
    QVERIFY(t.started().isEmpty());
    fireTimer(*main, u"INTERFACETimer"_s);
    QCOMPARE(t.fakes().processes.lines(),
             QStringList{QStringLiteral("cmd /c adb pull /sdcard/screen.png")});
    fireTimer(*main, u"INTERFACETimer"_s, 3);
    QCOMPARE(t.started().size(), 3);
    QCOMPARE(shownText(*main, u"Label22"_s), QStringLiteral("输出截图"));
}

// The notice takes the same positions as a label moved every 5 ms tick; the timer only skips the
// ticks that would leave it on the same pixel.
void Form1Test::noticeScrolls() {
    test::TestApp t;
    Form1* main = t.app().find<Form1>();
    auto* timer = control<QTimer>(*main, QStringLiteral("Timersco"));
    QVERIFY(timer->isActive());
    auto* notice = control<QLabel>(*main, QStringLiteral("scor"));
    QCOMPARE(notice->text(),
             QStringLiteral("本工具永久免费，严禁倒卖！所有功能只有设备连接成功后才有效。"));

    NoticeScroller reference;
    int shown = notice->x();
    int lowest = shown;
    int wraps = 0;
    int ticks = 0;
    while (ticks < 4000) {
        QCOMPARE(timer->interval() % 5, 0);
        const int batch = timer->interval() / 5;
        QVERIFY(batch >= 1);
        float left = 0;
        for (int i = 0; i < batch; ++i) {
            left = reference.tick();
            if (i + 1 < batch) {
                QCOMPARE(NoticeScroller::toPixels(left), shown); // a skipped tick moves nothing
            }
        }
        ticks += batch;
        fireTimer(*main, u"Timersco"_s);
        QCOMPARE(notice->x(), NoticeScroller::toPixels(left));
        if (ticks == 1) {
            QCOMPARE(notice->x(), 31); // 468.8 twips after the first tick
        } else if (notice->x() > shown) {
            ++wraps;
            QCOMPARE(notice->x(), 44); // 658.8 twips: back near 660, never 470 again
        } else {
            QCOMPARE(notice->x(), shown - 1);
        }
        lowest = std::min(lowest, notice->x());
        shown = notice->x();
    }
    QVERIFY(wraps >= 2);
    QCOMPARE(lowest, -59); // -891 twips, just past -890
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
