#include "kit_script.h"
#include "widgets/check_button.h"
#include "widgets/click_label.h"
#include "widgets/kit_input.h"
#include "widgets/launcher_button.h"
#include "widgets/n_shape.h"
#include "widgets/option_button.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kavu;

class KitInputTest : public QObject {
    Q_OBJECT

private slots:
    void keyCodes_data();
    void keyCodes();
    void keyActions_data();
    void keyActions();
    void keysClickAsTheLeftButton_data();
    void keysClickAsTheLeftButton();
    void spacePressDropped_data();
    void spacePressDropped();
    void focusMarkReasons_data();
    void focusMarkReasons();
    void focusMarkShown_data();
    void focusMarkShown();
    void launcherEntry_data();
    void launcherEntry();
    void accessibility_data();
    void accessibility();
    void assistivePressBehindModalBox();
};

void KitInputTest::keyCodes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");

    QTest::newRow("letter") << int(Qt::Key_Q) << 0 << 81;
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << 55;
    QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << 103;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << 109;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << 189;
    QTest::newRow("underscore, same key") << int(Qt::Key_Underscore) << 0 << 189;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 0 << 13;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 27;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 40;
    QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 123;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 46;
    QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0 << 0;
}

void KitInputTest::keyCodes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);

    QCOMPARE(kit::keyCode(key, Qt::KeyboardModifiers(modifiers)), code);
}

void KitInputTest::keyActions_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<kit::KeyAction>("action");

    using enum kit::KeyAction;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0 << false << Press;
    QTest::newRow("Shift+Space") << int(Qt::Key_Space) << int(Qt::ShiftModifier) << false << Press;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << false << Press;
    QTest::newRow("Alt+Space, the window menu")
        << int(Qt::Key_Space) << int(Qt::AltModifier) << false << None;
    QTest::newRow("Space held down") << int(Qt::Key_Space) << 0 << true << None;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << false << Click;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false
                                  << Click;
    QTest::newRow("Meta+Return") << int(Qt::Key_Return) << int(Qt::MetaModifier) << false << None;
    QTest::newRow("Return held down") << int(Qt::Key_Return) << 0 << true << None;
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << false << None;
}

void KitInputTest::keyActions() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(kit::KeyAction, action);

    QCOMPARE(kit::keyAction(key, Qt::KeyboardModifiers(modifiers), autoRepeat), action);
}

namespace {

struct Made {
    std::unique_ptr<QWidget> widget;
    // Clicks as the windows see them.
    std::unique_ptr<QSignalSpy> clicks;
};

Made make(const QString& kind, int value) {
    Made made;
    if (kind == u"shape") {
        auto* shape = new N_Shape;
        shape->setCaption(u"安装"_s);
        made.clicks = std::make_unique<QSignalSpy>(shape, &N_Shape::Click);
        made.widget.reset(shape);
    } else if (kind == u"check") {
        auto* check = new CheckButton;
        check->setCaption(u"电池"_s);
        check->setValue(value);
        made.clicks = std::make_unique<QSignalSpy>(check, &CheckButton::Click);
        made.widget.reset(check);
    } else if (kind == u"option") {
        auto* option = new OptionButton;
        option->setCaption(u"USB充电"_s);
        option->setValue(value != 0);
        made.clicks = std::make_unique<QSignalSpy>(option, &OptionButton::Click);
        made.widget.reset(option);
    } else {
        auto* label = new ClickLabel;
        label->setText(u"软件与传输"_s);
        label->setLink(kind == u"link");
        made.clicks = std::make_unique<QSignalSpy>(label, &ClickLabel::clicked);
        made.widget.reset(label);
    }
    made.widget->resize(100, 24);
    return made;
}

} // namespace

namespace {

QStringList withoutKeys(const QStringList& events) {
    QStringList rest;
    for (const QString& event : events) {
        if (!event.startsWith(u"Key"_s))
            rest << event;
    }
    return rest;
}

// What the control shows and holds after the input: its value and its look.
QString stateOf(const QWidget& control) {
    if (const auto* shape = qobject_cast<const N_Shape*>(&control))
        return u"state %1"_s.arg(shape->visualState());
    const auto& glyphButton = static_cast<const GlyphButton&>(control);
    return u"value %1 glyph %2"_s.arg(control.property("Value").toInt()).arg(glyphButton.glyph());
}

} // namespace

