#include "core/typed_text.h"
#include "input/keysimu.h"
#include "input/touchsimu.h"
#include "shell/qt_text.h"
#include "support/driving.h"
#include "support/test_app.h"
#include "widgets/check_button.h"
#include "widgets/option_button.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace kavu;
using namespace Qt::StringLiterals;

namespace {

const QString kEarlier = u"adb shell echo earlier"_s;

QLineEdit* box(QWidget& window, const QString& name) {
    return test::control<QLineEdit>(window, name);
}

void fill(QWidget& window, const QList<std::pair<QString, QString>>& texts) {
    for (const auto& [name, text] : texts) {
        box(window, name)->setText(text);
    }
}

QTimer* timer(QWidget& window, const QString& name) {
    return window.findChild<QTimer*>(name);
}

void tick(QWidget& window, const QString& name) {
    QVERIFY(QMetaObject::invokeMethod(timer(window, name), "timeout"));
}

// The hidden lines started, without their prefix.
QStringList hiddenCommands(test::TestApp& t) {
    QStringList commands;
    for (const test::StartedLine& started : t.started()) {
        commands << (started.mode == launch::WindowMode::Hidden &&
                             started.line.startsWith(u"cmd /c "_s)
                         ? started.line.mid(7)
                         : u"<not hidden: %1>"_s.arg(started.line));
    }
    return commands;
}

} // namespace

class InputWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void text_data();
    void text();
    void presets_data();
    void presets();
    void threeCycles();
    void twoPointsWaitOneInterval();
    void intervalsThatNeverRepeat_data();
    void intervalsThatNeverRepeat();
    void rangeRefusals_data();
    void rangeRefusals();
    void shiftedY2LeavingItsRangeStopsTheRun();
    void indicatorRevealAndSwap();
};

void InputWindowsTest::keys_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("command");
    const char* rows[][2] = {
        {"N_Shapeprev", "88"},  {"N_Shapenex", "87"},  {"N_Shapepaus", "86"}, {"N_Shapeleft", "21"},
        {"N_Shaperight", "22"}, {"N_Shapedown", "20"}, {"Enter", "66"},       {"N_Shapetop", "19"},
        {"N_Shape4", "4"},      {"MEUNWARD", "187 "},  {"HOMEWARD", "3"},     {"BACKWARD", "4"},
        {"LOCKSCR", "26"},      {"VOLDOWN", "25"},     {"VOLUP", "24"},       {"MUTE", "164"},
    };
    for (const auto& [button, code] : rows) {
        QTest::newRow(button) << QString::fromLatin1(button)
                              << u"adb shell input keyevent "_s + QString::fromLatin1(code);
    }
}

void InputWindowsTest::keys() {
    QFETCH(QString, button);
    QFETCH(QString, command);
    test::TestApp t;
    keysimu* window = t.app().open<keysimu>();
    test::click(*window, button, Qt::RightButton);
    QCOMPARE(hiddenCommands(t), QStringList{command});
    QCOMPARE(t.commandBox(), command);
}

void InputWindowsTest::text_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent"); // empty: refused
    QTest::newRow("space") << u"a b"_s << u"adb shell input text 'a%sb'"_s;
    QTest::newRow("empty") << QString() << u"adb shell input text ''"_s;
    QTest::newRow("second command") << u"x&calc"_s << QString();
}

// "发送" sends the text; "清除" then empties only the text box.
void InputWindowsTest::text() {
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    test::TestApp t;
    t.run(kEarlier, launch::kHidden);
    keysimu* window = t.app().open<keysimu>();
    t.clearRecords();
    box(*window, u"Textsend"_s)->setText(typed);
    test::click(*window, u"N_Shapesendd"_s);
    test::click(*window, u"N_Shape6clear"_s);
    QCOMPARE(hiddenCommands(t), sent.isEmpty() ? QStringList() : QStringList{sent});
    QCOMPARE(t.commandBox(), sent.isEmpty() ? kEarlier : sent);
    QCOMPARE(t.messages().size(), sent.isEmpty() ? 1 : 0);
    QCOMPARE(box(*window, u"Textsend"_s)->text(), QString());
}

void InputWindowsTest::presets_data() {
    QTest::addColumn<QStringList>("clicks");
    // Tap option, swipe option, two-point value, whether twopo and the second point show, then
    // interval, duration, count, x1, y2.
    QTest::addColumn<QString>("state");
    QTest::newRow("loaded") << QStringList() << u"1 0 0 shown hidden ||||"_s;
    QTest::newRow("swipe") << QStringList{u"OPTSWI"_s} << u"0 1 0 hidden shown ||||"_s;
    QTest::newRow("two points") << QStringList{u"twopo"_s} << u"1 0 1 shown shown ||||"_s;
    QTest::newRow("swipe, tap") << QStringList{u"OPTSWI"_s, u"OPTPRE"_s}
                                << u"1 0 0 shown hidden ||||"_s;
    QTest::newRow("快速翻页") << QStringList{u"SM"_s}
                              << u"0 1 0 hidden shown 200|50|9999|540|600"_s;
    QTest::newRow("Normal Mode") << QStringList{u"twopo"_s, u"NMM"_s}
                                 << u"1 0 0 hidden hidden 500|1|9999||"_s;
    QTest::newRow("Turbo Mode") << QStringList{u"OPTSWI"_s, u"TM"_s}
                                << u"1 0 1 shown shown 80|1|9999||"_s;
    QTest::newRow("Turbo Mode twice")
        << QStringList{u"TM"_s, u"twopo"_s, u"TM"_s} << u"1 0 0 shown hidden 80|1|9999||"_s;
}

