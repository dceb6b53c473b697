#include "app/qt_text.h"
#include "apps/software.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using kavu::launch::WindowMode;

namespace {

const QString kFileList = QStringLiteral("Fileapk");

QString selection(QWidget& window) {
    auto* label = control<QLabel>(window, QStringLiteral("Labelappr"));
    return label ? label->text() : QString();
}

// A ready App with the given files in File/, an earlier command in the command box, and the
// apps window open.
struct Opened {
    explicit Opened(const QStringList& files = {}) {
        for (const QString& name : files) {
            t.addFile(name);
        }
        t.runEarlierCommand();
        window = t.app().open<Software>();
        t.clearRecords();
    }
    // The selection as the window keeps it: folder, separator and name, in the platform's form.
    QString pathOf(const QString& name) const {
        return QDir::toNativeSeparators(QDir(t.fileFolder()).filePath(name));
    }

    test::TestApp t;
    Software* window = nullptr;
};

} // namespace

class SoftwareInstallTest : public QObject {
    Q_OBJECT

private slots:
    void loadsInItsDesignState();
    void refreshLinkCoversOnlyTheBlanks_data();
    void refreshLinkCoversOnlyTheBlanks();
    void executeWithoutPickAsksForAFile();
    void runs_data();
    void runs();
    void pickSurvivesModeChange();
    void refreshReadsTheFolderAgainAndKeepsThePick();
    void filters_data();
    void filters();
    void missingFileFolderIsNamedUntilItAppears();
    void unsafeFileNameIsRefused_data();
    void unsafeFileNameIsRefused();
    void unsafeDestinationIsRefused_data();
    void unsafeDestinationIsRefused();
    void installDoesNotReadTheDestination();
    void openedTwiceIsOneWindow();
    void reopeningLoadsAfresh();
};

void SoftwareInstallTest::loadsInItsDesignState() {
    Opened o({QStringLiteral("b.apk"), QStringLiteral("A.apk"), QStringLiteral("c.zip")});
    QWidget& w = *o.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("软件操作"));
    QVERIFY(w.isVisible());
    QCOMPARE(control<QGroupBox>(w, QStringLiteral("AZAPP"))->title(),
             QStringLiteral("安装软件+传输文件"));
    QCOMPARE(control<QGroupBox>(w, QStringLiteral("googleqjt"))->title(),
             QStringLiteral("冻结Google"));
    QCOMPARE(control<QGroupBox>(w, QStringLiteral("Frameapp"))->title(),
             QStringLiteral("软件调试"));
    QCOMPARE(control<QLabel>(w, QStringLiteral("Lab2el1"))->text(),
             QStringLiteral("将需要安装/发送的文件放入软件目录下“File”文件夹内，") +
                 QString(19, QLatin1Char(' ')) +
                 QStringLiteral("，从右侧选定文件后再从左侧执行操作"));
    QCOMPARE(control<QLabel>(w, QStringLiteral("Label9"))->text(), QStringLiteral("点击此处刷新"));
    QCOMPARE(control<QLabel>(w, QStringLiteral("Labedl2"))->text(),
             QStringLiteral("手机端接收路径：/内置存储/"));
    QVERIFY(isSelected(w, QStringLiteral("insapk")));
    QVERIFY(!isSelected(w, QStringLiteral("insfile")));
    QCOMPARE(control<kavu::OptionButton>(w, QStringLiteral("insapk"))->caption(),
             QStringLiteral("安装APK"));
    QCOMPARE(control<kavu::OptionButton>(w, QStringLiteral("insfile"))->caption(),
             QStringLiteral("传输文件"));
    QCOMPARE(checkValue(w, QStringLiteral("fhz")), 1);
    QCOMPARE(control<kavu::CheckButton>(w, QStringLiteral("fhz"))->caption(),
             QStringLiteral("显示操作结果"));
    QCOMPARE(control<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"))->caption(),
             QStringLiteral("执行"));
    QVERIFY(control<QLineEdit>(w, QStringLiteral("Textpat"))->text().isEmpty());
    QCOMPARE(selection(w), QStringLiteral("1"));
    QVERIFY(!control<QLabel>(w, QStringLiteral("Labelappr"))->isVisible());
    QCOMPARE(entries(w, kFileList),
             (QStringList{QStringLiteral("A.apk"), QStringLiteral("b.apk")}));
    for (const char* name : {"Fileapk", "Textpat", "APPText5"}) {
        QCOMPARE(control<QWidget>(w, QString::fromLatin1(name))->font().families().value(0),
                 QStringLiteral("Consolas"));
    }
    // The refresh link stands inside the instruction line, over its blank run.
    const QRect line = control<QLabel>(w, QStringLiteral("Lab2el1"))->geometry();
    const QRect link = control<QLabel>(w, QStringLiteral("Label9"))->geometry();
    QVERIFY(link.left() > line.left() && link.right() < line.right());
    QVERIFY(o.t.started().isEmpty());
}

