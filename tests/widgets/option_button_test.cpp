#include "widgets/option_button.h"

#include "kit_script.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kavu;

namespace {

// A window with two frames and options placed directly on the window:
//   frameA: a1 (group 0), a2 (group 0), a3 (group 1), a4 (group 0)
//   frameB: b1 (group 0), b2 (group 0)
//   window: w1 (group 0), w2 (group 0)
class OptionWindow {
public:
    OptionWindow() {
        auto* frameA = new QWidget(&m_window);
        auto* frameB = new QWidget(&m_window);
        add(frameA, u"a1"_s, 0);
        add(frameA, u"a2"_s, 0);
        add(frameA, u"a3"_s, 1);
        add(frameA, u"a4"_s, 0);
        add(frameB, u"b1"_s, 0);
        add(frameB, u"b2"_s, 0);
        add(&m_window, u"w1"_s, 0);
        add(&m_window, u"w2"_s, 0);
    }

    OptionButton* option(const QString& name) const {
        return m_window.findChild<OptionButton*>(name);
    }

    void select(const QStringList& names) const {
        for (const QString& name : names)
            option(name)->setValue(true);
    }

    QStringList selected() const {
        QStringList names;
        for (const OptionButton* option : m_window.findChildren<OptionButton*>()) {
            if (option->value())
                names << option->objectName();
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    void add(QWidget* container, const QString& name, int group) {
        auto* option = new OptionButton(container);
        option->setObjectName(name);
        option->setCaption(name);
        option->setGroup(group);
        option->resize(80, 20);
    }

    QWidget m_window;
};

QStringList sorted(QStringList names) {
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class OptionButtonTest : public QObject {
    Q_OBJECT

private slots:
    void clickSelectsWithinContainerAndGroup_data();
    void clickSelectsWithinContainerAndGroup();
    void handlerSeesNewValues();
    void settingFromCodeTouchesNothingElse_data();
    void settingFromCodeTouchesNothingElse();
    void inputThatDoesNotSelect_data();
    void inputThatDoesNotSelect();
    void optionWithoutContainer();
    void glyphFollowsValueAndLook_data();
    void glyphFollowsValueAndLook();
    void events_data();
    void events();
};

void OptionButtonTest::clickSelectsWithinContainerAndGroup_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("clicks");

    QTest::newRow("clears partner in its frame")
        << QStringList{u"a2"_s} << u"a1"_s << QStringList{u"a1"_s} << 1;
    QTest::newRow("nothing selected yet") << QStringList{} << u"b2"_s << QStringList{u"b2"_s} << 1;
    QTest::newRow("other group in the same frame is untouched")
        << QStringList{u"a2"_s, u"a3"_s} << u"a1"_s << QStringList{u"a1"_s, u"a3"_s} << 1;
    QTest::newRow("same group in another frame is untouched")
        << QStringList{u"a2"_s, u"b1"_s} << u"a1"_s << QStringList{u"a1"_s, u"b1"_s} << 1;
    QTest::newRow("options on the window are untouched by a frame's option")
        << QStringList{u"w1"_s, u"a2"_s} << u"a1"_s << QStringList{u"a1"_s, u"w1"_s} << 1;
    QTest::newRow("options on the window do not reach into frames")
        << QStringList{u"a1"_s, u"b1"_s, u"w2"_s} << u"w1"_s
        << QStringList{u"a1"_s, u"b1"_s, u"w1"_s} << 1;
    QTest::newRow("clears every selected partner")
        << QStringList{u"a2"_s, u"a4"_s} << u"a1"_s << QStringList{u"a1"_s} << 1;
    QTest::newRow("selected option: nothing happens")
        << QStringList{u"a1"_s, u"a2"_s} << u"a1"_s << QStringList{u"a1"_s, u"a2"_s} << 0;
    QTest::newRow("lone group: selected by its click")
        << QStringList{u"a1"_s} << u"a3"_s << QStringList{u"a1"_s, u"a3"_s} << 1;
}

void OptionButtonTest::clickSelectsWithinContainerAndGroup() {
    QFETCH(QStringList, before);
    QFETCH(QString, target);
    QFETCH(QStringList, after);
    QFETCH(int, clicks);

    OptionWindow window;
    window.select(before);
    OptionButton* option = window.option(target);
    QSignalSpy click(option, &OptionButton::Click);

    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, 10));

    QCOMPARE(window.selected(), sorted(after));
    QCOMPARE(click.count(), clicks);
}

void OptionButtonTest::handlerSeesNewValues() {
    OptionWindow window;
    window.select({u"a2"_s, u"b1"_s});
    OptionButton* a1 = window.option(u"a1"_s);
    QStringList selectedInHandler;
    connect(a1, &OptionButton::Click, a1, [&] { selectedInHandler = window.selected(); });

    QTest::mouseClick(a1, Qt::LeftButton, {}, QPoint(40, 10));

    QCOMPARE(selectedInHandler, (QStringList{u"a1"_s, u"b1"_s}));
}

void OptionButtonTest::settingFromCodeTouchesNothingElse_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("Value") << QByteArray("Value") << QVariant(true);
    QTest::newRow("Caption") << QByteArray("Caption") << QVariant(u"USB充电"_s);
    QTest::newRow("Enabled") << QByteArray("enabled") << QVariant(false);
    QTest::newRow("Group") << QByteArray("Group") << QVariant(3);
}

