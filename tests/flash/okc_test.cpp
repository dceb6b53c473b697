#include "flash/okc.h"

#include "app/qt_text.h"
#include "core/typed_text.h"
#include "flash/flash_commands.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace kavu;
using kavu::launch::WindowMode;
using kavu::test::AppFont;
using kavu::test::click;
using kavu::test::control;
using kavu::test::kBlankWidthFaces;

Q_DECLARE_METATYPE(const kavu::FixedCommand*)

namespace {

const QString kClosing = u"&& echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"_s;
// The image's path stands only inside double quotes: the message names just what they refuse.
const QString kRename = u"所选文件的路径含有不允许的字符（\" % 或换行等控制字符）或以 \\ 结尾，"
                        u"请重命名该文件后点击“点击此处刷新”重新选择！"_s;
const QStringList kPartitions = {u"recf"_s, u"sysf"_s, u"perf"_s, u"botf"_s, u"zdyf"_s};

// The window open over a File folder holding files, with an earlier command in the box.
struct Opened {
    explicit Opened(const QStringList& files = {}) {
        for (const QString& name : files) {
            t.addFile(name);
        }
        t.runEarlierCommand();
        w = t.app().open<OKC>();
        t.clearRecords();
    }
    QString path(const QString& name) const {
        return QDir::toNativeSeparators(QDir(t.fileFolder()).filePath(name));
    }
    QString selected() const {
        QStringList names;
        for (const QString& name : kPartitions) {
            if (test::isSelected(*w, name)) {
                names << name;
            }
        }
        return names.join(u',');
    }
    QStringList listed() const { return test::entries(*w, u"File1"_s); }
    void pick(const QString& name) { test::pick(*w, u"File1"_s, name); }
    bool paused() const {
        return std::any_of(t.events().begin(), t.events().end(),
                           [](const test::Event& e) { return e.kind == test::Event::Pause; });
    }

    test::TestApp t;
    OKC* w = nullptr;
};

} // namespace

class OkcTest : public QObject {
    Q_OBJECT

private slots:
    void loadsInItsDesignState();
    void instructionFitsWithTheLinkOverItsBlanks_data();
    void instructionFitsWithTheLinkOverItsBlanks();
    void flashes_data();
    void flashes();
    void listTakingTheFocusPicksItsEntry();
    void fixedButtons_data();
    void fixedButtons();
    void customNameBoxFollowsTheCustomOption();
    void refusals_data();
    void refusals();
    void pickSurvivesRefreshesAndReopeningStartsAfresh();
};

