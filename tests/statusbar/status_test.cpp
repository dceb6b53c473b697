#include "statusbar/status.h"

#include "app/qt_text.h"
#include "core/typed_text.h"
#include "shell/form1.h"
#include "statusbar/status_commands.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"
#include "support/window_checks.h"
#include "widgets/check_button.h"
#include "widgets/n_shape.h"
#include "widgets/option_button.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace Qt::StringLiterals;
using kavu::Status;
using kavu::launch::WindowMode;
using namespace kavu::test;

Q_DECLARE_METATYPE(const kavu::FixedCommand*)

namespace {

const QString kBlacklistPrefix =
    QStringLiteral("adb shell settings put secure icon_blacklist rotate,");
const QString kClockOn = kavu::statusbar::kClockSecondsOn.text.toString();

// A fixed command's text as it stands in a command box.
QString textOf(const kavu::FixedCommand& command) {
    return command.text.toString();
}

const QStringList kIconCheckNames = {
    QStringLiteral("CheckButtontime"),  QStringLiteral("CheckButtonear"),
    QStringLiteral("CheckButtonALARM"), QStringLiteral("CheckButtonWLAN"),
    QStringLiteral("CheckButtonZEN"),   QStringLiteral("CheckButtonBT"),
    QStringLiteral("CheckButtonBAT"),   QStringLiteral("CheckButtonAIR"),
    QStringLiteral("CheckButtoncast"),  QStringLiteral("CheckButtonLOC"),
    QStringLiteral("CheckButtonMOBILE")};

const QStringList kChargeOptionNames = {
    QStringLiteral("Option6shownocharge"), QStringLiteral("Option5acchagre"),
    QStringLiteral("Option4usbcharge"), QStringLiteral("Option3wirelesscharge")};

QLineEdit* ownBox(QWidget& window) {
    return control<QLineEdit>(window, QStringLiteral("INTERTEXT"));
}

QString selectedOption(QWidget& window) {
    QStringList selected;
    for (const QString& name : kChargeOptionNames) {
        if (isSelected(window, name)) {
            selected << name;
        }
    }
    return selected.join(QLatin1Char(','));
}

// Opens the window and turns the clock's seconds on, so that kClockOn stands in the main window's
// command box; forgets that run.
Status* openAfterClockOn(TestApp& t) {
    Status* status = t.app().open<Status>();
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shape1ons"));
    t.clearRecords();
    return status;
}

} // namespace

class StatusTest : public QObject {
    Q_OBJECT

private slots:
    // The window.
    void window();
    void placement_data();
    void placement();
    void captions_data();
    void captions();
    void oneInstance();
    void reopenedStartsFresh();

    // Hide icons and clock seconds.
    void iconBlacklist_data();
    void iconBlacklist();
    void iconBlacklistGatheredAfresh();
    void greyCheckCountsUnchecked();

    // Fixed commands through the main window's command box.
    void fixedCommands_data();
    void fixedCommands();

    // Text typed into the boxes (battery level, excluded apps, icon settings), then a button.
    void typedCommands_data();
    void typedCommands();

    // Battery display.
    void chargeOptions_data();
    void chargeOptions();
    void chargeOptionBySpace();
    void resetKeepsSelectedOption();

    // Hide the status bar and the navigation bar.
    void usageNotes_data();
    void usageNotes();

    // Typed text that could reach the interpreter as a command, or a level no battery shows.
    void refusedText_data();
    void refusedText();

    // Connectivity check: the window's own command box.
    void connectivity_data();
    void connectivity();
    void connectivityServerUrl();
    void serverNoteFollowsCommand();

    // Commands while the main window is closed.
    void mainWindowClosed_data();
    void mainWindowClosed();
};

void StatusTest::window() {
    TestApp t;
    Status* status = t.app().open<Status>();
    QCOMPARE(status->windowTitle(), QStringLiteral("状态栏操作"));
    QCOMPARE(status->minimumSize(), QSize(677, 360));
    QCOMPARE(status->maximumSize(), QSize(677, 360));
    QVERIFY(status->isVisible());
    QVERIFY(!ownBox(*status)->isVisible());
    QCOMPARE(ownBox(*status)->text(), QStringLiteral("Text1"));
    QVERIFY2(kavu::test::isCentredOnScreen(*status), "the window does not open centred");
    // Opening shows the window and runs nothing.
    QVERIFY(t.started().isEmpty());
    QVERIFY(t.messages().isEmpty());
}

