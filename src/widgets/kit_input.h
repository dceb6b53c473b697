#pragma once

#include <QAccessible>
#include <QPointF>
#include <QWidget>

class QKeyEvent;
class QMouseEvent;

namespace kavu {

namespace kit {

// Button value the mouse events carry: 1 left, 2 right, 4 middle; 0 for any other button.
int buttonValue(Qt::MouseButton button);
// The same values added up for several buttons held at once.
int buttonsValue(Qt::MouseButtons buttons);
// Shift argument of the mouse and key events: 1 Shift, 2 Ctrl, 4 Alt, added up.
int shiftState(Qt::KeyboardModifiers modifiers);
// Key code of the key events: the Windows virtual-key code of the key (65 for A, 13 for Enter,
// 37 to 40 for the arrows, 112 on for F1...); 0 for a key that has none.
int keyCode(int qtKey, Qt::KeyboardModifiers modifiers);
// Character of the KeyPress event (32 for Space, 13 for Enter); 0 when the key types none.
int keyAscii(const QKeyEvent& event);

// What a key does to a focused control besides being reported.
enum class KeyAction {
    None,
    // A left press in the middle of the control, released (and so clicked) with the key: Space.
    Press,
    // A whole left click in the middle of the control: Return and Enter.
    Click,
};
// The action of a key pressed with these modifiers. With Alt or Meta the keys belong to the
// window (Alt+Space opens its menu); a key held down repeats no action.
KeyAction keyAction(int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat);

// Space (on its release) and Return as a click, for the controls that are no kit buttons (launcher
// entries, links). Each takes the key events it is given; a press or release it does not take
// goes on to the control's base class.
class KeyClicks {
public:
    enum class Taken { No, Yes, Click };
    Taken press(const QKeyEvent& event);
    Taken release(const QKeyEvent& event);
    // The focus left: a Space press goes with it.
    void cancel() { m_spaceDown = false; }

private:
    bool m_spaceDown = false;
};

// One mouse event as the kit's controls see it.
struct MouseInput {
    Qt::MouseButton button = Qt::NoButton;
    // 1, 2 or 4 for a press or release; the held buttons added up for a move.
    int buttons = 0;
    int shift = 0;
    // In the control's pixels.
    QPointF position;
    bool inside = false;
};

} // namespace kit

// What every control of the kit shares: which mouse buttons went down on it and are not released
// yet, forgetting them when the control is disabled, its events as signals, and the left click
// that the keyboard (Space, Return, Enter) and an assistive tool ask for. Each kind decides what
// a press, a move, a release and a key do.
//
// A focused control acts on Space and Return as on a left click in its middle: Space presses it
// and its release clicks, Return and Enter press and release at once. The mouse events and the
// Click come as for that click, after the key's own events, and a key held down does not repeat
// them. A mouse press, the focus leaving or the control being disabled drops a Space press
// without a click.
//
// The events carry their arguments by value: Button (1 left, 2 right, 4 middle; a move carries
// the held buttons added up), Shift (1 Shift, 2 Ctrl, 4 Alt), X and Y in the control's pixels,
// and for keys the key code and character of kit::keyCode and keyAscii.
class KitInput : public QWidget {
    Q_OBJECT

public:
    // Role, name and state as assistive technology reads them.
    virtual QAccessible::Role accessibleRole() const = 0;
    virtual QString accessibleCaption() const = 0;
    virtual void addAccessibleState(QAccessible::State& state) const;
    // Runs, once control is back in the event loop, what a left click in the middle of the
    // control does. An assistive tool's call returns at once, even when a Click handler opens a
    // modal box.
    void clickFromAssistant();

    Qt::MouseButtons heldButtons() const { return m_held; }
    // The control has the focus, which came from the keyboard: it shows the focus mark.
    bool showsFocusMark() const { return m_focusMarked && hasFocus(); }
    // Where the mark is drawn, in the control's pixels.
    virtual QRect focusMarkRect() const;

signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseOut();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);

protected:
    explicit KitInput(QWidget* parent);

    // A mouse button went down on the control.
    virtual void pressed(const kit::MouseInput& input) = 0;
    // The button that went down on the control came up, over the control or elsewhere.
    virtual void released(const kit::MouseInput& input) = 0;
    virtual void moved(const kit::MouseInput& input) = 0;
    // The second press of a double click, after it was handled as a press.
    virtual void doubleClicked() {}
    // Enabled or disabled; presses under way are already forgotten when disabled.
    virtual void enabledChanged() = 0;
    virtual void fontChanged() {}

    // A key went down or came up on the focused control: each kind reports it (KeyDown,
    // KeyPress, KeyUp) and may use it; the click of Space and Return follows.
    virtual void keyDown(QKeyEvent& event);
    virtual void keyUp(QKeyEvent& event);
    // A Space press ended without its release: the focus left.
    virtual void pressDropped() {}
    // The pointer left the control while a mouse button held on it keeps the pointer's events
    // here: the system sends no leave until the release, so the kind takes the look of a pointer
    // gone now.
    virtual void pointerLeftWhileHeld() {}
    // The pointer left while a button is held and has not come back: true also while the
    // release is handled.
    bool pointerGoneWhileHeld() const { return m_goneWhileHeld; }

    void emitMouse(void (KitInput::*signal)(int, int, float, float), const kit::MouseInput& input);
    void emitKeyDown(const QKeyEvent& event);
    void emitKeyUp(const QKeyEvent& event);
    // Tells assistive technology that the caption or a state changed.
    void announceName();
    void announceState(const QAccessible::State& changed);

    void mousePressEvent(QMouseEvent* event) final;
    void mouseReleaseEvent(QMouseEvent* event) final;
    void mouseDoubleClickEvent(QMouseEvent* event) final;
    void mouseMoveEvent(QMouseEvent* event) final;
    void keyPressEvent(QKeyEvent* event) final;
    void keyReleaseEvent(QKeyEvent* event) final;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) final;
    // Draws the focus mark in the caption colour when the control shows it.
    void paintFocusMark(QPainter& painter, const QColor& caption) const;

private:
    kit::MouseInput inputOf(const QMouseEvent& event) const;
    kit::MouseInput leftInMiddle(Qt::KeyboardModifiers modifiers) const;
    bool press(QMouseEvent* event);
    void leftClickInMiddle();
    // The release of a left press in the middle that came from a key or an assistive tool.
    void releaseInMiddle(const kit::MouseInput& input);

    Qt::MouseButtons m_held;
    // A left press in the middle came from a key or an assistive tool; its release is due.
    bool m_middlePress = false;
    bool m_goneWhileHeld = false;
    // The focus came from the keyboard (or the window came back to a control that had it so).
    bool m_focusMarked = false;
};

} // namespace kavu