void OkcTest::loadsInItsDesignState() {
    Opened o({u"b.img"_s, u"A.IMG"_s, u"c.zip"_s, u"boot.img.bak"_s});
    QCOMPARE(o.w->windowTitle(), u"刷机功能合集"_s);
    const QList<std::pair<const char*, QString>> captions = {
        {"YJML", u"重启到指定模式"_s},
        {"Fra23me1", u"激活脚本"_s},
        {"Frame1rec", u"Fastboot线刷"_s},
        {"Framefq1", u"分区选择"_s},
        {"Label9", u"点击此处刷新"_s},
        {"REC", u"Recovery"_s},
        {"FB", u"Fastboot(BL)"_s},
        {"EDL", u"EDL (9008) "_s},
        {"DOWNLOAD", u"Download(挖煤)"_s},
        {"ACTHY", u"黑阈激活"_s},
        {"SHIZUKU", u"SHIZUKU 激活"_s},
        {"recf", u"Recovery"_s},
        {"perf", u"Persist"_s},
        {"sysf", u"System"_s},
        {"zdyf", u"自定义"_s},
        {"botf", u"Boot"_s},
        {"N_Shapeshuaru", u"刷入"_s},
        {"N_Shapetefb1", u"检测FB设备"_s},
        {"N_Shaperebfb", u"重启(FB)"_s},
        {"N_ShapeADB", u"重启(ADB)"_s},
        {"Labelappr", u"Label1"_s},
        {"Label6ml22h",
         u"确保设备已解锁，并处于Fastboot模式。先将img文件放入软件目录下的“File”文件夹内，"_s +
             QString(19, u' ') + u"，选定镜像后再从右侧选择分区，点击刷入即可"_s}};
    for (const auto& [name, caption] : captions) {
        QCOMPARE(test::shownText(*o.w, QString::fromLatin1(name)), caption);
    }
    QCOMPARE(o.listed(), (QStringList{u"A.IMG"_s, u"b.img"_s}));
    QCOMPARE(o.selected(), u"recf"_s);
    QVERIFY(control<QWidget>(*o.w, u"Textzdy"_s)->isHidden());
    QVERIFY(control<QLabel>(*o.w, u"Labelappr"_s)->isHidden());
    QCOMPARE(control<QWidget>(*o.w, u"File1"_s)->font().families().value(0), u"Consolas"_s);
    QCOMPARE(control<QWidget>(*o.w, u"Textzdy"_s)->font().families().value(0), u"Consolas"_s);

    const auto at = [&o](const char* name) {
        return control<QWidget>(*o.w, QString::fromLatin1(name))->geometry();
    };
    // The two small frames side by side above the flashing frame, which spans them.
    QVERIFY(at("YJML").top() == at("Fra23me1").top() && at("YJML").right() < at("Fra23me1").left());
    QVERIFY(at("Fra23me1").bottom() < at("Frame1rec").top());
    QVERIFY(at("Frame1rec").left() <= at("YJML").left() &&
            at("Frame1rec").right() >= at("Fra23me1").right());
    // Recovery, System, Boot down the left column; Persist, 自定义 and the name box on the right.
    for (const auto& [upper, lower] :
         {std::pair{"recf", "sysf"}, {"sysf", "botf"}, {"perf", "zdyf"}, {"zdyf", "Textzdy"}}) {
        QVERIFY2(at(upper).bottom() < at(lower).top() && at(upper).left() == at(lower).left(),
                 lower);
    }
    QVERIFY(at("recf").right() < at("perf").left() && at("recf").top() == at("perf").top());
    // One row of buttons below the list, in order.
    const char* row[] = {"N_Shapeshuaru", "N_Shapetefb1", "N_Shaperebfb", "N_ShapeADB"};
    for (int i = 1; i < 4; ++i) {
        QVERIFY(at(row[i]).top() == at(row[0]).top() && at(row[i - 1]).right() < at(row[i]).left());
    }
    QVERIFY(at(row[0]).top() > at("File1").bottom());
    QVERIFY(o.t.started().isEmpty());
}

void OkcTest::instructionFitsWithTheLinkOverItsBlanks_data() {
    QTest::addColumn<QString>("family");
    for (const QString& face : kBlankWidthFaces) {
        QTest::newRow(qPrintable(face)) << face;
    }
}

void OkcTest::instructionFitsWithTheLinkOverItsBlanks() {
    QFETCH(QString, family);
    const AppFont font(family);
    Opened o;
    const QLabel* line = control<QLabel>(*o.w, u"Label6ml22h"_s);
    const QLabel* link = control<QLabel>(*o.w, u"Label9"_s);
    const QFontMetrics metrics(line->font());
    const QString text = line->text();
    const QString blanks(19, u' ');
    const int gap = line->x() + metrics.horizontalAdvance(text.left(text.indexOf(blanks)));
    const int linkWidth = QFontMetrics(link->font()).horizontalAdvance(link->text());
    QVERIFY(link->x() >= gap && link->x() + linkWidth <= gap + metrics.horizontalAdvance(blanks));
    QVERIFY(metrics.horizontalAdvance(text) <= line->width());
}