void StatusTest::placement_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("row");

    QTest::newRow("hide status bar") << u"JMTZ1"_s << u"隐藏状态栏"_s << true << 0;
    QTest::newRow("hide navigation bar") << u"Frame1"_s << u"隐藏导航栏"_s << true << 1;
    QTest::newRow("hide icons") << u"Framehideicon"_s << u"隐藏图标"_s << true << 2;
    QTest::newRow("icon settings") << u"JMTZ7"_s << u"图标设定"_s << false << 0;
    QTest::newRow("cross and exclamation") << u"JMTZ10"_s << u"去除x和！"_s << false << 1;
    QTest::newRow("battery") << u"JMTZ9"_s << u"模拟电池状态"_s << false << 2;
}

void StatusTest::placement() {
    QFETCH(QString, frame);
    QFETCH(QString, title);
    QFETCH(bool, left);
    QFETCH(int, row);

    TestApp t;
    Status* status = t.app().open<Status>();
    const auto* group = control<QGroupBox>(*status, frame);
    QCOMPARE(group->title(), title);
    QCOMPARE(group->parentWidget(), status);
    QVERIFY(status->rect().contains(group->geometry()));

    // The column: the frames of one column share their left edge; the left column is left of
    // the right one, without overlapping it.
    const QStringList leftColumn = {QStringLiteral("JMTZ1"), QStringLiteral("Frame1"),
                                    QStringLiteral("Framehideicon")};
    const QStringList rightColumn = {QStringLiteral("JMTZ7"), QStringLiteral("JMTZ10"),
                                     QStringLiteral("JMTZ9")};
    const QStringList& column = left ? leftColumn : rightColumn;
    const QStringList& other = left ? rightColumn : leftColumn;
    for (const QString& partner : column) {
        QCOMPARE(control<QGroupBox>(*status, partner)->x(), group->x());
    }
    for (const QString& opposite : other) {
        const QRect otherRect = control<QGroupBox>(*status, opposite)->geometry();
        QVERIFY(!otherRect.intersects(group->geometry()));
        QCOMPARE(group->x() < otherRect.x(), left);
    }
    // The row: top to bottom in the stated order.
    if (row > 0) {
        const auto* above = control<QGroupBox>(*status, column.at(row - 1));
        QVERIFY(above->geometry().bottom() < group->y());
    }
    // Every control of the frame lies inside it, and no two of them overlap.
    const QList<QWidget*> children = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* child : children) {
        QVERIFY2(group->rect().contains(child->geometry()), qPrintable(child->objectName()));
        for (const QWidget* sibling : children) {
            QVERIFY2(sibling == child || !sibling->geometry().intersects(child->geometry()),
                     qPrintable(child->objectName() + u" overlaps "_s + sibling->objectName()));
        }
    }
}

void StatusTest::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("caption");

    const auto row = [](const char* name, const char* frame, const char* caption) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(frame)
                            << QString::fromUtf8(caption);
    };
    row("CheckButtontime", "Framehideicon", "时间");
    row("CheckButtonear", "Framehideicon", "耳机");
    row("CheckButtonALARM", "Framehideicon", "闹钟");
    row("CheckButtonWLAN", "Framehideicon", "WLAN");
    row("CheckButtonZEN", "Framehideicon", "静音(振动)");
    row("CheckButtonBT", "Framehideicon", "蓝牙");
    row("CheckButtonBAT", "Framehideicon", "电池");
    row("CheckButtonAIR", "Framehideicon", "飞行模式");
    row("N_Shapehide", "Framehideicon", "确认");
    row("CheckButtoncast", "Framehideicon", "投射");
    row("CheckButtonLOC", "Framehideicon", "定位");
    row("CheckButtonMOBILE", "Framehideicon", "数据信号");
    row("Label8tbyc", "Framehideicon", "勾选隐藏，不勾选则显示。点击确认后执行");
    row("Labelshows", "Framehideicon", "时间显秒(MIUI无效，请使用主题)：");
    row("N_Shape1ons", "Framehideicon", "开");
    row("N_Shape2ofs", "Framehideicon", "关");
    row("Option6shownocharge", "JMTZ9", "显示非充电");
    row("Option5acchagre", "JMTZ9", "AC充电");
    row("Option4usbcharge", "JMTZ9", "USB充电");
    row("Option3wirelesscharge", "JMTZ9", "无线充电");
    row("battper", "JMTZ9", "电量百分比：");
    row("Text10battper", "JMTZ9", "");
    row("N_Shape2battper", "JMTZ9", "√");
    row("N_Shape3_BATTINFO", "JMTZ9", "电池信息");
    row("N_Shape4_reset", "JMTZ9", "全部恢复");
    row("Label2", "JMTZ9", "拔下数据线前一定要点击 全部恢复 以恢复正常电池显示状态！");
    row("Label2noncj", "JMTZ1", "排除应用(包名)：");
    row("Text10noncj", "JMTZ1", "");
    row("STATUSBAR", "JMTZ1", "隐藏状态栏");
    row("INIBAR", "JMTZ1", "恢复默认");
    row("N_Shape2notice", "JMTZ1", "使用说明");
    row("Label1", "Frame1", "排除应用(包名)：");
    row("Text10noncjn", "Frame1", "");
    row("NAVIBAR", "Frame1", "隐藏导航栏");
    row("N_Shapedefaut", "Frame1", "恢复默认");
    row("N_Shape2notesofhidenav", "Frame1", "使用说明");
    row("TEXTQSN", "JMTZ7", "一级下拉图标数量：");
    row("QSNUMS", "JMTZ7", "");
    row("QSNUM", "JMTZ7", "确认");
    row("Labeldq", "JMTZ7", "图标左右间距(8.1/9.0专用)：");
    row("Textdq", "JMTZ7", "0");
    row("N_Shapedq", "JMTZ7", "确认");
    row("N_Shapedqhf", "JMTZ7", "默认");
    row("LabelQD1", "JMTZ7", "根据圆角设定，无圆角建议设为0");
    row("MIUIC", "JMTZ10", "更换服务器");
    row("Labedl2", "JMTZ10", "连接检测:");
    row("N_Shape2cpon", "JMTZ10", "开");
    row("N_Shape3cpoff", "JMTZ10", "关");
    row("Labesssl3", "JMTZ10",
        "更换国内服务器，用于去除由于Google连接不通而出现的网络不通畅x号的提示");
}

