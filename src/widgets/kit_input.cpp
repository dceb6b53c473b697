#include "widgets/kit_input.h"

#include "widgets/kit_accessible.h"
#include "widgets/kit_paint.h"

#include <QAccessibleEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <array>
#include <utility>

namespace kavu {

namespace kit {

namespace {

// Keys whose code is not their Qt value. Letters, digits and Space have the same number in both.
constexpr std::array<std::pair<int, int>, 48> OtherKeys{{
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},       {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},     {Qt::Key_Escape, 27},
    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},     {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},         {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},       {Qt::Key_Down, 40},         {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},       {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},  {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},       {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},        {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},      {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},         {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},  {Qt::Key_QuoteDbl, 222},
}};

// Keypad keys that differ from the main block's.
constexpr std::array<std::pair<int, int>, 5> KeypadKeys{{
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Slash, 111},
}};

} // namespace

int buttonValue(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int buttonsValue(Qt::MouseButtons buttons) {
    int value = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(button))
            value += buttonValue(button);
    }
    return value;
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) +
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) +
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

int keyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0);
    if (keypad) {
        for (const auto& [key, code] : KeypadKeys) {
            if (key == qtKey)
                return code;
        }
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        qtKey == Qt::Key_Space)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    for (const auto& [key, code] : OtherKeys) {
        if (key == qtKey)
            return code;
    }
    return 0;
}

int keyAscii(const QKeyEvent& event) {
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

KeyAction keyAction(int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
    if (autoRepeat || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return KeyAction::None;
    switch (qtKey) {
    case Qt::Key_Space:
        return KeyAction::Press;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyAction::Click;
    default:
        return KeyAction::None;
    }
}

KeyClicks::Taken KeyClicks::press(const QKeyEvent& event) {
    switch (keyAction(event.key(), event.modifiers(), event.isAutoRepeat())) {
    case KeyAction::Press:
        m_spaceDown = true;
        return Taken::Yes;
    case KeyAction::Click:
        return m_spaceDown ? Taken::Yes : Taken::Click;
    case KeyAction::None:
        break;
    }
    return event.key() == Qt::Key_Space && m_spaceDown ? Taken::Yes : Taken::No;
}

KeyClicks::Taken KeyClicks::release(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Space || event.isAutoRepeat() || !m_spaceDown) {
        return Taken::No;
    }
    m_spaceDown = false;
    return Taken::Click;
}

} // namespace kit

using kit::MouseInput;

KitInput::KitInput(QWidget* parent)
    : QWidget(parent) {
    kit::installAccessibility();
    // Moves without a button raise MouseMove and drive the hover looks.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void KitInput::addAccessibleState(QAccessible::State& /*state*/) const {}

MouseInput KitInput::inputOf(const QMouseEvent& event) const {
    MouseInput input;
    input.button = event.button();
    input.buttons = event.type() == QEvent::MouseMove ? kit::buttonsValue(event.buttons())
                                                      : kit::buttonValue(event.button());
    input.shift = kit::shiftState(event.modifiers());
    input.position = event.position();
    input.inside = rect().contains(event.position().toPoint());
    return input;
}

void KitInput::emitMouse(void (KitInput::*signal)(int, int, float, float),
                         const MouseInput& input) {
    emit(this->*signal)(input.buttons, input.shift, static_cast<float>(input.position.x()),
                        static_cast<float>(input.position.y()));
}

MouseInput KitInput::leftInMiddle(Qt::KeyboardModifiers modifiers) const {
    MouseInput input;
    input.button = Qt::LeftButton;
    input.buttons = 1;
    input.shift = kit::shiftState(modifiers);
    input.position = QRectF(rect()).center();
    input.inside = true;
    return input;
}

void KitInput::keyDown(QKeyEvent& event) {
    const QPointer<KitInput> alive(this);
    emitKeyDown(event);
    if (alive && kit::keyAscii(event) != 0)
        emit KeyPress(kit::keyAscii(event));
    // The keys are only reported; the window may still use them.
    if (alive)
        QWidget::keyPressEvent(&event);
}

void KitInput::keyUp(QKeyEvent& event) {
    const QPointer<KitInput> alive(this);
    emitKeyUp(event);
    if (alive)
        QWidget::keyReleaseEvent(&event);
}

void KitInput::emitKeyDown(const QKeyEvent& event) {
    emit KeyDown(kit::keyCode(event.key(), event.modifiers()), kit::shiftState(event.modifiers()));
}

void KitInput::emitKeyUp(const QKeyEvent& event) {
    emit KeyUp(kit::keyCode(event.key(), event.modifiers()), kit::shiftState(event.modifiers()));
}

void KitInput::announceName() {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void KitInput::announceState(const QAccessible::State& changed) {
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

bool KitInput::press(QMouseEvent* event) {
    const MouseInput input = inputOf(*event);
    if (input.buttons == 0) {
        event->ignore();
        return false;
    }
    // The mouse takes over from a Space press, whose release then clicks nothing, and the focus
    // mark goes, as the user now points.
    m_middlePress = false;
    if (m_focusMarked) {
        m_focusMarked = false;
        update();
    }
    if (m_held == Qt::NoButton)
        m_goneWhileHeld = false;
    m_held |= event->button();
    pressed(input);
    return true;
}

void KitInput::mousePressEvent(QMouseEvent* event) {
    press(event);
}

void KitInput::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press of its own: a quick second click raises
    // MouseDown and Click again.
    const QPointer<KitInput> alive(this);
    if (press(event) && alive)
        doubleClicked();
}

void KitInput::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_held.testFlag(event->button())) {
        event->ignore();
        return;
    }
    m_held.setFlag(event->button(), false);
    released(inputOf(*event));
}

