#include "flash/okc.h"

#include "core/typed_text.h"
#include "shell/form1.h"
#include "shell/qt_text.h"
#include "support/driving.h"
#include "support/test_app.h"
#include "widgets/n_shape.h"
#include "widgets/option_button.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using kavu::OKC;
using kavu::launch::WindowMode;
using kavu::test::click;
using kavu::test::control;

namespace {

const QString kEarlierCommand = u"adb shell echo earlier"_s;
const QString kFlashDone =
    u"&& COLOR 3f && echo. && echo 刷入完成！&& echo. && echo 按任意键关闭此窗口... "
    u"&& pause>nul && EXIT"_s;
const QString kRecoveryFlashDone = u"&& COLOR 3f && echo. && echo 刷入完成！&& echo "
                                   u"手机可能会重启一到两次后自动进入rec，为正常现象！"
                                   u"&& echo. && echo 按任意键关闭此窗口... && pause>nul && EXIT"_s;
const QStringList kPartitionOptions = {u"recf"_s, u"sysf"_s, u"perf"_s, u"botf"_s, u"zdyf"_s};

// Notes, for each pause, how many lines had started and what the command box held.
class OrderingPause final : public kavu::Pause {
public:
    explicit OrderingPause(const QList<kavu::test::StartedLine>& started)
        : m_started(started) {}
    void sleep(int milliseconds) override {
        slept << milliseconds;
        linesStartedBefore << m_started.size();
        commandBoxBefore << (app ? app->form1()->commandBox().text() : QString());
    }
    kavu::App* app = nullptr;
    QList<int> slept;
    QList<qsizetype> linesStartedBefore;
    QStringList commandBoxBefore;

private:
    const QList<kavu::test::StartedLine>& m_started;
};

QString selection(QWidget& w) {
    return control<QLabel>(w, u"Labelappr"_s)->text();
}

QStringList listed(QWidget& w) {
    QStringList names;
    auto* list = control<QListWidget>(w, u"File1"_s);
    for (int row = 0; row < list->count(); ++row) {
        names << list->item(row)->text();
    }
    return names;
}

void pick(QWidget& w, const QString& name) {
    auto* list = control<QListWidget>(w, u"File1"_s);
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

QString selectedOptions(QWidget& w) {
    QStringList selected;
    for (const QString& name : kPartitionOptions) {
        if (control<OptionButton>(w, name)->value()) {
            selected << name;
        }
    }
    return selected.join(u',');
}

// The window open over a File folder holding files, with an earlier command in the box.
struct Opened {
    explicit Opened(const QStringList& files = {}) {
        for (const QString& name : files) {
            t.addFile(name);
        }
        t.run(kEarlierCommand, kavu::launch::kHidden);
        window = t.app().open<OKC>();
        t.clearRecords();
    }
    QString pathOf(const QString& name) const {
        return QDir::toNativeSeparators(QDir(t.fileFolder()).filePath(name));
    }

    kavu::test::TestApp t;
    OKC* window = nullptr;
};

} // namespace

class OkcTest : public QObject {
    Q_OBJECT

private slots:
    void loadsInItsDesignState();
    void refreshLinkOverTheBlanks_data();
    void refreshLinkOverTheBlanks();
    void captions_data();
    void captions();
    void flashes_data();
    void flashes();
    void recoveryFlashBootsTheImageAfterTheWait();
    void fixedButtons_data();
    void fixedButtons();
    void customNameBoxFollowsTheCustomOption();
    void pickSurvivesRefreshAndPartitionChange();
    void refusals_data();
    void refusals();
    void missingFileFolderShowsAnEmptyList();
    void reopeningStartsFromTheDefaults();
};

void OkcTest::loadsInItsDesignState() {
    Opened o({u"b.img"_s, u"A.IMG"_s, u"c.zip"_s, u"boot.img.bak"_s});
    QWidget& w = *o.window;
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), u"刷机功能合集"_s);
    QCOMPARE(listed(w), (QStringList{u"A.IMG"_s, u"b.img"_s}));
    QCOMPARE(selectedOptions(w), u"recf"_s);
    QVERIFY(control<QLineEdit>(w, u"Textzdy"_s)->isHidden());
    QVERIFY(control<QLineEdit>(w, u"Textzdy"_s)->text().isEmpty());
    QCOMPARE(selection(w), u"Label1"_s);
    QVERIFY(control<QLabel>(w, u"Labelappr"_s)->isHidden());
    for (const QString& name : {u"File1"_s, u"Textzdy"_s}) {
        QCOMPARE(control<QWidget>(w, name)->font().families().value(0), u"Consolas"_s);
    }

    // "重启到指定模式" and "激活脚本" side by side, "Fastboot线刷" across the width below.
    const QRect modes = control<QGroupBox>(w, u"YJML"_s)->geometry();
    const QRect scripts = control<QGroupBox>(w, u"Fra23me1"_s)->geometry();
    const QRect flashing = control<QGroupBox>(w, u"Frame1rec"_s)->geometry();
    QCOMPARE(modes.top(), scripts.top());
    QVERIFY(modes.right() < scripts.left());
    QVERIFY(qMax(modes.bottom(), scripts.bottom()) < flashing.top());
    QVERIFY(flashing.left() <= modes.left() && flashing.right() >= scripts.right());

    // The options in two columns of one group; the name box below "自定义".
    const auto at = [&w](const QString& name) { return control<QWidget>(w, name)->geometry(); };
    QVERIFY(at(u"recf"_s).bottom() < at(u"sysf"_s).top());
    QVERIFY(at(u"sysf"_s).bottom() < at(u"botf"_s).top());
    QVERIFY(at(u"perf"_s).bottom() < at(u"zdyf"_s).top());
    QVERIFY(at(u"zdyf"_s).bottom() < at(u"Textzdy"_s).top());
    QVERIFY(at(u"recf"_s).right() < at(u"perf"_s).left());
    for (const QString& name : kPartitionOptions) {
        QCOMPARE(control<OptionButton>(w, name)->parentWidget()->objectName(), u"Framefq1"_s);
        QCOMPARE(control<OptionButton>(w, name)->group(), 0);
    }
    // The four buttons in one row below the list, in their order.
    const QStringList row = {u"N_Shapeshuaru"_s, u"N_Shapetefb1"_s, u"N_Shaperebfb"_s,
                             u"N_ShapeADB"_s};
    for (qsizetype i = 0; i < row.size(); ++i) {
        QCOMPARE(at(row[i]).top(), at(row[0]).top());
        QVERIFY(at(row[i]).top() > at(u"File1"_s).bottom());
        QVERIFY(i == 0 || at(row[i - 1]).right() < at(row[i]).left());
    }

    QCOMPARE(control<QLabel>(w, u"Label6ml22h"_s)->text(),
             u"确保设备已解锁，并处于Fastboot模式。先将img文件放入软件目录下的“File”文件夹内，"_s +
                 QString(19, u' ') + u"，选定镜像后再从右侧选择分区，点击刷入即可"_s);
    QVERIFY(o.t.started().isEmpty());
}

