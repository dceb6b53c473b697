#include "widgets/check_button.h"

#include "kit_script.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kavu;

namespace {

std::unique_ptr<CheckButton> makeCheck(int value) {
    auto check = std::make_unique<CheckButton>();
    check->setCaption(u"电池"_s);
    check->resize(100, 20);
    check->setValue(value);
    return check;
}

void sendEnter(CheckButton& check) {
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), check.mapToGlobal(QPointF(3, 3)));
    QCoreApplication::sendEvent(&check, &enter);
}

} // namespace

class CheckButtonTest : public QObject {
    Q_OBJECT

private slots:
    void leftClickChangesValue_data();
    void leftClickChangesValue();
    void otherClicksDoNotChangeValue_data();
    void otherClicksDoNotChangeValue();
    void keysDoNotChangeValue_data();
    void keysDoNotChangeValue();
    void settingFromCodeRaisesNothing_data();
    void settingFromCodeRaisesNothing();
    void disabledTakesNoInput_data();
    void disabledTakesNoInput();
    void glyphFollowsValueAndLook_data();
    void glyphFollowsValueAndLook();
    void sizeHintFitsCaption();
    void hoverGlyphAndMouseOut_data();
    void hoverGlyphAndMouseOut();
    void events_data();
    void events();
    void mouseOutOnceAfterFirstShown_data();
    void mouseOutOnceAfterFirstShown();
};

void CheckButtonTest::leftClickChangesValue_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("unchecked -> checked") << 0 << 1 << true;
    QTest::newRow("checked -> unchecked") << 1 << 0 << false;
    QTest::newRow("grey -> unchecked") << 2 << 0 << false;
    QTest::newRow("other value stays") << 7 << 7 << false;
}

void CheckButtonTest::leftClickChangesValue() {
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(bool, checkedAfter);

    auto check = makeCheck(before);
    QSignalSpy click(check.get(), &CheckButton::Click);
    int valueInHandler = -1;
    connect(check.get(), &CheckButton::Click, check.get(),
            [&] { valueInHandler = check->value(); });

    QTest::mouseClick(check.get(), Qt::LeftButton, {}, QPoint(5, 10));

    QCOMPARE(click.count(), 1);
    QCOMPARE(valueInHandler, after);
    QCOMPARE(check->value(), after);
    QCOMPARE(check->isChecked(), checkedAfter);
    QCOMPARE(check->property("Value").toInt(), after);
}

void CheckButtonTest::otherClicksDoNotChangeValue_data() {
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<int>("buttonValue");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("value");

    QTest::newRow("right") << Qt::RightButton << 2 << QPoint(30, 10) << QPoint(30, 10) << 0;
    QTest::newRow("middle") << Qt::MiddleButton << 4 << QPoint(30, 10) << QPoint(30, 10) << 0;
    QTest::newRow("left, released outside")
        << Qt::LeftButton << 1 << QPoint(5, 10) << QPoint(250, 10) << 1;
}

void CheckButtonTest::otherClicksDoNotChangeValue() {
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(int, buttonValue);
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, value);

    auto check = makeCheck(value);
    QSignalSpy click(check.get(), &CheckButton::Click);
    QSignalSpy down(check.get(), &CheckButton::MouseDown);

    QTest::mousePress(check.get(), mouseButton, {}, pressAt);
    QTest::mouseRelease(check.get(), mouseButton, {}, releaseAt);

    QCOMPARE(click.count(), 0);
    QCOMPARE(check->value(), value);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(0).toInt(), buttonValue);
}

void CheckButtonTest::keysDoNotChangeValue_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("value");

    QTest::newRow("Alt+Space on unchecked") << int(Qt::Key_Space) << int(Qt::AltModifier) << 0;
    QTest::newRow("Alt+Return on grey") << int(Qt::Key_Return) << int(Qt::AltModifier) << 2;
    QTest::newRow("letter") << int(Qt::Key_X) << 0 << 1;
}