void StatusTest::captions() {
    QFETCH(QString, name);
    QFETCH(QString, frame);
    QFETCH(QString, caption);

    TestApp t;
    Status* status = t.app().open<Status>();
    auto* widget = control<QWidget>(*status, name);
    QCOMPARE(widget->parentWidget()->objectName(), frame);
    QVERIFY(widget->isVisible());
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), caption);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(edit->text(), caption);
        QVERIFY(!edit->isReadOnly());
    } else {
        QCOMPARE(widget->property("Caption").toString(), caption);
    }
}

void StatusTest::oneInstance() {
    TestApp t;
    Status* first = t.app().open<Status>();
    Status* second = t.app().open<Status>();
    QCOMPARE(second, first);
    QCOMPARE(t.app().find<Status>(), first);
    int windows = 0;
    for (const QWidget* top : QApplication::topLevelWidgets()) {
        windows += qobject_cast<const Status*>(top) != nullptr ? 1 : 0;
    }
    QCOMPARE(windows, 1);
}

void StatusTest::reopenedStartsFresh() {
    TestApp t;
    Status* status = t.app().open<Status>();
    for (const QString& name : kIconCheckNames) {
        click<kavu::CheckButton>(*status, name);
    }
    click<kavu::OptionButton>(*status, QStringLiteral("Option4usbcharge"));
    const QStringList boxes = {QStringLiteral("Text10noncj"), QStringLiteral("Text10noncjn"),
                               QStringLiteral("QSNUMS"), QStringLiteral("Textdq"),
                               QStringLiteral("Text10battper")};
    for (const QString& name : boxes) {
        typeInto(*status, name, QStringLiteral("7"));
    }
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shape2cpon"));
    QVERIFY(status->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(t.app().find<Status>(), nullptr);
    t.clearRecords();

    Status* reopened = t.app().open<Status>();
    for (const QString& name : kIconCheckNames) {
        QVERIFY2(control<kavu::CheckButton>(*reopened, name)->value() == 0, qPrintable(name));
    }
    QCOMPARE(selectedOption(*reopened), QString());
    for (const QString& name : boxes) {
        const QString expected = name == QStringLiteral("Textdq") ? QStringLiteral("0") : QString();
        QCOMPARE(control<QLineEdit>(*reopened, name)->text(), expected);
    }
    QCOMPARE(ownBox(*reopened)->text(), QStringLiteral("Text1"));
    QVERIFY(!ownBox(*reopened)->isVisible());
    // The fresh window's options run again when selected.
    click<kavu::OptionButton>(*reopened, QStringLiteral("Option4usbcharge"));
    QCOMPARE(t.fakes().processes.lines(),
             QStringList{kHiddenPrefix + textOf(kavu::statusbar::kShowUsbCharging)});
}

void StatusTest::iconBlacklist_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("tokens");

    const QString all = QStringLiteral(
        "volume,battery,clock,mobile,wifi,alarm_clock,headset,airplane,bluetooth,location,cast,");
    QStringList reversed = kIconCheckNames;
    std::reverse(reversed.begin(), reversed.end());

    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("all in screen order") << kIconCheckNames << all;
    QTest::newRow("all in reverse order") << reversed << all;
    QTest::newRow("battery and cast")
        << QStringList{u"CheckButtonBAT"_s, u"CheckButtoncast"_s} << u"battery,cast,"_s;
    QTest::newRow("cast then battery")
        << QStringList{u"CheckButtoncast"_s, u"CheckButtonBAT"_s} << u"battery,cast,"_s;
    QTest::newRow("clock only") << QStringList{u"CheckButtontime"_s} << u"clock,"_s;
    QTest::newRow("location, volume, mobile")
        << QStringList{u"CheckButtonLOC"_s, u"CheckButtonZEN"_s, u"CheckButtonMOBILE"_s}
        << u"volume,mobile,location,"_s;
    QTest::newRow("bluetooth, alarm, wifi")
        << QStringList{u"CheckButtonBT"_s, u"CheckButtonALARM"_s, u"CheckButtonWLAN"_s}
        << u"wifi,alarm_clock,bluetooth,"_s;
    QTest::newRow("headset checked and unchecked")
        << QStringList{u"CheckButtonear"_s, u"CheckButtonAIR"_s, u"CheckButtonear"_s}
        << u"airplane,"_s;
    QTest::newRow("everything unchecked again")
        << (QStringList{u"CheckButtonBAT"_s, u"CheckButtonWLAN"_s} +
            QStringList{u"CheckButtonWLAN"_s, u"CheckButtonBAT"_s})
        << QString();
}