void InputWindowsTest::presets() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, state);
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    for (const QString& name : clicks) {
        test::click(*w, name);
    }
    const auto shown = [w](const char* name) {
        return test::control<QWidget>(*w, QString::fromLatin1(name))->isVisibleTo(w);
    };
    const bool second = shown("X2");
    QCOMPARE(shown("Y2"), second);
    QCOMPARE(shown("Labelx2"), second);
    QCOMPARE(shown("Labely2"), second);
    QStringList texts;
    for (const char* name : {"Textdely", "DURA", "Textcishu", "X1", "Y2"}) {
        texts << box(*w, QString::fromLatin1(name))->text();
    }
    const QString actual =
        u"%1 %2 %3 %4 %5 "_s.arg(int(test::control<OptionButton>(*w, u"OPTPRE"_s)->value()))
            .arg(int(test::control<OptionButton>(*w, u"OPTSWI"_s)->value()))
            .arg(test::control<CheckButton>(*w, u"twopo"_s)->value())
            .arg(shown("twopo") ? u"shown"_s : u"hidden"_s)
            .arg(second ? u"shown"_s : u"hidden"_s) +
        texts.join(u'|');
    QCOMPARE(actual, state);
}

// A count of 3: three cycles, each from the bases taken at start, then the repeat timer stops
// while the indicator goes on.
void InputWindowsTest::threeCycles() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, {{u"X1"_s, u"0540"_s},
              {u"Y1"_s, u"1600.5"_s},
              {u"Y2"_s, u"9"_s},
              {u"DURA"_s, u"50"_s},
              {u"Textdely"_s, u"80"_s},
              {u"Textcishu"_s, u"3"_s},
              {u"PYL"_s, u"3"_s}});
    test::click(*w, u"SWIPEGO"_s);
    QVERIFY(t.messages().isEmpty());
    QCOMPARE(timer(*w, u"Timerdur"_s)->interval(), 80);
    QCOMPARE(timer(*w, u"Timerdur"_s)->timerType(), Qt::PreciseTimer);
    // Offsets x1 +2, y1 −2, x2 0, y2 +1; then all 0; then x1 −1.
    t.fakes().random.script = {0.99, 0, 0, 0.99, 0.5, 0.5, 0.4, 0.1};
    t.fakes().random.script.insert(t.fakes().random.script.end(), 8, 0.0);
    t.fakes().random.script.insert(t.fakes().random.script.end(), {0, 0.5});
    QStringList boxes;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(timer(*w, u"Timerdur"_s)->isActive());
        tick(*w, u"Timerdur"_s);
        boxes << QStringList{box(*w, u"X1"_s)->text(), box(*w, u"Y1"_s)->text(),
                             box(*w, u"X2"_s)->text(), box(*w, u"Y2"_s)->text()}
                     .join(u' ');
    }
    QCOMPARE(boxes, (QStringList{u"542 1598.5 0 10"_s, u"540 1600.5 0 9"_s, u"539 1600.5 0 9"_s}));
    const QString swipe = u"adb shell input swipe "_s;
    QCOMPARE(hiddenCommands(t), (QStringList{swipe + u"542 1598.5 542 1598.5 50"_s,
                                             swipe + u"540 1600.5 540 1600.5 50"_s,
                                             swipe + u"539 1600.5 539 1600.5 50"_s}));
    QVERIFY(!timer(*w, u"Timerdur"_s)->isActive());
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
}

void InputWindowsTest::twoPointsWaitOneInterval() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    test::click(*w, u"OPTSWI"_s);
    fill(*w, {{u"X1"_s, u"1"_s},
              {u"Y1"_s, u"2"_s},
              {u"X2"_s, u"3"_s},
              {u"Y2"_s, u"4"_s},
              {u"DURA"_s, u"5"_s},
              {u"Textdely"_s, u"99.5"_s}});
    test::click(*w, u"SWIPEGO"_s);
    tick(*w, u"Timerdur2"_s);
    test::click(*w, u"OPTPRE"_s);
    test::click(*w, u"twopo"_s);
    test::click(*w, u"SWIPEGO"_s);
    tick(*w, u"Timerdur"_s);
    const QString swipe = u"adb shell input swipe "_s;
    QCOMPARE(hiddenCommands(t),
             (QStringList{swipe + u"1 2 3 4 5"_s, swipe + u"1 2 1 2 5"_s, swipe + u"3 4 3 4 5"_s}));
    QCOMPARE(t.fakes().pause.slept, QList<int>{100});
}