void OkcTest::refreshLinkOverTheBlanks_data() {
    QTest::addColumn<QString>("family");
    // Blanks narrower than the link, about as wide, and wider.
    QTest::newRow("narrow blanks") << u"Noto Sans CJK SC"_s;
    QTest::newRow("proportional") << u"DejaVu Sans"_s;
    QTest::newRow("monospaced") << u"Noto Sans Mono CJK SC"_s;
}

void OkcTest::refreshLinkOverTheBlanks() {
    QFETCH(QString, family);
    const QFont before = QApplication::font();
    QApplication::setFont(QFont(family, 9));
    Opened o;
    QApplication::setFont(before);
    auto* line = control<QLabel>(*o.window, u"Label6ml22h"_s);
    auto* link = control<QLabel>(*o.window, u"Label9"_s);
    const QString blanks(19, u' ');
    const QFontMetrics metrics(line->font());
    const int gapLeft =
        line->x() + metrics.horizontalAdvance(line->text().left(line->text().indexOf(blanks)));
    const int linkWidth = QFontMetrics(link->font()).horizontalAdvance(link->text());
    QVERIFY(link->x() >= gapLeft &&
            link->x() + linkWidth <= gapLeft + metrics.horizontalAdvance(blanks));
    // The whole instruction fits its line.
    QVERIFY(metrics.horizontalAdvance(line->text()) <= line->width());
}

