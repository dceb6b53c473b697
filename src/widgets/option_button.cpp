#include "widgets/option_button.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace kavu {

using kit::MouseInput;

namespace {

// Space as the option button takes it: character 32, typed with or without Shift or Ctrl (with
// Alt it is a window's menu key).
bool isSpace(const QKeyEvent& event) {
    return event.key() == Qt::Key_Space &&
           !(event.modifiers() & (Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

OptionButton::OptionButton(QWidget* parent)
    : GlyphButton(parent) {}

void OptionButton::setValue(bool value) {
    const bool changed = m_value != value;
    m_value = value;
    showRestingLook();
    update();
    if (changed) {
        QAccessible::State state;
        state.checked = true;
        announceState(state);
    }
}

QColor OptionButton::captionColor() const {
    return isEnabled() ? foreColor() : palette().color(QPalette::Disabled, QPalette::WindowText);
}

void OptionButton::addAccessibleState(QAccessible::State& state) const {
    state.checkable = true;
    state.checked = m_value;
    state.pressed = m_pressed;
}

void OptionButton::select() {
    if (m_value) {
        // Already selected: shown again as after Enabled was set, nothing raised.
        showRestingLook();
        if (!isEnabled())
            stopOutWatch();
        return;
    }
    // Partners are the options of the same container with the same group number; this one is
    // among them and is cleared with them before it is set.
    if (QWidget* container = parentWidget()) {
        const auto siblings = container->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
        for (OptionButton* option : siblings) {
            if (option->group() == group())
                option->setValue(false);
        }
    }
    setValue(true);
    emit Click();
}

void OptionButton::pressed(const MouseInput& input) {
    showLook(kit::LookPressed);
    m_pressed = true;
    emitMouse(&KitInput::MouseDown, input);
}

void OptionButton::released(const MouseInput& input) {
    const QPointer<OptionButton> alive(this);
    emitMouse(&KitInput::MouseUp, input);
    if (!alive)
        return;
    m_pressed = false;
    if (input.button == Qt::LeftButton && input.inside)
        select();
}

void OptionButton::pointerOver(const MouseInput& input, bool raiseMove) {
    if (m_pressed || shownGlyph() == m_comparison)
        return;
    startOutWatch();
    showLook(kit::LookHover);
    if (raiseMove)
        emitMouse(&KitInput::MouseMove, input);
}

void OptionButton::enabledChanged() {
    if (!isEnabled()) {
        m_pressed = false;
        stopOutWatch();
    }
    showRestingLook();
    update();
}

void OptionButton::keyDown(QKeyEvent& event) {
    const QPointer<OptionButton> alive(this);
    emitKeyDown(event);
    if (!alive)
        return;
    // Space is the one character the option reports, once however long it is held.
    if (!isSpace(event))
        QWidget::keyPressEvent(&event);
    else if (!event.isAutoRepeat())
        emit KeyPress(32);
}

void OptionButton::keyUp(QKeyEvent& event) {
    if (event.key() == Qt::Key_Space && !event.isAutoRepeat())
        emitKeyUp(event);
    else
        QWidget::keyReleaseEvent(&event);
}

void OptionButton::focusInEvent(QFocusEvent* event) {
    GlyphButton::focusInEvent(event);
    // The focused option keeps the hover glyph: no pointer-out watch while it has the focus.
    if (!m_pressed)
        showLook(kit::LookHover);
    stopOutWatch();
}

void OptionButton::focusOutEvent(QFocusEvent* event) {
    GlyphButton::focusOutEvent(event);
    if (!isEnabled()) {
        m_pressed = false;
        showRestingLook();
        return;
    }
    // A press of the mouse stays until its release; one of Space is dropped with the focus.
    if (heldButtons() == Qt::NoButton)
        m_pressed = false;
    m_comparison = {1, kit::LookDisabled};
    if (!m_pressed)
        showLook(kit::LookHover);
    startOutWatch();
    checkPointerSoon();
}

void OptionButton::drawGlyph(QPainter& painter, const QRect& box) const {
    kit::drawOptionGlyph(painter, box, shownGlyph());
}

} // namespace kavu