void OkcTest::flashes_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("command"); // %P: the picked image's full path
    const auto row = [](const char* title, const QString& option, const QString& name,
                        const QString& file, const QString& command) {
        QTest::newRow(title) << option << name << file << command;
    };
    row("recovery", u"recf"_s, {}, u"twrp.img"_s, u"fastboot flash recovery \"%P\""_s);
    row("system", u"sysf"_s, {}, u"s.img"_s, u"fastboot flash system \"%P\""_s);
    row("persist", u"perf"_s, {}, u"p.img"_s, u"fastboot flash persist \"%P\""_s);
    // A blank or an operator in the path stays inside the quotes, one argument for fastboot.
    row("boot", u"botf"_s, {}, u"my boot&1.img"_s, u"fastboot flash boot \"%P\""_s);
    row("custom", u"zdyf"_s, u"vendor_boot"_s, u"v.img"_s, u"fastboot flash vendor_boot \"%P\""_s);
    row("name typed, another partition", u"sysf"_s, u"x"_s, u"s.img"_s,
        u"fastboot flash system \"%P\""_s);
}

void OkcTest::flashes() {
    QFETCH(QString, option);
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(QString, command);
    Opened o({file, u"other.img"_s});
    click(*o.w, u"zdyf"_s);
    test::typeInto(*o.w, u"Textzdy"_s, name);
    click(*o.w, option);
    o.pick(file);
    click(*o.w, u"N_Shapeshuaru"_s);

    const QString image = o.path(file);
    const QString flash = command.replace(u"%P"_s, image);
    const bool recovery = option == u"recf"_s;
    QVERIFY(o.t.messages().isEmpty());
    QCOMPARE(o.t.started().size(), recovery ? 2 : 1);
    QCOMPARE(o.t.started().first().line,
             u"cmd /k "_s + flash + u"&& COLOR 3f && echo. && echo 刷入完成！"_s +
                 (recovery ? u"&& echo 手机可能会重启一到两次后自动进入rec，为正常现象！"_s
                           : QString()) +
                 kClosing);
    QCOMPARE(o.t.started().first().mode, WindowMode::Normal);
    if (recovery) {
        // The image is booted once, hidden, after a wait that follows the flash console.
        const QString boot = u"fastboot boot \""_s + image + u"\""_s;
        QCOMPARE(
            o.t.events().mid(1, 2),
            (test::EventLog{test::Event::pause(4500), test::Event::command(u"cmd /c "_s + boot)}));
        QCOMPARE(o.t.lastStarted().line, u"cmd /c "_s + boot);
        QCOMPARE(o.t.lastStarted().mode, WindowMode::Hidden);
        QCOMPARE(o.t.commandBox(), boot);
    } else {
        QVERIFY(!o.paused());
        QCOMPARE(o.t.commandBox(), flash);
    }
}

// Each fixed button runs its module command; the lines are pinned in flash_commands_test.
void OkcTest::fixedButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<const FixedCommand*>("command");
    const auto row = [](const char* button, const FixedCommand& command) {
        QTest::newRow(button) << QString::fromLatin1(button) << &command;
    };
    row("REC", flash::kRebootRecovery);
    row("FB", flash::kRebootBootloader);
    row("EDL", flash::kRebootEdl);
    row("DOWNLOAD", flash::kRebootDownload);
    row("N_Shaperebfb", flash::kFastbootReboot);
    row("N_ShapeADB", flash::kAdbReboot);
    row("ACTHY", flash::kBreventStart);
    row("SHIZUKU", flash::kShizukuStart);
    row("N_Shapetefb1", flash::kFastbootDevices);
}

void OkcTest::fixedButtons() {
    QFETCH(QString, button);
    QFETCH(const FixedCommand*, command);
    // Nothing picked and an unnamed custom partition: these buttons read neither.
    Opened o;
    click(*o.w, u"zdyf"_s);
    click(*o.w, button);
    QVERIFY2(o.t.ranOnly(*command), o.t.mismatch());
}

void OkcTest::customNameBoxFollowsTheCustomOption() {
    Opened o;
    const QWidget* box = control<QWidget>(*o.w, u"Textzdy"_s);
    for (const QString& other : {u"recf"_s, u"sysf"_s, u"perf"_s, u"botf"_s}) {
        click(*o.w, u"zdyf"_s);
        QVERIFY(box->isVisible());
        test::typeInto(*o.w, u"Textzdy"_s, other);
        click(*o.w, other);
        QCOMPARE(o.selected(), other);
        QVERIFY(box->isHidden());
        QCOMPARE(box->property("text").toString(), other);
    }
}

