#include "widgets/check_button.h"

#include "widgets/kit_paint.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

CheckButton::CheckButton(QWidget* parent)
    : GlyphButton(parent) {}

void CheckButton::setValue(int value) {
    m_value = value;
    update();
}

int CheckButton::glyph() const {
    const int valueIndex = (m_value == 1 || m_value == 2) ? m_value : 0;
    int look = WidgetKit::LookNormal;
    if (!isEnabled())
        look = WidgetKit::LookDisabled;
    else if (m_held != Qt::NoButton && m_hover)
        look = WidgetKit::LookPressed;
    else if (m_hover)
        look = WidgetKit::LookHover;
    return 4 * valueIndex + look;
}

QColor CheckButton::captionColor() const {
    return isEnabled() ? foreColor() : QColor(161, 161, 146);
}

void CheckButton::mousePressEvent(QMouseEvent* event) {
    const int button = WidgetKit::buttonValue(event->button());
    if (button == 0) {
        event->ignore();
        return;
    }
    m_held |= event->button();
    m_hover = true;
    update();
    emit MouseDown(button);
}

void CheckButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second click toggles again, as any click does.
    mousePressEvent(event);
}

void CheckButton::mouseReleaseEvent(QMouseEvent* event) {
    const int button = WidgetKit::buttonValue(event->button());
    if (button == 0 || !m_held.testFlag(event->button())) {
        event->ignore();
        return;
    }
    m_held.setFlag(event->button(), false);
    update();
    const QPointer<CheckButton> alive(this);
    emit MouseUp(button);
    if (!alive || event->button() != Qt::LeftButton ||
        !rect().contains(event->position().toPoint()))
        return;

    if (m_value == 0)
        m_value = 1;
    else if (m_value == 1 || m_value == 2)
        m_value = 0;
    update();
    emit Click();
}

void CheckButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (!m_hover)
        return;
    m_hover = false;
    update();
    if (isEnabled())
        emit MouseOut();
}

void CheckButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_held = {};
            m_hover = false;
        }
        update();
    } else if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
}

void CheckButton::drawGlyph(QPainter& painter, const QRect& box) const {
    const int shown = glyph();
    WidgetKit::drawCheckGlyph(painter, box, shown / 4, static_cast<WidgetKit::Look>(shown % 4));
}