void SoftwareInstallTest::refreshLinkCoversOnlyTheBlanks_data() {
    QTest::addColumn<QString>("family");
    for (const QString& face : kBlankWidthFaces) {
        QTest::newRow(qPrintable(face)) << face;
    }
}

void SoftwareInstallTest::refreshLinkCoversOnlyTheBlanks() {
    QFETCH(QString, family);
    const AppFont font(family);
    Opened o;
    auto* line = control<QLabel>(*o.window, QStringLiteral("Lab2el1"));
    auto* link = control<QLabel>(*o.window, QStringLiteral("Label9"));
    const QString text = line->text();
    const QString blanks(19, QLatin1Char(' '));
    QCOMPARE(text.count(blanks), 1);
    const QFontMetrics metrics(line->font());
    const int gapLeft = line->x() + metrics.horizontalAdvance(text.left(text.indexOf(blanks)));
    const int gapRight = gapLeft + metrics.horizontalAdvance(blanks);
    const int linkWidth = QFontMetrics(link->font()).horizontalAdvance(link->text());
    QVERIFY(link->width() >= linkWidth);
    QVERIFY2(link->x() >= gapLeft && link->x() + linkWidth <= gapRight,
             qPrintable(QStringLiteral("link %1..%2, blanks %3..%4")
                            .arg(link->x())
                            .arg(link->x() + linkWidth)
                            .arg(gapLeft)
                            .arg(gapRight)));
    // The whole instruction still fits its line.
    QVERIFY(metrics.horizontalAdvance(text) <= line->width());
}