void OptionButtonTest::settingFromCodeTouchesNothingElse() {
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);

    OptionWindow window;
    window.select({u"a2"_s});
    OptionButton* a1 = window.option(u"a1"_s);
    QSignalSpy click(a1, &OptionButton::Click);
    QSignalSpy partnerClick(window.option(u"a2"_s), &OptionButton::Click);

    QVERIFY(a1->setProperty(property.constData(), value));

    QCOMPARE(a1->property(property.constData()), value);
    QVERIFY(window.selected().contains(u"a2"_s));
    QCOMPARE(click.count(), 0);
    QCOMPARE(partnerClick.count(), 0);
}

void OptionButtonTest::inputThatDoesNotSelect_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("right click") << u"right"_s << true;
    QTest::newRow("middle click") << u"middle"_s << true;
    QTest::newRow("left release outside") << u"drag off"_s << true;
    QTest::newRow("Alt+Space") << u"alt space"_s << true;
    QTest::newRow("disabled, left click") << u"left"_s << false;
    QTest::newRow("disabled, Space") << u"space"_s << false;
}

void OptionButtonTest::inputThatDoesNotSelect() {
    QFETCH(QString, input);
    QFETCH(bool, enabled);

    OptionWindow window;
    window.select({u"a2"_s});
    OptionButton* a1 = window.option(u"a1"_s);
    a1->setEnabled(enabled);
    QSignalSpy click(a1, &OptionButton::Click);
    QSignalSpy down(a1, &OptionButton::MouseDown);

    if (input == u"right"_s) {
        QTest::mouseClick(a1, Qt::RightButton, {}, QPoint(5, 10));
    } else if (input == u"middle"_s) {
        QTest::mouseClick(a1, Qt::MiddleButton, {}, QPoint(5, 10));
    } else if (input == u"drag off"_s) {
        QTest::mousePress(a1, Qt::LeftButton, {}, QPoint(5, 10));
        QTest::mouseRelease(a1, Qt::LeftButton, {}, QPoint(5, 300));
    } else if (input == u"alt space"_s) {
        QTest::keyClick(a1, Qt::Key_Space, Qt::AltModifier);
    } else if (input == u"left"_s) {
        QTest::mouseClick(a1, Qt::LeftButton, {}, QPoint(5, 10));
    } else {
        QTest::keyClick(a1, Qt::Key_Space);
    }

    QCOMPARE(window.selected(), QStringList{u"a2"_s});
    QCOMPARE(click.count(), 0);
    if (!enabled)
        QCOMPARE(down.count(), 0);
}

void OptionButtonTest::optionWithoutContainer() {
    OptionButton lone;
    lone.resize(60, 20);
    QSignalSpy click(&lone, &OptionButton::Click);

    QTest::mouseClick(&lone, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::mouseClick(&lone, Qt::LeftButton, {}, QPoint(5, 10));

    QVERIFY(lone.value());
    QCOMPARE(click.count(), 1);
}

void OptionButtonTest::glyphFollowsValueAndLook_data() {
    QTest::addColumn<bool>("value");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<int>("glyph");

    QTest::newRow("unselected") << false << true << false << 0;
    QTest::newRow("selected") << true << true << false << 4;
    QTest::newRow("unselected, pressed") << false << true << true << 2;
    QTest::newRow("selected, pressed") << true << true << true << 6;
    QTest::newRow("unselected, disabled") << false << false << false << 3;
    QTest::newRow("selected, disabled") << true << false << false << 7;
}

void OptionButtonTest::glyphFollowsValueAndLook() {
    QFETCH(bool, value);
    QFETCH(bool, enabled);
    QFETCH(bool, pressed);
    QFETCH(int, glyph);

    OptionButton option;
    option.resize(60, 20);
    option.setValue(value);
    option.setEnabled(enabled);
    if (pressed)
        QTest::mousePress(&option, Qt::RightButton, {}, QPoint(5, 10));

    QCOMPARE(option.glyph(), glyph);
    const QColor caption = option.captionColor();
    QCOMPARE(caption == QColor(0, 0, 0), enabled);
}

void OptionButtonTest::events_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("glyphAfter");

    QTest::newRow("held press keeps its glyph off the option")
        << QStringList{u"press left 5 5"_s, u"move 5 60 left"_s, u"leave"_s}
        << QStringList{u"MouseDown 1 0 5 5"_s} << 2;
    // Shift is a key of its own (16); only Space's release raises KeyUp.
    QTest::newRow("Shift+Space") << QStringList{u"keydown Space shift"_s, u"keyup Space shift"_s}
                                 << QStringList{u"KeyDown 16 1"_s, u"KeyDown 32 1"_s,
                                                u"KeyPress 32"_s,  u"MouseDown 1 1 40 10"_s,
                                                u"KeyUp 32 1"_s,   u"MouseUp 1 1 40 10"_s,
                                                u"Click"_s}
                                 << 4;
    QTest::newRow("other keys raise only KeyDown")
        << QStringList{u"key a"_s, u"key F1"_s}
        << QStringList{u"KeyDown 65 0"_s, u"KeyDown 112 0"_s} << 0;
    // The unselected hover glyph is the comparison glyph until the first focus loss.
    QTest::newRow("one MouseMove while the hover glyph shows")
        << QStringList{u"move 5 5"_s, u"move 6 5"_s, u"leave"_s}
        << QStringList{u"MouseMove 0 0 5 5"_s, u"MouseOut"_s} << 0;
}

void OptionButtonTest::events() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, events);
    QFETCH(int, glyphAfter);

    OptionWindow window;
    OptionButton* a1 = window.option(u"a1"_s);
    kitscript::EventLog log(*a1);
    kitscript::run(*a1, steps);

    QCOMPARE(log.lines, events);
    QCOMPARE(a1->glyph(), glyphAfter);
}

QTEST_MAIN(OptionButtonTest)
#include "option_button_test.moc"