void StatusTest::iconBlacklist() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, tokens);

    TestApp t;
    Status* status = t.app().open<Status>();
    for (const QString& name : clicks) {
        click<kavu::CheckButton>(*status, name);
    }
    QVERIFY(t.started().isEmpty());
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shapehide"));

    QVERIFY2(t.ranOnly(kBlacklistPrefix + tokens), t.mismatch());
    QCOMPARE(ownBox(*status)->text(), QStringLiteral("Text1"));
}

void StatusTest::iconBlacklistGatheredAfresh() {
    TestApp t;
    Status* status = t.app().open<Status>();
    click<kavu::CheckButton>(*status, QStringLiteral("CheckButtonBAT"));
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shapehide"));
    click<kavu::CheckButton>(*status, QStringLiteral("CheckButtonBAT"));
    click<kavu::CheckButton>(*status, QStringLiteral("CheckButtonLOC"));
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shapehide"));
    QCOMPARE(t.fakes().processes.lines(),
             (QStringList{kHiddenPrefix + kBlacklistPrefix + QStringLiteral("battery,"),
                          kHiddenPrefix + kBlacklistPrefix + QStringLiteral("location,")}));
}

void StatusTest::greyCheckCountsUnchecked() {
    TestApp t;
    Status* status = t.app().open<Status>();
    control<kavu::CheckButton>(*status, QStringLiteral("CheckButtonBAT"))->setValue(2);
    control<kavu::CheckButton>(*status, QStringLiteral("CheckButtonBT"))->setValue(1);
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shapehide"));
    QCOMPARE(t.commandBox(), kBlacklistPrefix + QStringLiteral("bluetooth,"));
}

// Each fixed button runs its module command; the lines are pinned in status_commands_test.
void StatusTest::fixedCommands_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<const kavu::FixedCommand*>("command");

    using namespace kavu::statusbar;
    QTest::newRow("clock seconds on") << u"N_Shape1ons"_s << &kClockSecondsOn;
    QTest::newRow("clock seconds off") << u"N_Shape2ofs"_s << &kClockSecondsOff;
    QTest::newRow("status bar default") << u"INIBAR"_s << &kImmersiveOff;
    QTest::newRow("navigation bar default") << u"N_Shapedefaut"_s << &kImmersiveOff;
    QTest::newRow("padding default") << u"N_Shapedqhf"_s << &kIconPaddingDefault;
    QTest::newRow("battery reset") << u"N_Shape4_reset"_s << &kBatteryReset;
    QTest::newRow("battery information") << u"N_Shape3_BATTINFO"_s << &kBatteryInfo;
}

void StatusTest::fixedCommands() {
    QFETCH(QString, shape);
    QFETCH(const kavu::FixedCommand*, command);

    TestApp t;
    Status* status = t.app().open<Status>();
    click<kavu::CheckButton>(*status, QStringLiteral("CheckButtonWLAN"));
    click<kavu::N_Shape>(*status, shape);

    QVERIFY2(t.ranOnly(*command), t.mismatch());
    // Only the main window's command box is written; the check buttons keep their state.
    QCOMPARE(ownBox(*status)->text(), QStringLiteral("Text1"));
    QCOMPARE(control<kavu::CheckButton>(*status, QStringLiteral("CheckButtonWLAN"))->value(), 1);
}

