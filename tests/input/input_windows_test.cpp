#include "app/qt_text.h"
#include "core/typed_text.h"
#include "input/input_commands.h"
#include "input/keysimu.h"
#include "input/touchsimu.h"
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

const QString kSwipe = u"adb shell input swipe "_s;

// "X1=540 Textdely=" sets X1 to 540 and empties Textdely.
void fill(QWidget& window, const QString& assignments) {
    for (const QString& assignment : assignments.split(u' ')) {
        const qsizetype equals = assignment.indexOf(u'=');
        test::control<QLineEdit>(window, assignment.left(equals))
            ->setText(assignment.mid(equals + 1));
    }
}

QString points(QWidget& window) {
    return QStringList{test::boxText(window, u"X1"_s), test::boxText(window, u"Y1"_s),
                       test::boxText(window, u"X2"_s), test::boxText(window, u"Y2"_s)}
        .join(u' ');
}

QTimer* timer(QWidget& window, const QString& name) {
    return window.findChild<QTimer*>(name);
}

// The lines started, without the hidden prefix; any other form shows as the whole line.
QStringList hidden(test::TestApp& t) {
    QStringList commands;
    for (const test::StartedLine& started : t.started()) {
        const bool isHidden =
            started.mode == launch::WindowMode::Hidden && started.line.startsWith(u"cmd /c "_s);
        commands << (isHidden ? started.line.mid(7) : started.line);
    }
    return commands;
}

void expectOneMessage(test::TestApp& t, const QString& message) {
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, message);
    QCOMPARE(t.messages().first().title, u"警告!"_s);
    QCOMPARE(t.messages().first().icon, MessageIcon::Critical);
}

} // namespace

class InputWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void keys();
    void sendText();
    void modesAndPresets_data();
    void modesAndPresets();
    void threeCycles();
    void swipeAndTwoPoints();
    void intervals_data();
    void intervals();
    void rangeRefusals();
    void refusedRestart_data();
    void refusedRestart();
    void indicatorRevealAndSwap();
};

// Every key button, in any mouse button, puts its key's command into the command box and runs it
// hidden; all of them light up alike under the pointer. The key texts are pinned in
// input_commands_test.
void InputWindowsTest::keys() {
    const std::pair<const char*, const FixedCommand*> rows[] = {
        {"N_Shapeprev", &input::kKeyPrevious},  {"N_Shapenex", &input::kKeyNext},
        {"N_Shapepaus", &input::kKeyPlayPause}, {"N_Shapeleft", &input::kKeyLeft},
        {"N_Shaperight", &input::kKeyRight},    {"N_Shapedown", &input::kKeyDown},
        {"Enter", &input::kKeyEnter},           {"N_Shapetop", &input::kKeyUp},
        {"N_Shape4", &input::kKeyBack},         {"MEUNWARD", &input::kKeyRecentApps},
        {"HOMEWARD", &input::kKeyHome},         {"BACKWARD", &input::kKeyBack},
        {"LOCKSCR", &input::kKeyPower},         {"VOLDOWN", &input::kKeyVolumeDown},
        {"VOLUP", &input::kKeyVolumeUp},        {"MUTE", &input::kKeyMute},
    };
    test::TestApp t;
    keysimu* window = t.app().open<keysimu>();
    const QColor hover = test::control<N_Shape>(*window, u"BACKWARD"_s)->backColorHover();
    for (const auto& [button, command] : rows) {
        QCOMPARE(test::control<N_Shape>(*window, QString::fromLatin1(button))->backColorHover(),
                 hover);
        t.clearRecords();
        test::click(*window, QString::fromLatin1(button), Qt::RightButton);
        QVERIFY2(t.ranOnly(command->text.toString(), command->form.mode), t.mismatch());
    }
}

// "发送" sends the text as the input tool's one argument; "清除" then empties only the text box.
void InputWindowsTest::sendText() {
    test::TestApp t;
    keysimu* window = t.app().open<keysimu>();
    test::control<QLineEdit>(*window, u"Textsend"_s)->setText(u"a b"_s);
    test::click(*window, u"N_Shapesendd"_s);
    test::click(*window, u"N_Shape6clear"_s);
    QVERIFY2(t.ranOnly(u"adb shell input text 'a%^sb'"_s), t.mismatch());
    QCOMPARE(test::boxText(*window, u"Textsend"_s), QString());
}