void CheckButtonTest::keysDoNotChangeValue() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, value);

    auto check = makeCheck(value);
    QSignalSpy click(check.get(), &CheckButton::Click);

    QTest::keyClick(check.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(click.count(), 0);
    QCOMPARE(check->value(), value);
}

void CheckButtonTest::settingFromCodeRaisesNothing_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("Value checked") << QByteArray("Value") << QVariant(1);
    QTest::newRow("Value grey") << QByteArray("Value") << QVariant(2);
    QTest::newRow("Caption") << QByteArray("Caption") << QVariant(u"飞行模式"_s);
    QTest::newRow("Enabled") << QByteArray("enabled") << QVariant(false);
    QTest::newRow("ForeColor") << QByteArray("ForeColor") << QVariant(QColor(255, 0, 0));
}

void CheckButtonTest::settingFromCodeRaisesNothing() {
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);

    QWidget window;
    auto* check = new CheckButton(&window);
    auto* partner = new CheckButton(&window);
    partner->setValue(1);
    QSignalSpy click(check, &CheckButton::Click);
    QSignalSpy partnerClick(partner, &CheckButton::Click);

    QVERIFY(check->setProperty(property.constData(), value));

    QCOMPARE(check->property(property.constData()), value);
    QCOMPARE(click.count(), 0);
    QCOMPARE(partnerClick.count(), 0);
    QCOMPARE(partner->value(), 1);
}

void CheckButtonTest::disabledTakesNoInput_data() {
    QTest::addColumn<int>("value");

    QTest::newRow("unchecked") << 0;
    QTest::newRow("checked") << 1;
    QTest::newRow("grey") << 2;
}

void CheckButtonTest::disabledTakesNoInput() {
    QFETCH(int, value);

    auto check = makeCheck(value);
    check->setEnabled(false);
    QSignalSpy click(check.get(), &CheckButton::Click);
    QSignalSpy down(check.get(), &CheckButton::MouseDown);

    QTest::mouseClick(check.get(), Qt::LeftButton, {}, QPoint(5, 10));
    QTest::keyClick(check.get(), Qt::Key_Space);

    QCOMPARE(click.count(), 0);
    QCOMPARE(down.count(), 0);
    QCOMPARE(check->value(), value);
    QCOMPARE(check->glyph(), 4 * value + 3);
    QCOMPARE(check->captionColor(), QColor(161, 161, 146));

    check->setEnabled(true);
    QCOMPARE(check->glyph(), 4 * value);
    QCOMPARE(check->captionColor(), QColor(0, 0, 0));
}

void CheckButtonTest::glyphFollowsValueAndLook_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<int>("glyph");

    // Hovering alone is in hoverGlyphAndMouseOut.
    QTest::newRow("unchecked, normal") << 0 << false << false << 0;
    QTest::newRow("unchecked, pressed") << 0 << true << true << 2;
    QTest::newRow("checked, normal") << 1 << false << false << 4;
    QTest::newRow("grey, pressed") << 2 << false << true << 10;
    QTest::newRow("other value looks unchecked") << 9 << false << false << 0;
}

void CheckButtonTest::glyphFollowsValueAndLook() {
    QFETCH(int, value);
    QFETCH(bool, hover);
    QFETCH(bool, pressed);
    QFETCH(int, glyph);

    auto check = makeCheck(value);
    if (hover)
        sendEnter(*check);
    if (pressed)
        QTest::mousePress(check.get(), Qt::LeftButton, {}, QPoint(5, 10));

    QCOMPARE(check->glyph(), glyph);
}

void CheckButtonTest::sizeHintFitsCaption() {
    CheckButton shortCaption;
    shortCaption.setCaption(u"时间"_s);
    CheckButton longCaption;
    longCaption.setCaption(u"静音(振动) 和更多的说明文字"_s);

    QVERIFY(shortCaption.sizeHint().width() >=
            16 + shortCaption.fontMetrics().horizontalAdvance(shortCaption.caption()));
    QVERIFY(longCaption.sizeHint().width() > shortCaption.sizeHint().width());
    QVERIFY(shortCaption.sizeHint().height() >= 13);
}