void StatusTest::typedCommands_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("command");

    const auto row = [](const char* name, const QStringList& boxes, const QStringList& texts,
                        const QString& shape, const QString& command) {
        QTest::newRow(name) << boxes << texts << shape << command;
    };

    // Battery level: the number read from the box's start.
    const auto level = [&](const char* name, const QString& typed, const QString& read) {
        row(name, {u"Text10battper"_s}, {typed}, u"N_Shape2battper"_s,
            u"adb shell dumpsys battery set level "_s + read);
    };
    level("level whole", u"50"_s, u"50"_s);
    level("level trailing zero decimal", u"50.0"_s, u"50"_s);
    level("level leading blank", u" 50"_s, u"50"_s);
    level("level letters", u"abc"_s, u"0"_s);
    level("level empty", u""_s, u"0"_s);
    level("level decimal with trailing zero", u"12.50"_s, u"12.5"_s);
    level("level number then letters", u"7abc"_s, u"7"_s);
    level("level exponent", u"1e2"_s, u"100"_s);
    // Only the number reaches the command line: what follows it cannot run as a command.
    level("level with a second command after the number", u"50&adb reboot"_s, u"50"_s);
    level("level with a pipe after the number", u"7|more"_s, u"7"_s);

    // Hiding a bar: each button reads only its own box of excluded apps, sent as typed.
    const QString status = u"adb shell settings put global policy_control immersive.status="_s;
    const QString navigation =
        u"adb shell settings put global policy_control immersive.navigation="_s;
    const QStringList statusBoxes = {u"Text10noncj"_s, u"Text10noncjn"_s};
    const QStringList navigationBoxes = {u"Text10noncjn"_s, u"Text10noncj"_s};
    const auto bar = [&](const char* name, const QString& shape, const QStringList& boxes,
                         const QString& own, const QString& other, const QString& command) {
        row(name, boxes, {own, other}, shape, command);
    };
    bar("status bar everywhere", u"STATUSBAR"_s, statusBoxes, u""_s, u""_s, status + u"*"_s);
    bar("status bar but one app", u"STATUSBAR"_s, statusBoxes, u"com.tencent.mm"_s, u""_s,
        status + u"apps,-com.tencent.mm"_s);
    bar("status bar, a list as typed", u"STATUSBAR"_s, statusBoxes, u"a.b,,c.d"_s, u""_s,
        status + u"apps,-a.b,,c.d"_s);
    bar("status bar reads only its own box", u"STATUSBAR"_s, statusBoxes, u""_s,
        u"com.android.chrome"_s, status + u"*"_s);
    bar("navigation bar everywhere", u"NAVIBAR"_s, navigationBoxes, u""_s, u""_s,
        navigation + u"*"_s);
    bar("navigation bar but one app", u"NAVIBAR"_s, navigationBoxes, u"com.android.chrome"_s, u""_s,
        navigation + u"apps,-com.android.chrome"_s);
    bar("navigation bar, text as typed", u"NAVIBAR"_s, navigationBoxes, u"a.b,c.d,"_s, u""_s,
        navigation + u"apps,-a.b,c.d,"_s);
    bar("navigation bar reads only its own box", u"NAVIBAR"_s, navigationBoxes, u""_s,
        u"com.tencent.mm"_s, navigation + u"*"_s);

    // Icon settings: the box's text as typed; the padding box starts out holding 0.
    const QString count = u"adb shell settings put secure sysui_qqs_count "_s;
    const QString padding = u"adb shell settings put secure sysui_rounded_content_padding "_s;
    row("icon count", {u"QSNUMS"_s}, {u"6"_s}, u"QSNUM"_s, count + u"6"_s);
    row("icon count as typed", {u"QSNUMS"_s}, {u"6.0"_s}, u"QSNUM"_s, count + u"6.0"_s);
    row("icon count empty", {u"QSNUMS"_s}, {u""_s}, u"QSNUM"_s, count);
    row("padding default text", {}, {}, u"N_Shapedq"_s, padding + u"0"_s);
    row("padding", {u"Textdq"_s}, {u"16"_s}, u"N_Shapedq"_s, padding + u"16"_s);
    row("padding empty", {u"Textdq"_s}, {u""_s}, u"N_Shapedq"_s, padding);
}

// Text typed into the window's boxes, then a button: one hidden run through the main window's
// command box.
void StatusTest::typedCommands() {
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, texts);
    QFETCH(QString, shape);
    QFETCH(QString, command);

    TestApp t;
    Status* status = t.app().open<Status>();
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        typeInto(*status, boxes.at(i), texts.at(i));
    }
    click<kavu::N_Shape>(*status, shape);

    QVERIFY2(t.ranOnly(command), t.mismatch());
    QCOMPARE(ownBox(*status)->text(), QStringLiteral("Text1"));
    // The boxes keep what was typed.
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxText(*status, boxes.at(i)), texts.at(i));
    }
}