void OkcTest::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* name, const QString& caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << caption;
    };
    row("YJML", u"重启到指定模式"_s);
    row("Fra23me1", u"激活脚本"_s);
    row("Frame1rec", u"Fastboot线刷"_s);
    row("Framefq1", u"分区选择"_s);
    row("Label9", u"点击此处刷新"_s);
    row("REC", u"Recovery"_s);
    row("FB", u"Fastboot(BL)"_s);
    row("EDL", u"EDL (9008) "_s);
    row("DOWNLOAD", u"Download(挖煤)"_s);
    row("ACTHY", u"黑阈激活"_s);
    row("SHIZUKU", u"SHIZUKU 激活"_s);
    row("recf", u"Recovery"_s);
    row("perf", u"Persist"_s);
    row("sysf", u"System"_s);
    row("zdyf", u"自定义"_s);
    row("botf", u"Boot"_s);
    row("N_Shapeshuaru", u"刷入"_s);
    row("N_Shapetefb1", u"检测FB设备"_s);
    row("N_Shaperebfb", u"重启(FB)"_s);
    row("N_ShapeADB", u"重启(ADB)"_s);
}

void OkcTest::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Opened o;
    QWidget* control = o.window->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QCOMPARE(frame->title(), caption);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
    } else {
        QCOMPARE(control->property("Caption").toString(), caption);
    }
}

void OkcTest::flashes_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("customName");
    QTest::addColumn<QString>("file");
    // %P stands for the picked image's full path.
    QTest::addColumn<QString>("command");

    QTest::newRow("system") << u"sysf"_s << QString() << u"s.img"_s
                            << u"fastboot flash system \"%P\""_s;
    QTest::newRow("persist") << u"perf"_s << QString() << u"p.img"_s
                             << u"fastboot flash persist \"%P\""_s;
    QTest::newRow("boot, a blank and an ampersand stay inside the quotes")
        << u"botf"_s << QString() << u"my boot&1.img"_s << u"fastboot flash boot \"%P\""_s;
    QTest::newRow("custom") << u"zdyf"_s << u"vendor_boot"_s << u"v.img"_s
                            << u"fastboot flash vendor_boot \"%P\""_s;
    QTest::newRow("custom, no name")
        << u"zdyf"_s << QString() << u"v.img"_s << u"fastboot flash  \"%P\""_s;
    QTest::newRow("custom name typed, then another partition")
        << u"sysf"_s << u"vendor_boot"_s << u"s.img"_s << u"fastboot flash system \"%P\""_s;
}

void OkcTest::flashes() {
    QFETCH(QString, option);
    QFETCH(QString, customName);
    QFETCH(QString, file);
    QFETCH(QString, command);
    Opened o({file, u"other.img"_s});
    QWidget& w = *o.window;
    click(w, u"zdyf"_s);
    kavu::test::typeInto(w, u"Textzdy"_s, customName);
    click(w, option);
    pick(w, file);
    QVERIFY(o.t.started().isEmpty());

    click(w, u"N_Shapeshuaru"_s);
    const QString expected = command.replace(u"%P"_s, o.pathOf(file));
    QVERIFY(o.t.messages().isEmpty());
    QCOMPARE(o.t.started().size(), 1);
    QCOMPARE(o.t.commandBox(), expected);
    QCOMPARE(o.t.lastStarted().line, u"cmd /k "_s + expected + kFlashDone);
    QCOMPARE(o.t.lastStarted().mode, WindowMode::Normal);
    QVERIFY(o.t.fakes().pause.slept.isEmpty());
}

