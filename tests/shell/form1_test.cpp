#include "core/notice.h"
#include "display/font_scale_offset.h"
#include "journal/journal.h"
#include "shell/form1.h"
#include "shell/shell_commands.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"
#include "widgets/click_label.h"
#include "window_table.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSet>
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

    Form1* main = form1(t.app());
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
        // The box's first line, then one line naming each file that cannot serve.
        const QStringList lines = t.messages().first().text.split(u'\n');
        QCOMPARE(lines.first(),
                 QStringLiteral("驱动不正常！请解压后运行或检查主程序目录下的文件！"));
        const QString named =
            remove.value(0, directoryInstead.isEmpty() ? notRunnable : directoryInstead);
        QCOMPARE(lines.size(), 1 + qMax<qsizetype>(remove.size(), 1));
        QVERIFY2(lines.at(1).startsWith(QStringLiteral("缺少 ") + named + u'：') ||
                     lines.at(1) == named + QStringLiteral(" 不可执行"),
                 qPrintable(lines.at(1)));
        QCOMPARE(t.messages().first().title, QString());
        QCOMPARE(t.messages().first().icon, MessageIcon::Critical);
        QCOMPARE(t.fakes().program.quitCalls, 1);
    }
}

void Form1Test::deviceCheckConsole() {
    test::TestApp t(false);
    Form1* main = form1(t.app());
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

// The main window loaded after the program's window table was registered, as the program does.
struct LoadedWithWindows {
    FontScaleOffset offset; // outlives the windows, as in the program
    test::TestApp t{false};
    journal::Journal journal{t.app(), t.folder() + QStringLiteral("/journal")};
    Form1* main = nullptr;

    LoadedWithWindows() {
        t.app().setJournal(&journal);
        registerWindows(t.app(), offset);
    }
    void load() {
        main = form1(t.app());
        t.clearRecords();
    }
};

void Form1Test::launcherEntries_data() {
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < windowTable().size(); ++row) {
        QTest::newRow(qPrintable(windowTable()[row].entry.label.toString())) << int(row);
    }
}

// Each entry of the window table is on the launcher with its caption, and its label and its icon
// ask the App for its feature.
void Form1Test::launcherEntries() {
    QFETCH(int, row);
    const LauncherEntry& entry = windowTable()[std::size_t(row)].entry;
    LoadedWithWindows w;
    QStringList asked;
    for (const WindowRow& other : windowTable()) {
        w.t.app().setOpener(other.entry,
                            [&asked, key = other.entry.label] { asked.append(key.toString()); });
    }
    w.load();
    const QString label = entry.label.toString();
    const QString icon = entry.icon.toString();
    const QString caption = shownText(*w.main, label);
    QVERIFY(!caption.isEmpty());
    // Icon and caption are one control: assistive tools see one button named by the caption (its
    // keys are the kit's launcher entry's). An entry without an icon is its caption.
    QWidget* both = control<QLabel>(*w.main, label)->parentWidget();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(both);
    QCOMPARE(face->role(), QAccessible::PushButton);
    QCOMPARE(face->text(QAccessible::Name), caption);
    QCOMPARE(face->childCount(), 0);
    click<QLabel>(*w.main, label);
    QStringList expected{label};
    if (!icon.isEmpty()) {
        // Stored as its pixels while building: the very picture of its PNG.
        const auto* shown = control<ClickLabel>(*w.main, icon);
        const QImage png(QStringLiteral(KAVU_SOURCE_DIR "/resources/icons/") +
                         QFileInfo(shown->picture()).completeBaseName() + QStringLiteral(".png"));
        QVERIFY(!png.isNull());
        QCOMPARE(shown->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QCOMPARE(control<QLabel>(*w.main, icon)->parentWidget(), both);
        click<QLabel>(*w.main, icon);
        expected << label;
    }
    QCOMPARE(asked, expected);
    QVERIFY(w.t.started().isEmpty());
    QVERIFY(w.main->isVisible());
}

namespace {

QSet<QWidget*> shownWindows() {
    QSet<QWidget*> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            shown.insert(window);
        }
    }
    return shown;
}

} // namespace

// The program's own table: each row opens one window of its own from its label, and its icon (or
// its label again) brings that same window back, starting nothing.
void Form1Test::registeredWindowsOpen() {
    LoadedWithWindows w;
    w.load();
    for (const WindowRow& row : windowTable()) {
        const QByteArray name = row.entry.label.toString().toUtf8();
        const QSet<QWidget*> before = shownWindows();
        click<QLabel>(*w.main, row.entry.label.toString());
        const QSet<QWidget*> opened = shownWindows() - before;
        QVERIFY2(opened.size() == 1, name.constData());
        const QPointer<QWidget> window = *opened.begin();
        click<QLabel>(*w.main, row.entry.icon.isEmpty() ? row.entry.label.toString()
                                                        : row.entry.icon.toString());
        QVERIFY2(!window.isNull() && window->isVisible(), name.constData());
        QVERIFY2(shownWindows() == before + opened, name.constData());
    }
    QVERIFY(w.t.messages().isEmpty());
    QVERIFY(w.t.started().isEmpty());
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
    QCOMPARE(t.lastStarted().line, consoleLine(shell::kTakeScreenshot));

    struct Step {
        QString caption;
        QStringList lines;
    };
    const QList<Step> steps = {
        {QStringLiteral("正在截图..."), {}},
        {QStringLiteral("正在截图..."), {}},
        {QStringLiteral("推送截图..."), {consoleLine(shell::kPullScreenshot)}},
        {QStringLiteral("打开截图..."),
         {consoleLine(shell::kOpenScreenshot), consoleLine(shell::kRemoveScreenshot)}},
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
    QCOMPARE(t.fakes().processes.lines(), QStringList{consoleLine(shell::kPullScreenshot)});
    fireTimer(*main, u"INTERFACETimer"_s, 3);
    QCOMPARE(t.started().size(), 3);
    QCOMPARE(shownText(*main, u"Label22"_s), QStringLiteral("输出截图"));
}

// The notice takes the same positions as a label moved every 5 ms tick, shown a step of a few
// pixels at a time; the timer skips the ticks in between.
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
            if (i + 1 < batch) { // a skipped tick stays within a step
                QVERIFY(std::abs(NoticeScroller::toPixels(left) - shown) <
                        NoticeScroller::kShownStep);
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
            QCOMPARE(notice->x(), shown - NoticeScroller::kShownStep);
        }
        lowest = std::min(lowest, notice->x());
        shown = notice->x();
    }
    QVERIFY(wraps >= 2);
    QCOMPARE(lowest, -59); // -891 twips, just past -890
    // Nobody sees a minimized window's notice: it waits where it was.
    main->showMinimized();
    QVERIFY(!timer->isActive());
    main->showNormal();
    QVERIFY(timer->isActive());
    QCOMPARE(notice->x(), shown);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