void StatusTest::chargeOptions_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("selected");

    const QString notCharging = textOf(kavu::statusbar::kShowNotCharging);
    const QString ac = textOf(kavu::statusbar::kShowAcCharging);
    const QString usb = textOf(kavu::statusbar::kShowUsbCharging);
    const QString wireless = textOf(kavu::statusbar::kShowWirelessCharging);

    QTest::newRow("not charging") << QStringList{u"Option6shownocharge"_s}
                                  << QStringList{notCharging} << u"Option6shownocharge"_s;
    QTest::newRow("AC") << QStringList{u"Option5acchagre"_s} << QStringList{ac}
                        << u"Option5acchagre"_s;
    QTest::newRow("wireless") << QStringList{u"Option3wirelesscharge"_s} << QStringList{wireless}
                              << u"Option3wirelesscharge"_s;
    QTest::newRow("AC then USB") << QStringList{u"Option5acchagre"_s, u"Option4usbcharge"_s}
                                 << QStringList{ac, usb} << u"Option4usbcharge"_s;
    QTest::newRow("USB twice") << QStringList{u"Option4usbcharge"_s, u"Option4usbcharge"_s}
                               << QStringList{usb} << u"Option4usbcharge"_s;
    QTest::newRow("AC, USB, AC") << QStringList{u"Option5acchagre"_s, u"Option4usbcharge"_s,
                                                u"Option5acchagre"_s}
                                 << QStringList{ac, usb, ac} << u"Option5acchagre"_s;
    QTest::newRow("wireless twice, then not charging")
        << QStringList{u"Option3wirelesscharge"_s, u"Option3wirelesscharge"_s,
                       u"Option6shownocharge"_s}
        << QStringList{wireless, notCharging} << u"Option6shownocharge"_s;
}

void StatusTest::chargeOptions() {
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, commands);
    QFETCH(QString, selected);

    TestApp t;
    Status* status = t.app().open<Status>();
    QCOMPARE(selectedOption(*status), QString());
    for (const QString& name : clicks) {
        click<kavu::OptionButton>(*status, name);
    }
    QStringList lines;
    for (const QString& command : commands) {
        lines << kHiddenPrefix + command;
    }
    QCOMPARE(t.fakes().processes.lines(), lines);
    for (const auto& started : std::as_const(t.started())) {
        QCOMPARE(started.mode, WindowMode::Hidden);
    }
    QCOMPARE(t.commandBox(), commands.last());
    QCOMPARE(selectedOption(*status), selected);
}

void StatusTest::chargeOptionBySpace() {
    TestApp t;
    Status* status = t.app().open<Status>();
    auto* usb = control<kavu::OptionButton>(*status, QStringLiteral("Option4usbcharge"));
    const QString usbLine = kHiddenPrefix + textOf(kavu::statusbar::kShowUsbCharging);

    // Space on an unselected option selects it and runs its command once.
    QTest::keyClick(usb, Qt::Key_Space);
    QVERIFY(usb->value());
    QCOMPARE(t.fakes().processes.lines(), QStringList{usbLine});
    // Space on the selected option runs nothing more.
    QTest::keyClick(usb, Qt::Key_Space);
    QCOMPARE(t.fakes().processes.lines(), QStringList{usbLine});
    // Another option by Space, then back to USB by mouse: each becoming selected runs once.
    QTest::keyClick(control<kavu::OptionButton>(*status, QStringLiteral("Option5acchagre")),
                    Qt::Key_Space);
    click<kavu::OptionButton>(*status, QStringLiteral("Option4usbcharge"));
    QCOMPARE(
        t.fakes().processes.lines(),
        (QStringList{usbLine, kHiddenPrefix + textOf(kavu::statusbar::kShowAcCharging), usbLine}));
}

void StatusTest::resetKeepsSelectedOption() {
    TestApp t;
    Status* status = t.app().open<Status>();
    click<kavu::OptionButton>(*status, QStringLiteral("Option5acchagre"));
    click<kavu::N_Shape>(*status, QStringLiteral("N_Shape4_reset"));
    QCOMPARE(selectedOption(*status), QStringLiteral("Option5acchagre"));
    QCOMPARE(t.lastStarted().line, kHiddenPrefix + textOf(kavu::statusbar::kBatteryReset));
    // The option stays selected after the reset, so clicking it again runs nothing.
    click<kavu::OptionButton>(*status, QStringLiteral("Option5acchagre"));
    QCOMPARE(t.started().size(), 2);
}