// Tab into a list of one image: the entry the focus lands on is the one "刷入" flashes.
void OkcTest::listTakingTheFocusPicksItsEntry() {
    Opened o({u"only.img"_s});
    click(*o.w, u"sysf"_s);
    QVERIFY(QTest::qWaitForWindowActive(o.w));
    control<QListWidget>(*o.w, u"File1"_s)->setFocus(Qt::TabFocusReason);
    click(*o.w, u"N_Shapeshuaru"_s);
    QVERIFY(o.t.messages().isEmpty());
    QCOMPARE(o.t.started().size(), 1);
    QVERIFY(o.t.started().first().line.contains(u"fastboot flash system \""_s +
                                                o.path(u"only.img"_s) + u'"'));
}

void OkcTest::refusals_data() {
    QTest::addColumn<QString>("file"); // empty: nothing picked
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("no pick") << QString() << u"zdyf"_s << u"boot"_s << u" 请从左侧选定一个文件！"_s
                             << u"警告！"_s;
    QTest::newRow("quote in name")
        << u"a\"b.img"_s << u"recf"_s << QString() << kRename << u"警告！"_s;
    QTest::newRow("expansion") << u"%TEMP%.img"_s << u"sysf"_s << QString() << kRename
                               << u"警告！"_s;
    QTest::newRow("custom, no name")
        << u"v.img"_s << u"zdyf"_s << QString() << u"请填写分区名！"_s << u"警告!"_s;
    QTest::newRow("name chains") << u"v.img"_s << u"zdyf"_s << u"boot&calc"_s
                                 << qtText(kInvalidPartitionNameMessage) << u"警告!"_s;
}

void OkcTest::refusals() {
    QFETCH(QString, file);
    QFETCH(QString, option);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Opened o({file.isEmpty() ? u"x.img"_s : file});
    click(*o.w, option);
    control<QWidget>(*o.w, u"Textzdy"_s)->setProperty("text", name);
    if (!file.isEmpty()) {
        o.pick(file);
    }
    click(*o.w, u"N_Shapeshuaru"_s);
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, message);
    QCOMPARE(o.t.messages().first().title, title);
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
    QVERIFY(o.t.started().isEmpty() && !o.paused());
    QCOMPARE(o.t.commandBox(), test::kEarlierCommand);
}

void OkcTest::pickSurvivesRefreshesAndReopeningStartsAfresh() {
    Opened o({u"a.img"_s});
    o.pick(u"a.img"_s);
    o.t.addFile(u"new.img"_s);
    o.t.addFile(u"new.bin"_s);
    click(*o.w, u"Label9"_s);
    click(*o.w, u"zdyf"_s);
    test::typeInto(*o.w, u"Textzdy"_s, u"dtbo"_s);
    click(*o.w, u"botf"_s);
    QCOMPARE(o.listed(), (QStringList{u"a.img"_s, u"new.img"_s}));
    QCOMPARE(test::shownText(*o.w, u"Labelappr"_s), o.path(u"a.img"_s));

    click(*o.w, u"zdyf"_s);
    test::closeWindow(o.w);
    QVERIFY(o.t.app().find<OKC>() == nullptr);
    o.w = o.t.app().open<OKC>();
    QCOMPARE(o.selected(), u"recf"_s);
    QVERIFY(control<QWidget>(*o.w, u"Textzdy"_s)->isHidden());
    QVERIFY(control<QWidget>(*o.w, u"Textzdy"_s)->property("text").toString().isEmpty());
    QCOMPARE(test::shownText(*o.w, u"Labelappr"_s), u"Label1"_s);
    QVERIFY(o.t.started().isEmpty() && o.t.messages().isEmpty());
}

QTEST_MAIN(OkcTest)
#include "okc_test.moc"