void KitInput::mouseMoveEvent(QMouseEvent* event) {
    const MouseInput input = inputOf(*event);
    const QPointer<KitInput> alive(this);
    moved(input);
    if (!alive || m_held == Qt::NoButton)
        return;
    if (input.inside) {
        m_goneWhileHeld = false;
    } else if (!m_goneWhileHeld) {
        m_goneWhileHeld = true;
        pointerLeftWhileHeld();
    }
}

void KitInput::keyPressEvent(QKeyEvent* event) {
    const QPointer<KitInput> alive(this);
    keyDown(*event);
    if (!alive)
        return;
    const kit::KeyAction action =
        kit::keyAction(event->key(), event->modifiers(), event->isAutoRepeat());
    if (action == kit::KeyAction::None) {
        // A held Space stays taken by the control, not passed on to the window.
        if (event->key() == Qt::Key_Space && m_middlePress)
            event->accept();
        return;
    }
    event->accept();
    // One press at a time: the mouse or a Space already holds the control.
    if (m_held != Qt::NoButton || m_middlePress)
        return;
    const MouseInput input = leftInMiddle(event->modifiers());
    m_middlePress = true;
    pressed(input);
    if (!alive || !m_middlePress)
        return;
    if (action == kit::KeyAction::Click)
        releaseInMiddle(input);
}

void KitInput::keyReleaseEvent(QKeyEvent* event) {
    const QPointer<KitInput> alive(this);
    keyUp(*event);
    if (!alive || event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_middlePress)
        return;
    event->accept();
    releaseInMiddle(leftInMiddle(event->modifiers()));
}

QRect KitInput::focusMarkRect() const {
    return kit::focusMarkRect(rect());
}

void KitInput::paintFocusMark(QPainter& painter, const QColor& caption) const {
    if (showsFocusMark())
        kit::drawFocusMark(painter, focusMarkRect(), caption);
}

void KitInput::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_focusMarked = kit::marksFocus(event->reason(), m_focusMarked);
    update();
}

void KitInput::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // A window losing its activation, or a popup opening, keeps the mark for when the focus
    // comes back.
    const bool comesBack =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    m_focusMarked = m_focusMarked && comesBack;
    update();
    if (m_middlePress) {
        m_middlePress = false;
        pressDropped();
    }
}

void KitInput::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        // A press under way when the control was disabled never clicks.
        if (!isEnabled()) {
            m_held = {};
            m_middlePress = false;
        }
        enabledChanged();
        QAccessible::State changed;
        changed.disabled = true;
        announceState(changed);
    } else if (event->type() == QEvent::FontChange) {
        fontChanged();
    }
}

void KitInput::clickFromAssistant() {
    QTimer::singleShot(0, this, &KitInput::leftClickInMiddle);
}

void KitInput::leftClickInMiddle() {
    if (!isEnabled() || m_held != Qt::NoButton || m_middlePress || kit::blockedByModal(*this))
        return;
    const MouseInput input = leftInMiddle({});
    const QPointer<KitInput> alive(this);
    m_middlePress = true;
    pressed(input);
    if (alive && m_middlePress)
        releaseInMiddle(input);
}

void KitInput::releaseInMiddle(const MouseInput& input) {
    m_middlePress = false;
    const QPointer<KitInput> alive(this);
    released(input);
    // The press came from a key or an assistive tool, not the pointer: where the pointer is not
    // over the control, the control takes the look of a pointer gone.
    if (alive && !underMouse()) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(this, &leave);
    }
}

} // namespace kavu
