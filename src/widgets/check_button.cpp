#include "widgets/check_button.h"

#include <QPainter>
#include <QPointer>

namespace kavu {

using kit::MouseInput;

CheckButton::CheckButton(QWidget* parent)
    : GlyphButton(parent) {
    // The pointer-out watch runs from the start.
    startOutWatch();
}

void CheckButton::setValue(int value) {
    const bool wasChecked = isChecked();
    const bool wasGrey = m_value == 2;
    m_value = value;
    showRestingLook();
    update();
    if (wasChecked != isChecked() || wasGrey != (m_value == 2)) {
        QAccessible::State changed;
        changed.checked = true;
        changed.checkStateMixed = true;
        announceState(changed);
    }
}

int CheckButton::valueIndex() const {
    return (m_value == 1 || m_value == 2) ? m_value : 0;
}

QColor CheckButton::captionColor() const {
    return isEnabled() ? foreColor() : QColor(161, 161, 146);
}

void CheckButton::addAccessibleState(QAccessible::State& state) const {
    state.checkable = true;
    state.checked = m_value == 1;
    state.checkStateMixed = m_value == 2;
}

void CheckButton::pressed(const MouseInput& input) {
    showLook(kit::LookPressed);
    emitMouse(&KitInput::MouseDown, input);
}

void CheckButton::pointerOver(const MouseInput& input, bool raiseMove) {
    startOutWatch();
    if (!input.inside)
        return;
    const QPointer<CheckButton> alive(this);
    if (raiseMove)
        emitMouse(&KitInput::MouseMove, input);
    if (alive && isEnabled())
        showLook(heldButtons().testFlag(Qt::LeftButton) ? kit::LookPressed : kit::LookHover);
}

void CheckButton::released(const MouseInput& input) {
    const QPointer<CheckButton> alive(this);
    emitMouse(&KitInput::MouseUp, input);
    if (!alive || input.button != Qt::LeftButton || !input.inside)
        return;
    if (m_value == 0)
        setValue(1);
    else if (m_value == 1 || m_value == 2)
        setValue(0);
    else
        showRestingLook();
    emit Click();
}

void CheckButton::enabledChanged() {
    showRestingLook();
    update();
}

void CheckButton::pressDropped() {
    showRestingLook();
}

void CheckButton::showEvent(QShowEvent* event) {
    GlyphButton::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        checkPointerSoon();
    }
}

void CheckButton::drawGlyph(QPainter& painter, const QRect& box) const {
    kit::drawCheckGlyph(painter, box, shownGlyph());
}

} // namespace kavu