void CheckButtonTest::hoverGlyphAndMouseOut_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("glyphInside");
    QTest::addColumn<int>("glyphOutside");
    QTest::addColumn<int>("mouseOuts");

    QTest::newRow("unchecked") << 0 << true << 1 << 0 << 1;
    QTest::newRow("checked") << 1 << true << 5 << 4 << 1;
    QTest::newRow("grey") << 2 << true << 9 << 8 << 1;
    QTest::newRow("disabled checked") << 1 << false << 7 << 7 << 0;
}

void CheckButtonTest::hoverGlyphAndMouseOut() {
    QFETCH(int, value);
    QFETCH(bool, enabled);
    QFETCH(int, glyphInside);
    QFETCH(int, glyphOutside);
    QFETCH(int, mouseOuts);

    auto check = makeCheck(value);
    check->setEnabled(enabled);
    QSignalSpy out(check.get(), &CheckButton::MouseOut);

    sendEnter(*check);
    QCOMPARE(check->glyph(), glyphInside);
    QCOMPARE(out.count(), 0);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(check.get(), &leave);
    QCOMPARE(check->glyph(), glyphOutside);
    QCOMPARE(out.count(), mouseOuts);
}

void CheckButtonTest::events_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("glyphAfter");

    // The click shows the normal glyph of the new value, though the pointer is still over it.
    QTest::newRow("click") << QStringList{u"enter 3 3"_s, u"press left 5 5"_s,
                                          u"release left 5 5"_s}
                           << QStringList{u"MouseDown 1 0 5 5"_s, u"MouseUp 1 0 5 5"_s, u"Click"_s}
                           << 4;
    QTest::newRow("moves inside only, then out")
        << QStringList{u"move 5 5 shift"_s, u"move 5 50"_s, u"leave"_s}
        << QStringList{u"MouseMove 0 1 5 5"_s, u"MouseOut"_s} << 0;
    // The pointer leaving reports itself at once, though the held button keeps its events here.
    QTest::newRow("dragged off while pressed")
        << QStringList{u"press left 5 5"_s, u"move 5 50 left"_s, u"release left 5 50"_s, u"leave"_s}
        << QStringList{u"MouseDown 1 0 5 5"_s, u"MouseOut"_s, u"MouseUp 1 0 5 50"_s} << 0;
    QTest::newRow("other keys only report")
        << QStringList{u"key a"_s, u"key F1"_s}
        << QStringList{u"KeyDown 65 0"_s, u"KeyPress 97"_s, u"KeyUp 65 0"_s, u"KeyDown 112 0"_s,
                       u"KeyUp 112 0"_s}
        << 0;
}

void CheckButtonTest::events() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, events);
    QFETCH(int, glyphAfter);

    auto check = makeCheck(0);
    kitscript::EventLog log(*check);
    kitscript::run(*check, steps);

    QCOMPARE(log.lines, events);
    QCOMPARE(check->glyph(), glyphAfter);
}

void CheckButtonTest::mouseOutOnceAfterFirstShown_data() {
    QTest::addColumn<bool>("pointerOver");
    QTest::addColumn<int>("mouseOuts");

    QTest::newRow("pointer elsewhere") << false << 1;
    QTest::newRow("pointer over it") << true << 0;
}

void CheckButtonTest::mouseOutOnceAfterFirstShown() {
    QFETCH(bool, pointerOver);
    QFETCH(int, mouseOuts);

    QWidget window;
    window.resize(200, 100);
    auto* check = new CheckButton(&window);
    check->setGeometry(10, 10, 100, 20);
    check->hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(&window, pointerOver ? QPoint(20, 20) : QPoint(150, 80));
    QSignalSpy out(check, &CheckButton::MouseOut);

    // Shown for the first time where the pointer already is (or is not).
    check->show();
    QTest::qWait(300);
    QCOMPARE(out.count(), mouseOuts);
}

QTEST_MAIN(CheckButtonTest)
#include "check_button_test.moc"