void KitInputTest::keysClickAsTheLeftButton_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("keys");

    const QList<std::pair<QString, int>> controls{{u"shape"_s, 0},  {u"check"_s, 0},
                                                  {u"check"_s, 1},  {u"check"_s, 2},
                                                  {u"option"_s, 0}, {u"option"_s, 1}};
    const QList<std::pair<QString, QStringList>> ways{
        {u"Space"_s, {u"keydown Space"_s, u"keyup Space"_s}},
        {u"Return"_s, {u"key Return"_s}},
        {u"Enter"_s, {u"key Enter"_s}},
        // A key held down clicks once: the repeats raise no press and no click.
        {u"Space held"_s,
         {u"keydown Space"_s, u"keyrepeat Space"_s, u"keyrepeat Space"_s, u"keyup Space"_s}},
        {u"Return held"_s, {u"keydown Return"_s, u"keyrepeat Return"_s, u"keyup Return"_s}},
    };
    for (const auto& [kind, value] : controls) {
        for (const auto& [way, keys] : ways) {
            QTest::addRow("%s %d, %s", qPrintable(kind), value, qPrintable(way))
                << kind << value << keys;
        }
    }
}

// The keys raise the events of a left click in the middle of the control, the pointer elsewhere
// at the end, and leave the same value and look.
void KitInputTest::keysClickAsTheLeftButton() {
    QFETCH(QString, kind);
    QFETCH(int, value);
    QFETCH(QStringList, keys);

    Made clicked = make(kind, value);
    kitscript::EventLog mouseLog(*static_cast<KitInput*>(clicked.widget.get()));
    kitscript::run(*clicked.widget, {u"press left 50 12"_s, u"release left 50 12"_s, u"leave"_s});
    Made keyed = make(kind, value);
    kitscript::EventLog keyLog(*static_cast<KitInput*>(keyed.widget.get()));
    kitscript::run(*keyed.widget, keys);

    QCOMPARE(withoutKeys(keyLog.lines), mouseLog.lines);
    QCOMPARE(keyed.clicks->count(), clicked.clicks->count());
    QCOMPARE(stateOf(*keyed.widget), stateOf(*clicked.widget));
}

void KitInputTest::spacePressDropped_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("clicks");

    for (const QString& kind : {u"shape"_s, u"check"_s, u"option"_s}) {
        // The focus going elsewhere takes the press with it.
        QTest::addRow("%s, focus leaves", qPrintable(kind))
            << kind << QStringList{u"keydown Space"_s, u"focusout"_s, u"keyup Space"_s} << 0;
        // The mouse takes over: its click is the only one.
        QTest::addRow("%s, mouse clicks meanwhile", qPrintable(kind))
            << kind
            << QStringList{u"keydown Space"_s, u"press left 50 12"_s, u"release left 50 12"_s,
                           u"keyup Space"_s}
            << 1;
    }
}

void KitInputTest::spacePressDropped() {
    QFETCH(QString, kind);
    QFETCH(QStringList, steps);
    QFETCH(int, clicks);

    Made made = make(kind, 0);
    kitscript::run(*made.widget, steps);

    QCOMPARE(made.clicks->count(), clicks);
    if (auto* shape = qobject_cast<N_Shape*>(made.widget.get()))
        QVERIFY(shape->visualState() != N_Shape::Down);
    else
        QCOMPARE(made.widget->property("Value").toInt(), clicks);
}

void KitInputTest::focusMarkReasons_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("markedBefore");
    QTest::addColumn<bool>("marked");

    QTest::newRow("Tab") << int(Qt::TabFocusReason) << false << true;
    QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << false << true;
    QTest::newRow("shortcut") << int(Qt::ShortcutFocusReason) << false << true;
    QTest::newRow("click") << int(Qt::MouseFocusReason) << true << false;
    QTest::newRow("code") << int(Qt::OtherFocusReason) << true << false;
    QTest::newRow("window active again, was marked")
        << int(Qt::ActiveWindowFocusReason) << true << true;
    QTest::newRow("window active again, was not")
        << int(Qt::ActiveWindowFocusReason) << false << false;
}

