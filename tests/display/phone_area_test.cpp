#include "display/phone_area.h"

#include "app/app.h"
#include "display/display_commands.h"
#include "display/font_scale_offset.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"
#include "support/window_checks.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace kavu;
using namespace kavu::test;

namespace {

const QString kFontScale = QStringLiteral("adb shell settings put system font_scale ");
// The scale the reset sends, after kFontScale; pinned in display_commands_test.
const QString kResetScale = display::kFontScaleReset.text.toString().mid(kFontScale.size());
const QString kScaleCaption = QStringLiteral("当前操作缩放为：");

// '+' is "增大", '-' is "减小", 'r' is "恢复".
QString buttonFor(QChar click) {
    if (click == QLatin1Char('+')) {
        return QStringLiteral("N_Shapefd");
    }
    if (click == QLatin1Char('-')) {
        return QStringLiteral("N_Shapefx");
    }
    return QStringLiteral("N_Shapeztmr");
}

void clickSequence(QWidget& window, const QString& clicks) {
    for (const QChar button : clicks) {
        click(window, buttonFor(button));
    }
}

// What the font-scale commands sent, after the fixed prefix, checking that each ran hidden.
QStringList fontScalesSent(TestApp& t) {
    QStringList scales;
    for (const StartedLine& started : t.started()) {
        if (started.mode != launch::WindowMode::Hidden ||
            !started.line.startsWith(kHiddenPrefix + kFontScale)) {
            scales << QStringLiteral("<unexpected: %1>").arg(started.line);
            continue;
        }
        scales << started.line.mid(kHiddenPrefix.size() + kFontScale.size());
    }
    return scales;
}

QString label(QWidget& window) {
    return shownText(window, QStringLiteral("Labelsfbs"));
}

} // namespace

class PhoneAreaTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // The window as loaded.
    void captions_data();
    void captions();
    void opensCentred();
    void labelsShowTheirWholeText();
    void framesSideBySide();
    void animationRows_data();
    void animationRows();

    // Frame "动画速度修改".
    void animationScale_data();
    void animationScale();

    // Frame "字体缩放".
    void fontScaleSteps_data();
    void fontScaleSteps();
    void offsetKeepsItsExactSum();
    void offsetOutlivesTheWindow_data();
    void offsetOutlivesTheWindow();
    void offsetOwnedByTheCaller();

private:
    std::unique_ptr<TestApp> m_t;
    // The program's offset, which outlives the windows.
    FontScaleOffset m_offset;
    PhoneArea* m_window = nullptr;
};

void PhoneAreaTest::init() {
    m_t = std::make_unique<TestApp>();
    m_offset = FontScaleOffset();
    m_window = m_t->app().open<PhoneArea>(m_offset);
    QVERIFY(m_window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_t->clearRecords();
}

void PhoneAreaTest::cleanup() {
    m_window = nullptr;
    m_t.reset();
}

// ---- the window as loaded ----------------------------------------------------------------

void PhoneAreaTest::captions_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");

    const auto row = [](const char* control, const char* caption) {
        QTest::newRow(control) << QString::fromUtf8(control) << QString::fromUtf8(caption);
    };
    row("Fraame2", "字体缩放");
    row("Labeljdts", "字体缩放最高精度0.02");
    row("Labelsfbs", "当前操作缩放为：1");
    row("N_Shapefd", "增大");
    row("N_Shapefx", "减小");
    row("N_Shapeztmr", "恢复");
    row("JMTZ4", "动画速度修改");
    row("Labelscas", "动画速度最高精度0.01");
    row("WINSL", "窗口：");
    row("WINS", "");
    row("WINSOK", "√");
    row("DURASL", "过渡：");
    row("DURAS", "");
    row("DURASOK", "√");
    row("PROGSL", "程序：");
    row("PROGS", "");
    row("PROGSOK", "√");
}

void PhoneAreaTest::captions() {
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QCOMPARE(shownText(*m_window, control), caption);
}

void PhoneAreaTest::opensCentred() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("无极调节"));
    QCOMPARE(m_window->size(), QSize(367, 153));
    QVERIFY(test::isCentredOnScreen(*m_window));
    QVERIFY(m_t->started().isEmpty());
}

// No label cuts its text off, the longest font scale the label shows included.
void PhoneAreaTest::labelsShowTheirWholeText() {
    clickSequence(*m_window, QString(51, QLatin1Char('-')));
    QCOMPARE(label(*m_window), kScaleCaption + QStringLiteral("-0.02"));
    const QList<QLabel*> labels = m_window->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 6);
    for (const QLabel* shown : labels) {
        QVERIFY2(shown->sizeHint().width() <= shown->width() &&
                     shown->sizeHint().height() <= shown->height(),
                 qPrintable(shown->objectName()));
    }
}