void InputWindowsTest::modesAndPresets_data() {
    QTest::addColumn<QString>("clicks");
    // Tap and swipe options, two-point value, twopo shown, second point shown; then interval,
    // duration, count, X1, Y2.
    QTest::addColumn<QString>("state");
    QTest::newRow("loaded") << QString() << u"1 0 0 shown hidden ||||"_s;
    QTest::newRow("swipe") << u"OPTSWI"_s << u"0 1 0 hidden shown ||||"_s;
    QTest::newRow("two points") << u"twopo"_s << u"1 0 1 shown shown ||||"_s;
    QTest::newRow("swipe, tap") << u"OPTSWI OPTPRE"_s << u"1 0 0 shown hidden ||||"_s;
    QTest::newRow("快速翻页") << u"SM"_s << u"0 1 0 hidden shown 200|50|9999|540|600"_s;
    QTest::newRow("Normal Mode") << u"twopo NMM"_s << u"1 0 0 hidden hidden 500|1|9999||"_s;
    QTest::newRow("Turbo Mode") << u"OPTSWI TM"_s << u"1 0 1 shown shown 80|1|9999||"_s;
    QTest::newRow("Turbo Mode again") << u"TM twopo TM"_s << u"1 0 0 shown hidden 80|1|9999||"_s;
}

void InputWindowsTest::modesAndPresets() {
    QFETCH(QString, clicks);
    QFETCH(QString, state);
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    for (const QString& name : clicks.split(u' ', Qt::SkipEmptyParts)) {
        test::click(*w, name);
    }
    const auto shown = [w](const QString& name) {
        return test::control<QWidget>(*w, name)->isVisibleTo(w) ? u"shown"_s : u"hidden"_s;
    };
    QString second = shown(u"X2"_s);
    for (const QString& name : {u"Y2"_s, u"Labelx2"_s, u"Labely2"_s}) {
        second += shown(name) == second ? QString() : u"<%1 differs>"_s.arg(name);
    }
    QStringList texts;
    for (const QString& name : {u"Textdely"_s, u"DURA"_s, u"Textcishu"_s, u"X1"_s, u"Y2"_s}) {
        texts << test::boxText(*w, name);
    }
    QCOMPARE(u"%1 %2 %3 %4 %5 "_s.arg(int(test::control<OptionButton>(*w, u"OPTPRE"_s)->value()))
                     .arg(int(test::control<OptionButton>(*w, u"OPTSWI"_s)->value()))
                     .arg(test::control<CheckButton>(*w, u"twopo"_s)->value())
                     .arg(shown(u"twopo"_s), second) +
                 texts.join(u'|'),
             state);
}

// A count of 3: three cycles, each shifted from the bases taken at start, then the repeat timer
// stops while the indicator goes on.
void InputWindowsTest::threeCycles() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, u"X1=0540 Y1=1600.5 Y2=9 DURA=50 Textdely=80 Textcishu=3 PYL=3"_s);
    test::click(*w, u"SWIPEGO"_s);
    QCOMPARE(timer(*w, u"Timerdur"_s)->interval(), 80);
    QCOMPARE(timer(*w, u"Timerdur"_s)->timerType(), Qt::PreciseTimer);
    // Two draws per offset: x1 +2, y1 −2, x2 0, y2 +1; then all 0; then x1 −1.
    t.fakes().random.script = {0.99, 0, 0, 0.99, 0.5, 0.5, 0.4, 0.1};
    t.fakes().random.script.insert(t.fakes().random.script.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5});
    QStringList shifted;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(timer(*w, u"Timerdur"_s)->isActive());
        test::fireTimer(*w, u"Timerdur"_s);
        shifted << points(*w);
    }
    QCOMPARE(shifted,
             (QStringList{u"542 1598.5 0 10"_s, u"540 1600.5 0 9"_s, u"539 1600.5 0 9"_s}));
    // No message either, at the start or in a cycle.
    QVERIFY2(
        t.ranOnly({kSwipe + u"542 1598.5 542 1598.5 50"_s, kSwipe + u"540 1600.5 540 1600.5 50"_s,
                   kSwipe + u"539 1600.5 539 1600.5 50"_s}),
        t.mismatch());
    QVERIFY(!timer(*w, u"Timerdur"_s)->isActive());
    // The indicator counts on once the run ended, while it can be seen.
    QVERIFY(!timer(*w, u"Timercj"_s)->isActive());
    test::click(*w, u"N_Shape1"_s);
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
}