void StatusTest::usageNotes_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("note");
    QTest::addColumn<int>("paragraphs");

    QTest::newRow("status bar") << u"N_Shape2notice"_s
                                << u"此功能可以临时隐藏状态栏并通过滑动呼出。 \r\n\r\n"_s
                                   "对于不想隐藏的应用，可以输入包名。若想恢复隐藏，则包名框不填，"
                                   "直接点击“状态栏”按钮即可。"
                                << 2;
    QTest::newRow("navigation bar") << u"N_Shape2notesofhidenav"_s
                                    << u"此功能可以临时隐藏导航栏并通过滑动呼出。 \r\n\r\n"_s
                                       "对于不想隐藏导航栏的应用，可以输入包名。若想恢复隐藏，则包"
                                       "名框不填，直接点击“导航栏”按钮"
                                       "即可。\r\n\r\n"
                                       "若要永久隐藏，请使用工具内的显示调节的边界调整功能！"
                                    << 3;
}

void StatusTest::usageNotes() {
    QFETCH(QString, shape);
    QFETCH(QString, note);
    QFETCH(int, paragraphs);

    TestApp t;
    Status* status = openAfterClockOn(t);
    click<kavu::N_Shape>(*status, shape);

    QVERIFY(t.started().isEmpty());
    QCOMPARE(t.commandBox(), kClockOn);
    QCOMPARE(ownBox(*status)->text(), QStringLiteral("Text1"));
    QCOMPARE(t.messages().size(), 1);
    const auto& shown = t.messages().first();
    QCOMPARE(shown.text, note);
    QCOMPARE(shown.text.split(QStringLiteral("\r\n\r\n")).size(), paragraphs);
    QCOMPARE(shown.text.count(QLatin1Char('\n')), 2 * (paragraphs - 1));
    QCOMPARE(shown.title, QString());
    QCOMPARE(shown.icon, kavu::MessageIcon::None);
}

void StatusTest::refusedText_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    const QList<std::pair<const char*, const char*>> actions = {
        {"STATUSBAR", "Text10noncj"},
        {"NAVIBAR", "Text10noncjn"},
        {"QSNUM", "QSNUMS"},
        {"N_Shapedq", "Textdq"},
    };
    const QList<std::pair<const char*, QString>> texts = {
        {"ampersand", QStringLiteral("com.a & adb reboot")},
        {"pipe", QStringLiteral("4|more")},
        {"less", QStringLiteral("4<x")},
        {"greater", QStringLiteral("4>x")},
        {"caret", QStringLiteral("com.a^")},
        {"double quote", QStringLiteral("\"com.a")},
        {"tab", QStringLiteral("com.a\tcom.b")},
        {"control", QStringLiteral("4") + QChar(0x01)},
    };
    for (const auto& [shape, box] : actions) {
        for (const auto& [what, text] : texts) {
            QTest::addRow("%s %s", shape, what)
                << QString::fromLatin1(shape) << QString::fromLatin1(box) << text
                << kavu::qtText(kavu::kUnsafeTextMessage);
        }
    }
    // The level's range is tabled in status_commands_test; this row is its wiring.
    QTest::newRow("level out of range") << u"N_Shape2battper"_s << u"Text10battper"_s << u"150"_s
                                        << kavu::qtText(kavu::kOutOfRangeMessage);
}

void StatusTest::refusedText() {
    QFETCH(QString, shape);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    TestApp t;
    Status* status = openAfterClockOn(t);
    control<QLineEdit>(*status, box)->setText(typed);
    click<kavu::N_Shape>(*status, shape);

    QVERIFY(t.started().isEmpty());
    QCOMPARE(t.commandBox(), kClockOn);
    QCOMPARE(control<QLineEdit>(*status, box)->text(), typed);
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, message);
    QCOMPARE(t.messages().first().title, kavu::qtText(kavu::kUnsafeTextTitle));
    QCOMPARE(t.messages().first().icon, kavu::MessageIcon::Critical);
}

void StatusTest::connectivity_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("message");

    QTest::newRow("check on") << u"N_Shape2cpon"_s << textOf(kavu::statusbar::kConnectivityCheckOn)
                              << u""_s;
    QTest::newRow("check off") << u"N_Shape3cpoff"_s
                               << textOf(kavu::statusbar::kConnectivityCheckOff) << u""_s;
    QTest::newRow("server") << u"MIUIC"_s
                            << QStringLiteral("adb shell \"settings put global "
                                              "captive_portal_https_url ") +
                                   kavu::qtText(kavu::statusbar::kConnectivityCheckUrl) +
                                   QStringLiteral("\"")
                            << u"请开关飞行模式以验证是否成功！"_s;
}