void InputWindowsTest::intervalsThatNeverRepeat_data() {
    QTest::addColumn<QString>("interval");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<bool>("repeats");
    QTest::newRow("80") << u"80"_s << false << true;
    QTest::newRow("79.9") << u"79.9"_s << true << true;
    QTest::newRow("0") << u"0"_s << true << false;
    QTest::newRow("empty") << QString() << true << false;
    QTest::newRow("text") << u"abc"_s << true << false;
}

// A zero interval starts the indicator but no repeat timer, also over a running one.
void InputWindowsTest::intervalsThatNeverRepeat() {
    QFETCH(QString, interval);
    QFETCH(bool, warned);
    QFETCH(bool, repeats);
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, {{u"Textdely"_s, u"100"_s}});
    test::click(*w, u"SWIPEGO"_s);
    fill(*w, {{u"Textdely"_s, interval}});
    test::click(*w, u"SWIPEGO"_s);
    QCOMPARE(t.messages().size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(t.messages().first().text,
                 u"小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！"_s);
        QCOMPARE(t.messages().first().title, u"警告!"_s);
        QCOMPARE(t.messages().first().icon, MessageIcon::Critical);
    }
    QCOMPARE(timer(*w, u"Timerdur"_s)->isActive(), repeats);
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
    QVERIFY(t.started().isEmpty());
}

void InputWindowsTest::rangeRefusals_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("interval") << u"Textdely"_s << u"65535.5"_s;
    QTest::newRow("negative interval") << u"Textdely"_s << u"-1"_s;
    QTest::newRow("y2") << u"Y2"_s << u"32768"_s;
    QTest::newRow("duration") << u"DURA"_s << u"-32769"_s;
    QTest::newRow("x1") << u"X1"_s << u"1e999"_s;
}

// Refused before the short-interval warning, with nothing started.
void InputWindowsTest::rangeRefusals() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, {{u"Textdely"_s, u"1"_s}, {box, text}});
    test::click(*w, u"SWIPEGO"_s);
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, qtText(kOutOfRangeMessage));
    QCOMPARE(t.messages().first().title, u"警告!"_s);
    for (const QString& name : {u"Timercj"_s, u"Timerdur"_s, u"Timerdur2"_s}) {
        QVERIFY(!timer(*w, name)->isActive());
    }
}

void InputWindowsTest::shiftedY2LeavingItsRangeStopsTheRun() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, {{u"Y2"_s, u"32767"_s},
              {u"PYL"_s, u"2"_s},
              {u"Textdely"_s, u"100"_s},
              {u"Textcishu"_s, u"9"_s}});
    test::click(*w, u"SWIPEGO"_s);
    t.fakes().random.script = {0, 0, 0, 0, 0, 0, 0.9, 0};
    tick(*w, u"Timerdur"_s);
    QVERIFY(t.started().isEmpty());
    QCOMPARE(box(*w, u"Y2"_s)->text(), u"32767"_s);
    QVERIFY(!timer(*w, u"Timerdur"_s)->isActive());
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, qtText(kOutOfRangeMessage));
}

void InputWindowsTest::indicatorRevealAndSwap() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, {{u"Textdely"_s, u"100"_s}});
    test::click(*w, u"SWIPEGO"_s);
    auto* indicator = test::control<QLabel>(*w, u"Labelcj"_s);
    QString shown;
    for (int i = 0; i < 10; ++i) {
        tick(*w, u"Timercj"_s);
        shown += indicator->text();
    }
    QCOMPARE(shown, u"0123456781"_s);
    QCOMPARE(timer(*w, u"Timercj"_s)->interval(), 70);
    test::click(*w, u"SWIPEstp"_s);
    QVERIFY(!timer(*w, u"Timercj"_s)->isActive() && !timer(*w, u"Timerdur"_s)->isActive());

    QCOMPARE(w->width(), 367);
    QVERIFY(!indicator->isVisibleTo(w));
    test::click(*w, u"N_Shape1"_s);
    QCOMPARE(w->width(), 471);
    QVERIFY(indicator->isVisibleTo(w));

    fill(*w, {{u"X1"_s, u"1"_s}, {u"Y1"_s, u"2"_s}, {u"X2"_s, u"3"_s}, {u"Y2"_s, u"4"_s}});
    test::click(*w, u"cha"_s);
    QCOMPARE(t.commandBox(), u"2"_s);
    test::click(*w, u"cha"_s);
    QCOMPARE(t.commandBox(), u"4"_s);
    QCOMPARE(box(*w, u"X1"_s)->text() + box(*w, u"Y1"_s)->text() + box(*w, u"X2"_s)->text() +
                 box(*w, u"Y2"_s)->text(),
             u"1234"_s);
}

QTEST_MAIN(InputWindowsTest)
#include "input_windows_test.moc"