// Two-point taps wait between the presses for the interval as the box reads at that cycle (99.5
// made whole, then 250 typed during the run); one out of range stops the run before a press.
void InputWindowsTest::swipeAndTwoPoints() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    test::click(*w, u"OPTSWI"_s);
    fill(*w, u"X1=1 Y1=2 X2=3 Y2=4 DURA=5 Textdely=99.5"_s);
    test::click(*w, u"SWIPEGO"_s);
    test::fireTimer(*w, u"Timerdur2"_s);
    test::click(*w, u"OPTPRE"_s);
    test::click(*w, u"twopo"_s);
    test::click(*w, u"SWIPEGO"_s);
    test::fireTimer(*w, u"Timerdur"_s);
    QCOMPARE(hidden(t), (QStringList{kSwipe + u"1 2 3 4 5"_s, kSwipe + u"1 2 1 2 5"_s,
                                     kSwipe + u"3 4 3 4 5"_s}));
    QCOMPARE(t.fakes().pause.slept, QList<int>{100});
    fill(*w, u"Textdely=250"_s);
    test::fireTimer(*w, u"Timerdur"_s);
    QCOMPARE(t.fakes().pause.slept, (QList<int>{100, 250}));
    t.clearRecords();
    fill(*w, u"Textdely=65536"_s);
    test::fireTimer(*w, u"Timerdur"_s);
    QVERIFY(hidden(t).isEmpty());
    expectOneMessage(t, qtText(kOutOfRangeMessage));
    QVERIFY(!timer(*w, u"Timerdur"_s)->isActive());
}

void InputWindowsTest::intervals_data() {
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
void InputWindowsTest::intervals() {
    QFETCH(QString, interval);
    QFETCH(bool, warned);
    QFETCH(bool, repeats);
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    test::click(*w, u"N_Shape1"_s); // the indicator shown
    fill(*w, u"Textdely=100"_s);
    test::click(*w, u"SWIPEGO"_s);
    fill(*w, u"Textdely="_s + interval);
    test::click(*w, u"SWIPEGO"_s);
    if (warned) {
        expectOneMessage(t, u"小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！"_s);
    }
    QCOMPARE(t.messages().size(), warned ? 1 : 0);
    QCOMPARE(timer(*w, u"Timerdur"_s)->isActive(), repeats);
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
    QVERIFY(t.started().isEmpty());
}

// Out of range at start: refused before the short-interval warning, nothing started. In a cycle
// (Y2 shifted past 32767): nothing sent and the run stopped, its indicator too (shown, so that it
// would count).
void InputWindowsTest::rangeRefusals() {
    for (const QString& typed : {u"Textdely=65535.5"_s, u"X1=1e999"_s}) {
        test::TestApp t;
        touchsimu* w = t.app().open<touchsimu>();
        test::click(*w, u"N_Shape1"_s);
        fill(*w, u"Textdely=1 "_s + typed);
        test::click(*w, u"SWIPEGO"_s);
        expectOneMessage(t, qtText(kOutOfRangeMessage));
        QVERIFY(!timer(*w, u"Timercj"_s)->isActive() && !timer(*w, u"Timerdur"_s)->isActive());
    }
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    test::click(*w, u"N_Shape1"_s);
    fill(*w, u"Y2=32767 PYL=2 Textdely=100 Textcishu=9"_s);
    test::click(*w, u"SWIPEGO"_s);
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
    t.fakes().random.script = {0, 0, 0, 0, 0, 0, 0.9, 0};
    test::fireTimer(*w, u"Timerdur"_s);
    expectOneMessage(t, qtText(kOutOfRangeMessage));
    QVERIFY(t.started().isEmpty());
    QCOMPARE(points(*w), u"   32767"_s);
    QVERIFY(!timer(*w, u"Timerdur"_s)->isActive() && !timer(*w, u"Timercj"_s)->isActive());
}

void InputWindowsTest::refusedRestart_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("refused");
    // Every refused value takes the same path (rangeRefusals tables them); one row per run kind.
    QTest::newRow("swipe, duration") << u"OPTSWI"_s << u"DURA=99999"_s;
    QTest::newRow("tap, Y2") << u"OPTPRE"_s << u"Y2=40000"_s;
}