void OkcTest::recoveryFlashBootsTheImageAfterTheWait() {
    kavu::test::TestApp t;
    t.addFile(u"twrp.img"_s);
    OrderingPause pause(t.started());
    kavu::test::FakeServices& f = t.fakes();
    kavu::App app({f.processes, f.messages, pause, f.random, f.browser, f.program});
    QVERIFY(app.form1() != nullptr);
    pause.app = &app;
    OKC* w = app.open<OKC>();
    t.clearRecords();
    pick(*w, u"twrp.img"_s);
    const QString path = QDir::toNativeSeparators(QDir(t.fileFolder()).filePath(u"twrp.img"_s));

    click(*w, u"N_Shapeshuaru"_s);
    const QString flash = u"fastboot flash recovery \""_s + path + u"\""_s;
    const QString boot = u"fastboot boot \""_s + path + u"\""_s;
    QCOMPARE(t.started().size(), 2);
    QCOMPARE(t.started().at(0).line, u"cmd /k "_s + flash + kRecoveryFlashDone);
    QCOMPARE(t.started().at(0).mode, WindowMode::Normal);
    QCOMPARE(t.started().at(1).line, u"cmd /c "_s + boot);
    QCOMPARE(t.started().at(1).mode, WindowMode::Hidden);
    // One wait, after the flash console started and before the boot.
    QCOMPARE(pause.slept, QList<int>{4500});
    QCOMPARE(pause.linesStartedBefore, QList<qsizetype>{1});
    QCOMPARE(pause.commandBoxBefore, QStringList{flash});
    QCOMPARE(app.form1()->commandBox().text(), boot);
    QVERIFY(t.messages().isEmpty());
}

void OkcTest::fixedButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("line");
    QTest::addColumn<WindowMode>("mode");
    const auto hidden = [](const char* button, const QString& command) {
        QTest::newRow(button) << QString::fromLatin1(button) << command << u"cmd /c "_s + command
                              << WindowMode::Hidden;
    };
    hidden("REC", u"adb reboot recovery"_s);
    hidden("FB", u"adb reboot bootloader"_s);
    hidden("EDL", u"adb reboot edl"_s);
    hidden("DOWNLOAD", u"adb reboot download"_s);
    hidden("N_Shaperebfb", u"fastboot reboot"_s);
    hidden("N_ShapeADB", u"adb reboot"_s);
    const QString brevent = u"adb -d shell sh /data/data/me.piebridge.brevent/brevent.sh"_s;
    QTest::newRow("ACTHY") << u"ACTHY"_s << brevent << u"cmd /k "_s + brevent << WindowMode::Normal;
    const QString shizuku =
        u"adb shell sh /sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh"_s;
    QTest::newRow("SHIZUKU") << u"SHIZUKU"_s << shizuku << u"cmd /k "_s + shizuku
                             << WindowMode::Normal;
    QTest::newRow("N_Shapetefb1")
        << u"N_Shapetefb1"_s << u"fastboot devices"_s
        << u"cmd /k  fastboot devices&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && "
           u"pause>nul && EXIT"_s
        << WindowMode::Normal;
}

void OkcTest::fixedButtons() {
    QFETCH(QString, button);
    QFETCH(QString, command);
    QFETCH(QString, line);
    QFETCH(WindowMode, mode);
    // Nothing picked and a custom partition without a name: these buttons read neither.
    Opened o;
    click(*o.window, u"zdyf"_s);
    click(*o.window, button);
    QCOMPARE(o.t.started().size(), 1);
    QCOMPARE(o.t.commandBox(), command);
    QCOMPARE(o.t.lastStarted().line, line);
    QCOMPARE(o.t.lastStarted().mode, mode);
    QVERIFY(o.t.messages().isEmpty());
}

void OkcTest::customNameBoxFollowsTheCustomOption() {
    Opened o;
    QWidget& w = *o.window;
    auto* box = control<QLineEdit>(w, u"Textzdy"_s);
    for (const QString& other : {u"recf"_s, u"sysf"_s, u"perf"_s, u"botf"_s}) {
        click(w, u"zdyf"_s);
        QCOMPARE(selectedOptions(w), u"zdyf"_s);
        QVERIFY(box->isVisible());
        kavu::test::typeInto(w, u"Textzdy"_s, u"dtbo"_s + other);
        click(w, other);
        QCOMPARE(selectedOptions(w), other);
        QVERIFY(box->isHidden());
        QCOMPARE(box->text(), u"dtbo"_s + other);
    }
    // A click on the selected option changes nothing.
    click(w, u"botf"_s);
    QVERIFY(box->isHidden());
    QVERIFY(o.t.started().isEmpty());
}