void SoftwareInstallTest::executeWithoutPickAsksForAFile() {
    Opened o({QStringLiteral("a.apk")});
    click<kavu::N_Shape>(*o.window, QStringLiteral("N_Shapeinsta"));
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, QStringLiteral(" 请从右侧选定一个文件！"));
    QCOMPARE(o.t.messages().first().title, QStringLiteral("警告！"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
    QVERIFY(o.t.started().isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
}

void SoftwareInstallTest::runs_data() {
    QTest::addColumn<bool>("push");
    QTest::addColumn<bool>("showResult");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("destination");
    // %P stands for the picked file's full path.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<int>("mode");

    const QString install = QStringLiteral("adb install \"%P\"");
    QTest::newRow("install, result shown")
        << false << true << QStringLiteral("a.apk") << QString() << install
        << installLive(QStringLiteral("a.apk")) << int(WindowMode::Normal);
    QTest::newRow("install, hidden") << false << false << QStringLiteral("a.apk") << QString()
                                     << install << installResult() << int(WindowMode::Hidden);
    QTest::newRow("install ignores the destination")
        << false << true << QStringLiteral("a.apk") << QStringLiteral("Download") << install
        << installLive(QStringLiteral("a.apk")) << int(WindowMode::Normal);
    QTest::newRow("install, name with blanks")
        << false << true << QStringLiteral("my app 2.apk") << QString() << install
        << installLive(QStringLiteral("my app 2.apk")) << int(WindowMode::Normal);
    QTest::newRow("push, result shown")
        << true << true << QStringLiteral("b.zip") << QStringLiteral("Download")
        << QStringLiteral("adb push \"%P\"   \"/sdcard/Download\"")
        << pushLive(QStringLiteral("b.zip")) << int(WindowMode::Normal);
    QTest::newRow("push, hidden") << true << false << QStringLiteral("b.zip")
                                  << QStringLiteral("Download")
                                  << QStringLiteral("adb push \"%P\"   \"/sdcard/Download\"")
                                  << pushResult() << int(WindowMode::Hidden);
    QTest::newRow("push, no destination")
        << true << true << QStringLiteral("b.zip") << QString()
        << QStringLiteral("adb push \"%P\"   \"/sdcard/\"") << pushLive(QStringLiteral("b.zip"))
        << int(WindowMode::Normal);
    QTest::newRow("push, destination with a blank stays one argument")
        << true << true << QStringLiteral("b.zip") << QStringLiteral("My Files/x")
        << QStringLiteral("adb push \"%P\"   \"/sdcard/My Files/x\"")
        << pushLive(QStringLiteral("b.zip")) << int(WindowMode::Normal);
    QTest::newRow("push, operators inside the quotes are part of the name")
        << true << true << QStringLiteral("b.zip") << QStringLiteral("A & B")
        << QStringLiteral("adb push \"%P\"   \"/sdcard/A & B\"")
        << pushLive(QStringLiteral("b.zip")) << int(WindowMode::Normal);
    QTest::newRow("push, a file without extension")
        << true << false << QStringLiteral("notes") << QStringLiteral("Documents/")
        << QStringLiteral("adb push \"%P\"   \"/sdcard/Documents/\"") << pushResult()
        << int(WindowMode::Hidden);
}

void SoftwareInstallTest::runs() {
    QFETCH(bool, push);
    QFETCH(bool, showResult);
    QFETCH(QString, file);
    QFETCH(QString, destination);
    QFETCH(QString, command);
    QFETCH(QString, suffix);
    QFETCH(int, mode);

    Opened o({file, QStringLiteral("other.apk")});
    QWidget& w = *o.window;
    if (push) {
        click<kavu::OptionButton>(w, QStringLiteral("insfile"));
    }
    if (!showResult) {
        click<kavu::CheckButton>(w, QStringLiteral("fhz"));
        QCOMPARE(checkValue(w, QStringLiteral("fhz")), 0);
    }
    typeInto(w, QStringLiteral("Textpat"), destination);
    pick(w, kFileList, file);
    QCOMPARE(selection(w), o.pathOf(file));
    QVERIFY(o.t.started().isEmpty());

    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    const QString expected = command.replace(QStringLiteral("%P"), o.pathOf(file));
    QVERIFY(o.t.messages().isEmpty());
    QCOMPARE(o.t.started().size(), 1);
    QCOMPARE(o.t.commandBox(), expected);
    const QString prefix = showResult ? kConsolePrefix : kHiddenPrefix;
    QCOMPARE(o.t.lastStarted().line, prefix + expected + suffix);
    QCOMPARE(int(o.t.lastStarted().mode), mode);

    // A second click starts a second, identical console.
    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    QCOMPARE(o.t.started().size(), 2);
    QCOMPARE(o.t.started().at(1).line, o.t.started().at(0).line);
}

void SoftwareInstallTest::pickSurvivesModeChange() {
    Opened o({QStringLiteral("a.apk"), QStringLiteral("b.zip")});
    QWidget& w = *o.window;
    click<kavu::OptionButton>(w, QStringLiteral("insfile"));
    QCOMPARE(entries(w, kFileList),
             (QStringList{QStringLiteral("a.apk"), QStringLiteral("b.zip")}));
    pick(w, kFileList, QStringLiteral("b.zip"));

    click<kavu::OptionButton>(w, QStringLiteral("insapk"));
    QVERIFY(isSelected(w, QStringLiteral("insapk")));
    QVERIFY(!isSelected(w, QStringLiteral("insfile")));
    QCOMPARE(entries(w, kFileList), QStringList{QStringLiteral("a.apk")});
    QCOMPARE(selection(w), o.pathOf(QStringLiteral("b.zip")));

    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    const QString expected =
        QStringLiteral("adb install \"") + o.pathOf(QStringLiteral("b.zip")) + QStringLiteral("\"");
    QCOMPARE(o.t.commandBox(), expected);
    // The list has no picked entry now, so the title names no file.
    QCOMPARE(o.t.lastStarted().line, kConsolePrefix + expected + installLive({}));
}

void SoftwareInstallTest::refreshReadsTheFolderAgainAndKeepsThePick() {
    Opened o({QStringLiteral("a.apk")});
    QWidget& w = *o.window;
    pick(w, kFileList, QStringLiteral("a.apk"));
    o.t.addFile(QStringLiteral("new.apk"));
    o.t.addFile(QStringLiteral("new.txt"));
    QCOMPARE(entries(w, kFileList), QStringList{QStringLiteral("a.apk")});

    click<kavu::ClickLabel>(w, QStringLiteral("Label9"));
    QCOMPARE(entries(w, kFileList),
             (QStringList{QStringLiteral("a.apk"), QStringLiteral("new.apk")}));
    QCOMPARE(selection(w), o.pathOf(QStringLiteral("a.apk")));
    QVERIFY(o.t.started().isEmpty());

    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    const QString expected =
        QStringLiteral("adb install \"") + o.pathOf(QStringLiteral("a.apk")) + QStringLiteral("\"");
    // The kept pick is the list's picked entry again, so the title names it.
    QCOMPARE(o.t.lastStarted().line,
             kConsolePrefix + expected + installLive(QStringLiteral("a.apk")));

    // The refresh keeps the filter of the mode.
    click<kavu::OptionButton>(w, QStringLiteral("insfile"));
    click<kavu::ClickLabel>(w, QStringLiteral("Label9"));
    QCOMPARE(entries(w, kFileList), (QStringList{QStringLiteral("a.apk"), QStringLiteral("new.apk"),
                                                 QStringLiteral("new.txt")}));
}

void SoftwareInstallTest::filters_data() {
    QTest::addColumn<bool>("allFiles");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("install lists packages")
        << false
        << QStringList{QStringLiteral("a.apk"), QStringLiteral("B.APK"), QStringLiteral("z.apk")};
    QTest::newRow("push lists every plain file")
        << true
        << QStringList{QStringLiteral("a.apk"), QStringLiteral("B.APK"), QStringLiteral("c.txt"),
                       QStringLiteral("noext"), QStringLiteral("z.apk")};
}

void SoftwareInstallTest::filters() {
    QFETCH(bool, allFiles);
    QFETCH(QStringList, expected);
    Opened o({QStringLiteral("z.apk"), QStringLiteral("c.txt"), QStringLiteral("B.APK"),
              QStringLiteral("a.apk"), QStringLiteral("noext"), QStringLiteral(".hidden.apk")});
    QVERIFY(QDir(o.t.fileFolder()).mkdir(QStringLiteral("folder.apk")));
    click<kavu::ClickLabel>(*o.window, QStringLiteral("Label9"));
    if (allFiles) {
        click<kavu::OptionButton>(*o.window, QStringLiteral("insfile"));
    }
    QCOMPARE(entries(*o.window, kFileList), expected);
}

void SoftwareInstallTest::missingFileFolderIsNamedUntilItAppears() {
    test::TestApp t;
    QVERIFY(QDir(t.fileFolder()).removeRecursively());
    Software* w = t.app().open<Software>();
    const auto namesTheFolder = [&] {
        const QStringList shown = entries(*w, kFileList);
        return shown.size() == 1 && shown.front().startsWith(QStringLiteral("无法读取File文件夹"));
    };
    QVERIFY(namesTheFolder());
    click<kavu::OptionButton>(*w, QStringLiteral("insfile"));
    click<kavu::ClickLabel>(*w, QStringLiteral("Label9"));
    QVERIFY(namesTheFolder());
    QCOMPARE(selection(*w), QStringLiteral("1"));

    // The folder appears later: a refresh shows it.
    QVERIFY(QDir(t.folder()).mkdir(QStringLiteral("File")));
    t.addFile(QStringLiteral("late.bin"));
    click<kavu::ClickLabel>(*w, QStringLiteral("Label9"));
    QCOMPARE(entries(*w, kFileList), QStringList{QStringLiteral("late.bin")});
    QVERIFY(t.started().isEmpty());
    QVERIFY(t.messages().isEmpty());
}

void SoftwareInstallTest::unsafeFileNameIsRefused_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("push");
    QTest::newRow("ampersand") << QStringLiteral("a&calc.apk") << false;
    QTest::newRow("bar") << QStringLiteral("a|b.apk") << false;
    QTest::newRow("less") << QStringLiteral("a<b.apk") << false;
    QTest::newRow("greater") << QStringLiteral("a>b.zip") << true;
    QTest::newRow("caret") << QStringLiteral("a^b.zip") << true;
    QTest::newRow("double quote") << QStringLiteral("a\"b.apk") << false;
    QTest::newRow("expansion") << QStringLiteral("%LESSOPEN%.apk") << false;
    QTest::newRow("control character") << QStringLiteral("a\x01"
                                                         "b.zip")
                                       << true;
    QTest::newRow("line break") << QStringLiteral("a\nb.zip") << true;
}

void SoftwareInstallTest::unsafeFileNameIsRefused() {
    QFETCH(QString, file);
    QFETCH(bool, push);
    Opened o({file});
    QWidget& w = *o.window;
    if (push) {
        click<kavu::OptionButton>(w, QStringLiteral("insfile"));
    }
    pick(w, kFileList, file);
    QCOMPARE(selection(w), o.pathOf(file));
    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().title, QStringLiteral("警告！"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
    QVERIFY(o.t.messages().first().text.contains(QStringLiteral("重命名")));
    QVERIFY(o.t.started().isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
}

void SoftwareInstallTest::unsafeDestinationIsRefused_data() {
    QTest::addColumn<QString>("destination");
    // The destination stands inside double quotes: only what ends the quotes or expands is refused.
    QTest::newRow("double quote") << QStringLiteral("x\" & calc");
    QTest::newRow("expansion") << QStringLiteral("%LESSOPEN%");
    QTest::newRow("trailing backslash") << QStringLiteral("Download\\");
    QTest::newRow("line break") << QStringLiteral("x\ncalc");
}

void SoftwareInstallTest::unsafeDestinationIsRefused() {
    QFETCH(QString, destination);
    Opened o({QStringLiteral("b.zip")});
    QWidget& w = *o.window;
    click<kavu::OptionButton>(w, QStringLiteral("insfile"));
    control<QLineEdit>(w, QStringLiteral("Textpat"))->setText(destination);
    pick(w, kFileList, QStringLiteral("b.zip"));
    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, qtText(kUnsafeTextMessage));
    QCOMPARE(o.t.messages().first().title, QStringLiteral("警告!"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
    QVERIFY(o.t.started().isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
}

void SoftwareInstallTest::installDoesNotReadTheDestination() {
    // The destination box only matters for a push: an install runs whatever it holds.
    Opened o({QStringLiteral("a.apk")});
    QWidget& w = *o.window;
    control<QLineEdit>(w, QStringLiteral("Textpat"))->setText(QStringLiteral("x & calc"));
    pick(w, kFileList, QStringLiteral("a.apk"));
    click<kavu::N_Shape>(w, QStringLiteral("N_Shapeinsta"));
    QVERIFY(o.t.messages().isEmpty());
    const QString expected =
        QStringLiteral("adb install \"") + o.pathOf(QStringLiteral("a.apk")) + QStringLiteral("\"");
    QCOMPARE(o.t.commandBox(), expected);
    QCOMPARE(o.t.lastStarted().line,
             kConsolePrefix + expected + installLive(QStringLiteral("a.apk")));
}

void SoftwareInstallTest::openedTwiceIsOneWindow() {
    Opened o({QStringLiteral("a.apk")});
    pick(*o.window, kFileList, QStringLiteral("a.apk"));
    click<kavu::OptionButton>(*o.window, QStringLiteral("insfile"));
    QCOMPARE(o.t.app().open<Software>(), o.window);
    QCOMPARE(selection(*o.window), o.pathOf(QStringLiteral("a.apk")));
    QVERIFY(isSelected(*o.window, QStringLiteral("insfile")));
}

void SoftwareInstallTest::reopeningLoadsAfresh() {
    Opened o({QStringLiteral("a.apk"), QStringLiteral("b.zip")});
    QWidget& w = *o.window;
    click<kavu::OptionButton>(w, QStringLiteral("insfile"));
    pick(w, kFileList, QStringLiteral("b.zip"));
    click<kavu::CheckButton>(w, QStringLiteral("fhz"));
    typeInto(w, QStringLiteral("Textpat"), QStringLiteral("Download"));
    typeInto(w, QStringLiteral("APPText5"), QStringLiteral("com.example.app"));
    closeWindow(o.window);
    QVERIFY(o.t.app().find<Software>() == nullptr);

    Software* again = o.t.app().open<Software>();
    QVERIFY(again->isVisible());
    QVERIFY(isSelected(*again, QStringLiteral("insapk")));
    QVERIFY(!isSelected(*again, QStringLiteral("insfile")));
    QCOMPARE(checkValue(*again, QStringLiteral("fhz")), 1);
    QVERIFY(control<QLineEdit>(*again, QStringLiteral("Textpat"))->text().isEmpty());
    QVERIFY(again->packageName().isEmpty());
    QCOMPARE(selection(*again), QStringLiteral("1"));
    QCOMPARE(entries(*again, kFileList), QStringList{QStringLiteral("a.apk")});
}

QTEST_MAIN(SoftwareInstallTest)
#include "software_install_test.moc"