void KitInputTest::focusMarkReasons() {
    QFETCH(int, reason);
    QFETCH(bool, markedBefore);
    QFETCH(bool, marked);

    QCOMPARE(kit::marksFocus(Qt::FocusReason(reason), markedBefore), marked);
}

void KitInputTest::focusMarkShown_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("clickAfter");
    QTest::addColumn<bool>("marked");

    for (const QString& kind : {u"shape"_s, u"check"_s, u"option"_s}) {
        QTest::addRow("%s, Tab", qPrintable(kind))
            << kind << int(Qt::TabFocusReason) << false << true;
        QTest::addRow("%s, click", qPrintable(kind))
            << kind << int(Qt::MouseFocusReason) << false << false;
        // The user then points: the mark goes.
        QTest::addRow("%s, Tab then a click", qPrintable(kind))
            << kind << int(Qt::TabFocusReason) << true << false;
    }
}

// The mark as drawn: the corner of its dotted rectangle takes the caption colour.
void KitInputTest::focusMarkShown() {
    QFETCH(QString, kind);
    QFETCH(int, reason);
    QFETCH(bool, clickAfter);
    QFETCH(bool, marked);

    Made made = make(kind, 0);
    auto* control = static_cast<KitInput*>(made.widget.get());
    control->resize(120, 30);
    control->show();
    control->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(control));
    // The window gave it the focus when it became active.
    control->clearFocus();
    control->setFocus(Qt::FocusReason(reason));
    QVERIFY(control->hasFocus());
    if (clickAfter)
        QTest::mouseClick(control, Qt::RightButton, {}, QPoint(60, 15));

    const QColor caption = kind == u"shape"_s ? static_cast<N_Shape*>(control)->foreColorNormal()
                                              : static_cast<GlyphButton*>(control)->captionColor();
    const QImage picture = control->grab().toImage();
    QCOMPARE(control->showsFocusMark(), marked);
    QCOMPARE(picture.pixelColor(control->focusMarkRect().topLeft()) == caption, marked);
}

void KitInputTest::launcherEntry_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("focusReason");
    QTest::addColumn<int>("runs");
    QTest::addColumn<bool>("marked");

    QTest::newRow("Space, held down")
        << QStringList{u"keydown Space"_s, u"keyrepeat Space"_s, u"keyup Space"_s}
        << int(Qt::TabFocusReason) << 1 << true;
    QTest::newRow("Return") << QStringList{u"key Return"_s} << int(Qt::TabFocusReason) << 1 << true;
    QTest::newRow("focus by a click") << QStringList{} << int(Qt::MouseFocusReason) << 0 << false;
}

// Icon and caption as one control: one accessible button, run by Space and Return, with the
// focus mark from the keyboard drawn around the caption.
void KitInputTest::launcherEntry() {
    QFETCH(QStringList, steps);
    QFETCH(int, focusReason);
    QFETCH(int, runs);
    QFETCH(bool, marked);

    QWidget frame;
    frame.resize(200, 120);
    auto* icon = new ClickLabel(&frame);
    icon->setGeometry(26, 10, 48, 48);
    auto* caption = new ClickLabel(&frame);
    caption->setGeometry(0, 66, 100, 17);
    caption->setAlignment(Qt::AlignCenter);
    caption->setText(u"软件与传输"_s);
    auto* entry = new LauncherButton(icon, *caption);
    QSignalSpy activated(entry, &LauncherButton::activated);
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    entry->clearFocus();
    entry->setFocus(Qt::FocusReason(focusReason));

    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(entry);
    QCOMPARE(face->role(), QAccessible::PushButton);
    QCOMPARE(face->text(QAccessible::Name), u"软件与传输"_s);
    QCOMPARE(face->childCount(), 0);
    QCOMPARE(entry->geometry(), QRect(0, 10, 100, 73));
    kitscript::run(*entry, steps);
    QCOMPARE(activated.count(), runs);
    const QImage picture = caption->grab().toImage();
    QCOMPARE(picture.pixelColor(caption->focusMarkRect().topLeft()) ==
                 caption->palette().color(caption->foregroundRole()),
             marked);
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(24, 24));
    QCOMPARE(activated.count(), runs + 1);
    QVERIFY(!caption->focusMarked());
}