// Font scale on the left, animation speed on the right, both inside the window.
void PhoneAreaTest::framesSideBySide() {
    const QRect font = placeOf(*m_window, QStringLiteral("Fraame2"));
    const QRect animation = placeOf(*m_window, QStringLiteral("JMTZ4"));
    QVERIFY(!font.isEmpty() && !animation.isEmpty());
    QVERIFY(m_window->rect().contains(font) && m_window->rect().contains(animation));
    QVERIFY(font.right() < animation.left());
    QVERIFY(font.top() < animation.bottom() && animation.top() < font.bottom());
}

void PhoneAreaTest::animationRows_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rowBelow"); // the box of the next row down; empty for the last

    QTest::newRow("window") << QStringLiteral("WINSL") << QStringLiteral("WINS")
                            << QStringLiteral("WINSOK") << QStringLiteral("DURAS");
    QTest::newRow("transition") << QStringLiteral("DURASL") << QStringLiteral("DURAS")
                                << QStringLiteral("DURASOK") << QStringLiteral("PROGS");
    QTest::newRow("animator") << QStringLiteral("PROGSL") << QStringLiteral("PROGS")
                              << QStringLiteral("PROGSOK") << QString();
}

// Each row reads label, box, button from left to right; "窗口：" on top, "程序：" at the bottom.
void PhoneAreaTest::animationRows() {
    QFETCH(QString, caption);
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(QString, rowBelow);

    const QRect frame = placeOf(*m_window, QStringLiteral("JMTZ4"));
    const QRect captionPlace = placeOf(*m_window, caption);
    const QRect boxPlace = placeOf(*m_window, box);
    const QRect buttonPlace = placeOf(*m_window, button);
    for (const QRect& place : {captionPlace, boxPlace, buttonPlace}) {
        QVERIFY(!place.isEmpty());
        QVERIFY(frame.contains(place));
        QCOMPARE(place.center().y(), boxPlace.center().y());
    }
    QVERIFY(captionPlace.right() < boxPlace.left());
    QVERIFY(boxPlace.right() < buttonPlace.left());
    if (!rowBelow.isEmpty()) {
        QVERIFY(boxPlace.bottom() < placeOf(*m_window, rowBelow).top());
    }
}

// ---- frame "动画速度修改" ----------------------------------------------------------------

void PhoneAreaTest::animationScale_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("command");

    const QString window = QStringLiteral("adb shell settings put global window_animation_scale ");
    const QString transition =
        QStringLiteral("adb shell settings put global transition_animation_scale ");
    const QString animator =
        QStringLiteral("adb shell settings put global animator_duration_scale ");
    QTest::newRow("window 0.5") << QStringLiteral("WINS") << QStringLiteral("WINSOK")
                                << QStringLiteral("0.5") << window + QStringLiteral("0.5");
    QTest::newRow("transition empty") << QStringLiteral("DURAS") << QStringLiteral("DURASOK")
                                      << QString() << transition + QStringLiteral("0");
    QTest::newRow("animator 1.50") << QStringLiteral("PROGS") << QStringLiteral("PROGSOK")
                                   << QStringLiteral("1.50") << animator + QStringLiteral("1.5");
    QTest::newRow("window abc") << QStringLiteral("WINS") << QStringLiteral("WINSOK")
                                << QStringLiteral("abc") << window + QStringLiteral("0");
    QTest::newRow("transition loosely typed")
        << QStringLiteral("DURAS") << QStringLiteral("DURASOK") << QStringLiteral(" 0.75x")
        << transition + QStringLiteral("0.75");
    QTest::newRow("animator tiny")
        << QStringLiteral("PROGS") << QStringLiteral("PROGSOK") << QStringLiteral("0.00001")
        << animator + QStringLiteral("1E-05");
    QTest::newRow("animator with a second command typed")
        << QStringLiteral("PROGS") << QStringLiteral("PROGSOK") << QStringLiteral("2&calc")
        << animator + QStringLiteral("2");
}

void PhoneAreaTest::animationScale() {
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(QString, command);

    typeInto(*m_window, box, typed);
    click(*m_window, button);

    QVERIFY2(m_t->ranOnly(command), m_t->mismatch());
    QCOMPARE(boxText(*m_window, box), typed);
    QCOMPARE(label(*m_window), kScaleCaption + QStringLiteral("1"));
}

// ---- frame "字体缩放" --------------------------------------------------------------------