void OkcTest::pickSurvivesRefreshAndPartitionChange() {
    Opened o({u"a.img"_s});
    QWidget& w = *o.window;
    pick(w, u"a.img"_s);
    o.t.addFile(u"new.img"_s);
    o.t.addFile(u"new.bin"_s);
    click(w, u"Label9"_s);
    QCOMPARE(listed(w), (QStringList{u"a.img"_s, u"new.img"_s}));
    click(w, u"sysf"_s);
    click(w, u"zdyf"_s);
    click(w, u"botf"_s);
    QCOMPARE(selection(w), o.pathOf(u"a.img"_s));
    click(w, u"N_Shapeshuaru"_s);
    QCOMPARE(o.t.commandBox(), u"fastboot flash boot \""_s + o.pathOf(u"a.img"_s) + u"\""_s);
}

void OkcTest::refusals_data() {
    QTest::addColumn<QString>("file"); // empty: nothing picked
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("customName");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    const QString rename = u"所选文件的名称或路径含有不允许的字符（& | < > ^ % \" 或换行），"
                           u"请重命名该文件后点击“点击此处刷新”重新选择！"_s;
    const QString unsafe = kavu::qtText(kavu::kUnsafeTextMessage);
    QTest::newRow("nothing picked, recovery")
        << QString() << u"recf"_s << QString() << u" 请从右侧选定一个文件！"_s << u"警告！"_s;
    QTest::newRow("nothing picked, custom")
        << QString() << u"zdyf"_s << u"boot"_s << u" 请从右侧选定一个文件！"_s << u"警告！"_s;
    QTest::newRow("image name ends the quotes")
        << u"a\"b.img"_s << u"recf"_s << QString() << rename << u"警告！"_s;
    QTest::newRow("image name expands")
        << u"%TEMP%.img"_s << u"sysf"_s << QString() << rename << u"警告！"_s;
    QTest::newRow("custom name chains a command")
        << u"v.img"_s << u"zdyf"_s << u"boot&calc"_s << unsafe << u"警告!"_s;
    QTest::newRow("custom name redirects")
        << u"v.img"_s << u"zdyf"_s << u"boot>x"_s << unsafe << u"警告!"_s;
}

void OkcTest::refusals() {
    QFETCH(QString, file);
    QFETCH(QString, option);
    QFETCH(QString, customName);
    QFETCH(QString, message);
    QFETCH(QString, title);
    Opened o(file.isEmpty() ? QStringList{u"x.img"_s} : QStringList{file});
    QWidget& w = *o.window;
    click(w, option);
    control<QLineEdit>(w, u"Textzdy"_s)->setText(customName);
    if (!file.isEmpty()) {
        pick(w, file);
    }
    click(w, u"N_Shapeshuaru"_s);
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, message);
    QCOMPARE(o.t.messages().first().title, title);
    QCOMPARE(o.t.messages().first().icon, kavu::MessageIcon::Critical);
    QVERIFY(o.t.started().isEmpty());
    QVERIFY(o.t.fakes().pause.slept.isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
}

void OkcTest::missingFileFolderShowsAnEmptyList() {
    kavu::test::TestApp t;
    QVERIFY(QDir(t.fileFolder()).removeRecursively());
    OKC* w = t.app().open<OKC>();
    QVERIFY(listed(*w).isEmpty());
    QVERIFY(QDir(t.folder()).mkdir(u"File"_s));
    t.addFile(u"late.img"_s);
    click(*w, u"Label9"_s);
    QCOMPARE(listed(*w), QStringList{u"late.img"_s});
    QVERIFY(t.messages().isEmpty());
}

void OkcTest::reopeningStartsFromTheDefaults() {
    Opened o({u"a.img"_s});
    pick(*o.window, u"a.img"_s);
    click(*o.window, u"zdyf"_s);
    kavu::test::typeInto(*o.window, u"Textzdy"_s, u"dtbo"_s);
    kavu::test::closeWindow(o.window);
    QVERIFY(o.t.app().find<OKC>() == nullptr);

    QWidget& w = *o.t.app().open<OKC>();
    QCOMPARE(selectedOptions(w), u"recf"_s);
    QVERIFY(control<QLineEdit>(w, u"Textzdy"_s)->isHidden());
    QVERIFY(control<QLineEdit>(w, u"Textzdy"_s)->text().isEmpty());
    QCOMPARE(selection(w), u"Label1"_s);
    QCOMPARE(listed(w), QStringList{u"a.img"_s});
    QVERIFY(o.t.started().isEmpty());
}

QTEST_MAIN(OkcTest)
#include "okc_test.moc"