void KitInputTest::accessibility_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<int>("clicksByAction");
    QTest::addColumn<bool>("checkedAfter");

    const int button = QAccessible::PushButton;
    QTest::newRow("shape button") << u"shape"_s << 0 << true << button << u"安装"_s << false
                                  << false << 1 << false;
    QTest::newRow("disabled shape button")
        << u"shape"_s << 0 << false << button << u"安装"_s << false << false << 0 << false;
    QTest::newRow("unchecked check") << u"check"_s << 0 << true << int(QAccessible::CheckBox)
                                     << u"电池"_s << false << false << 1 << true;
    QTest::newRow("grey check") << u"check"_s << 2 << true << int(QAccessible::CheckBox)
                                << u"电池"_s << false << true << 1 << false;
    QTest::newRow("unselected option") << u"option"_s << 0 << true << int(QAccessible::RadioButton)
                                       << u"USB充电"_s << false << false << 1 << true;
    // A selected option raises no Click, as a left click on it does not.
    QTest::newRow("selected option") << u"option"_s << 1 << true << int(QAccessible::RadioButton)
                                     << u"USB充电"_s << true << false << 0 << true;
    // A label that takes a click is read as text; a link as a link.
    QTest::newRow("clickable label") << u"label"_s << 0 << true << int(QAccessible::StaticText)
                                     << u"软件与传输"_s << false << false << 1 << false;
    QTest::newRow("link") << u"link"_s << 0 << true << int(QAccessible::Link) << u"软件与传输"_s
                          << false << false << 1 << false;
}

void KitInputTest::accessibility() {
    QFETCH(QString, kind);
    QFETCH(int, value);
    QFETCH(bool, enabled);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(bool, checked);
    QFETCH(bool, mixed);
    QFETCH(int, clicksByAction);
    QFETCH(bool, checkedAfter);

    Made made = make(kind, value);
    made.widget->setEnabled(enabled);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(made.widget.get());
    QVERIFY(face != nullptr);
    QCOMPARE(int(face->role()), role);
    QCOMPARE(face->text(QAccessible::Name), name);
    QCOMPARE(bool(face->state().checked), checked);
    QCOMPARE(bool(face->state().checkStateMixed), mixed);
    QCOMPARE(bool(face->state().disabled), !enabled);

    QAccessibleActionInterface* actions = face->actionInterface();
    QVERIFY(actions != nullptr);
    if (enabled) {
        // The first action is the default one an assistive tool offers.
        const QString action = actions->actionNames().value(0);
        QVERIFY(action == QAccessibleActionInterface::pressAction() ||
                action == QAccessibleActionInterface::toggleAction());
        actions->doAction(action);
    } else {
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
    }
    // The action returns before the click runs.
    QCOMPARE(made.clicks->count(), 0);
    QTest::qWait(20);
    QCOMPARE(made.clicks->count(), clicksByAction);
    QCOMPARE(bool(face->state().checked), checkedAfter);
    // The pointer never came: no hover look is left behind.
    QCOMPARE(made.widget->property("MouseInside").toBool(), false);
}

// A modal box keeps clicks from every other window; an assistive press must not slip past it.
void KitInputTest::assistivePressBehindModalBox() {
    for (const QString& kind : {u"shape"_s, u"check"_s, u"label"_s}) {
        Made made = make(kind, 0);
        made.widget->show();
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(made.widget.get())->actionInterface();
        const QString action = actions->actionNames().value(0);

        auto box = std::make_unique<QWidget>();
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
        actions->doAction(action);
        QTest::qWait(20);
        QVERIFY2(made.clicks->isEmpty(), qPrintable(kind));

        box.reset();
        actions->doAction(action);
        QTRY_COMPARE(made.clicks->count(), 1);
    }
}

QTEST_MAIN(KitInputTest)
#include "kit_input_test.moc"