// A start replaces the run going; a refused one leaves none going, so no timer ticks on into
// further commands, and the indicator stops with it.
void InputWindowsTest::refusedRestart() {
    QFETCH(QString, mode);
    QFETCH(QString, refused);
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    test::click(*w, u"N_Shape1"_s); // the indicator shown, so that it counts
    test::click(*w, mode);
    fill(*w, u"X1=1 Y1=2 X2=3 Y2=4 DURA=50 Textdely=200 Textcishu=9999"_s);
    test::click(*w, u"SWIPEGO"_s);
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
    const QString first = mode == u"OPTSWI"_s ? u"Timerdur2"_s : u"Timerdur"_s;
    test::fireTimer(*w, first);
    QCOMPARE(t.started().size(), 1);
    t.clearRecords();

    fill(*w, refused);
    test::click(*w, u"SWIPEGO"_s);
    expectOneMessage(t, qtText(kOutOfRangeMessage));
    // Let every timer that still runs run out, as the event loop would.
    for (int tick = 0; tick < 3; ++tick) {
        for (const QString& name : {u"Timerdur"_s, u"Timerdur2"_s, u"Timercj"_s}) {
            if (timer(*w, name)->isActive()) {
                test::fireTimer(*w, name);
            }
        }
    }
    QVERIFY(t.started().isEmpty());
    QVERIFY(!timer(*w, u"Timercj"_s)->isActive());
}

void InputWindowsTest::indicatorRevealAndSwap() {
    test::TestApp t;
    touchsimu* w = t.app().open<touchsimu>();
    fill(*w, u"Textdely=100"_s);
    test::click(*w, u"SWIPEGO"_s);
    auto* indicator = test::control<QLabel>(*w, u"Labelcj"_s);
    // Until the window is widened the indicator is not seen, and does not count.
    QCOMPARE(w->width(), 367);
    QVERIFY(!indicator->isVisibleTo(w));
    QVERIFY(!timer(*w, u"Timercj"_s)->isActive());
    test::click(*w, u"N_Shape1"_s);
    QCOMPARE(w->width(), 471);
    QVERIFY(indicator->isVisibleTo(w));
    QVERIFY(timer(*w, u"Timercj"_s)->isActive());
    QString shown;
    for (int i = 0; i < 10; ++i) {
        test::fireTimer(*w, u"Timercj"_s);
        shown += indicator->text();
    }
    QCOMPARE(shown, u"0123456781"_s);
    QCOMPARE(timer(*w, u"Timercj"_s)->interval(), 70);
    test::click(*w, u"SWIPEstp"_s);
    QVERIFY(!timer(*w, u"Timercj"_s)->isActive() && !timer(*w, u"Timerdur"_s)->isActive());

    // The swap goes through the command box, which keeps Y1's former text.
    fill(*w, u"X1=1 Y1=2 X2=3 Y2=4"_s);
    test::click(*w, u"cha"_s);
    QCOMPARE(points(*w) + u'|' + t.commandBox(), u"3 4 1 2|2"_s);
    test::click(*w, u"cha"_s);
    QCOMPARE(points(*w) + u'|' + t.commandBox(), u"1 2 3 4|4"_s);
}

QTEST_MAIN(InputWindowsTest)
#include "input_windows_test.moc"