void StatusTest::connectivity() {
    QFETCH(QString, shape);
    QFETCH(QString, command);
    QFETCH(QString, message);

    TestApp t;
    Status* status = openAfterClockOn(t);
    click<kavu::N_Shape>(*status, shape);

    // The window's own box carries the command; the main window's keeps what it held.
    QCOMPARE(ownBox(*status)->text(), command);
    QVERIFY(!ownBox(*status)->isVisible());
    QCOMPARE(t.commandBox(), kClockOn);
    QCOMPARE(t.started().size(), 1);
    QCOMPARE(t.lastStarted().line, kHiddenPrefix + command);
    QCOMPARE(t.lastStarted().mode, WindowMode::Hidden);
    if (message.isEmpty()) {
        QVERIFY(t.messages().isEmpty());
    } else {
        QCOMPARE(t.messages().size(), 1);
        QCOMPARE(t.messages().first().text, message);
        QCOMPARE(t.messages().first().title, QString());
        QCOMPARE(t.messages().first().icon, kavu::MessageIcon::None);
    }
}

void StatusTest::connectivityServerUrl() {
    // Plain HTTP, a host, and the path answered with an empty 204.
    const QUrl url(kavu::qtText(kavu::statusbar::kConnectivityCheckUrl));
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QVERIFY(!url.host().isEmpty());
    QCOMPARE(url.path(), QStringLiteral("/generate_204"));
    QVERIFY(!url.hasQuery());
    // One argument for the phone's shell: no blank or quote inside it.
    QVERIFY(!kavu::qtText(kavu::statusbar::kConnectivityCheckUrl).contains(QLatin1Char(' ')));
    QVERIFY(!kavu::qtText(kavu::statusbar::kConnectivityCheckUrl).contains(QLatin1Char('"')));
}

void StatusTest::serverNoteFollowsCommand() {
    TestApp t;
    Status* status = t.app().open<Status>();

    click<kavu::N_Shape>(*status, QStringLiteral("MIUIC"));

    // The note comes once the command has started; it does not wait for it to end.
    QCOMPARE(t.events(),
             (EventLog{Event::command(kHiddenPrefix +
                                      kavu::statusbar::connectivityServerCommand().text()),
                       Event::message(u"请开关飞行模式以验证是否成功！"_s)}));
}

void StatusTest::mainWindowClosed_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("mainBox");

    QTest::newRow("icon blacklist") << u"N_Shapehide"_s << kBlacklistPrefix << true;
    QTest::newRow("clock seconds") << u"N_Shape1ons"_s << kClockOn << true;
    QTest::newRow("battery reset")
        << u"N_Shape4_reset"_s << textOf(kavu::statusbar::kBatteryReset) << true;
    QTest::newRow("hide status bar")
        << u"STATUSBAR"_s << u"adb shell settings put global policy_control immersive.status=*"_s
        << true;
    QTest::newRow("padding default")
        << u"N_Shapedqhf"_s << textOf(kavu::statusbar::kIconPaddingDefault) << true;
    QTest::newRow("connectivity check off")
        << u"N_Shape3cpoff"_s << textOf(kavu::statusbar::kConnectivityCheckOff) << false;
    QTest::newRow("connectivity server")
        << u"MIUIC"_s << kavu::statusbar::connectivityServerCommand().text() << false;
}

void StatusTest::mainWindowClosed() {
    QFETCH(QString, shape);
    QFETCH(QString, command);
    QFETCH(bool, mainBox);

    TestApp t;
    Status* status = t.app().open<Status>();
    QVERIFY(t.app().find<kavu::Form1>()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(t.app().find<kavu::Form1>(), nullptr);
    t.clearRecords();

    click<kavu::N_Shape>(*status, shape);

    if (mainBox) {
        // The main window is loaded again with its start-up, then the command runs through it.
        QCOMPARE(t.started().size(), 2);
        QVERIFY(t.started().first().line.startsWith(QStringLiteral("cmd /k adb devices")));
        QVERIFY(t.app().find<kavu::Form1>() != nullptr);
        QCOMPARE(t.commandBox(), command);
        QCOMPARE(ownBox(*status)->text(), QStringLiteral("Text1"));
    } else {
        // The window's own box needs no main window.
        QCOMPARE(t.started().size(), 1);
        QCOMPARE(t.app().find<kavu::Form1>(), nullptr);
        QCOMPARE(ownBox(*status)->text(), command);
    }
    QCOMPARE(t.lastStarted().line, kHiddenPrefix + command);
    QCOMPARE(t.lastStarted().mode, WindowMode::Hidden);
}

QTEST_MAIN(StatusTest)
#include "status_test.moc"