void PhoneAreaTest::fontScaleSteps_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QStringList>("lastSent");
    QTest::addColumn<QString>("shown");

    QTest::newRow("three up") << QStringLiteral("+++")
                              << QStringList{QStringLiteral("1.02"), QStringLiteral("1.04"),
                                             QStringLiteral("1.06")}
                              << QStringLiteral("1.06");
    QTest::newRow("up then down lands on 1")
        << QStringLiteral("+-") << QStringList{QStringLiteral("1.02"), QStringLiteral("1")}
        << QStringLiteral("1");
    QTest::newRow("six up without noise")
        << QStringLiteral("++++++") << QStringList{QStringLiteral("1.1"), QStringLiteral("1.12")}
        << QStringLiteral("1.12");
    QTest::newRow("fifty down reach 0")
        << QString(50, QLatin1Char('-')) << QStringList{QStringLiteral("0")} << QStringLiteral("0");
    QTest::newRow("the fifty-first goes below 0")
        << QString(51, QLatin1Char('-'))
        << QStringList{QStringLiteral("0"), QStringLiteral("-0.02")} << QStringLiteral("-0.02");
    QTest::newRow("fifty up reach 2")
        << QString(50, QLatin1Char('+')) << QStringList{QStringLiteral("1.98"), QStringLiteral("2")}
        << QStringLiteral("2");
    QTest::newRow("reset sends 1.0")
        << QStringLiteral("++r") << QStringList{QStringLiteral("1.04"), kResetScale}
        << QStringLiteral("1");
    QTest::newRow("steps start again from 1 after reset")
        << QStringLiteral("---r+")
        << QStringList{QStringLiteral("0.94"), kResetScale, QStringLiteral("1.02")}
        << QStringLiteral("1.02");
    QTest::newRow("reset alone") << QStringLiteral("r") << QStringList{kResetScale}
                                 << QStringLiteral("1");
}

void PhoneAreaTest::fontScaleSteps() {
    QFETCH(QString, clicks);
    QFETCH(QStringList, lastSent);
    QFETCH(QString, shown);

    clickSequence(*m_window, clicks);

    const QStringList sent = fontScalesSent(*m_t);
    QCOMPARE(sent.size(), clicks.size());
    QCOMPARE(sent.mid(sent.size() - lastSent.size()), lastSent);
    QCOMPARE(m_t->commandBox(), kFontScale + lastSent.last());
    QCOMPARE(label(*m_window), kScaleCaption + shown);
    QVERIFY(m_t->messages().isEmpty());
}

// The stored offset is the plain double sum; only what is sent and shown is cleaned.
void PhoneAreaTest::offsetKeepsItsExactSum() {
    clickSequence(*m_window, QString(6, QLatin1Char('+')));

    double sum = 0.0;
    for (int i = 0; i < 6; ++i) {
        sum += 0.02;
    }
    QVERIFY(sum != 0.12); // the noise the cleaning removes
    QCOMPARE(m_offset.offset(), sum);
    QCOMPARE(m_offset.fontScale(), 1.12);
}

void PhoneAreaTest::offsetOutlivesTheWindow_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("lastSent");

    QTest::newRow("two up, reopen, up")
        << QStringLiteral("++") << QStringLiteral("+") << QStringLiteral("1.06");
    QTest::newRow("two up, reopen, down")
        << QStringLiteral("++") << QStringLiteral("-") << QStringLiteral("1.02");
    QTest::newRow("reset, reopen, down")
        << QStringLiteral("++r") << QStringLiteral("-") << QStringLiteral("0.98");
    QTest::newRow("nothing, reopen, up")
        << QString() << QStringLiteral("+") << QStringLiteral("1.02");
}

void PhoneAreaTest::offsetOutlivesTheWindow() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, lastSent);

    clickSequence(*m_window, before);
    typeInto(*m_window, QStringLiteral("WINS"), QStringLiteral("0.5"));
    closeWindow(m_window);
    QVERIFY(m_t->app().find<PhoneArea>() == nullptr);

    m_window = m_t->app().open<PhoneArea>(m_offset);
    QVERIFY(m_window != nullptr);
    // The controls are loaded afresh; the offset is not.
    QCOMPARE(label(*m_window), kScaleCaption + QStringLiteral("1"));
    QCOMPARE(boxText(*m_window, QStringLiteral("WINS")), QString());

    clickSequence(*m_window, after);
    QCOMPARE(fontScalesSent(*m_t).last(), lastSent);
    QCOMPARE(label(*m_window),
             kScaleCaption + (lastSent == kResetScale ? QStringLiteral("1") : lastSent));
}

void PhoneAreaTest::offsetOwnedByTheCaller() {
    FontScaleOffset offset;
    offset.stepUp(); // 1.02 before the window exists
    {
        PhoneArea window(m_t->app(), offset);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(label(window), kScaleCaption + QStringLiteral("1"));
        clickSequence(window, QStringLiteral("+"));
    }
    QCOMPARE(fontScalesSent(*m_t), QStringList{QStringLiteral("1.04")});
    QCOMPARE(offset.fontScale(), 1.04);
    // The program's own offset, used by the window the launcher opens, was not touched.
    QCOMPARE(m_offset.offset(), 0.0);
}

QTEST_MAIN(PhoneAreaTest)
#include "phone_area_test.moc"
