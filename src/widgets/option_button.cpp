#include "widgets/option_button.h"

#include "widgets/kit_paint.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

OptionButton::OptionButton(QWidget* parent)
    : GlyphButton(parent) {}

void OptionButton::setValue(bool value) {
    m_value = value;
    update();
}

int OptionButton::glyph() const {
    int look = WidgetKit::LookNormal;
    if (!isEnabled())
        look = WidgetKit::LookDisabled;
    else if (m_pressed && (m_hover || m_held == Qt::NoButton))
        look = WidgetKit::LookPressed;
    else if (m_hover || hasFocus())
        look = WidgetKit::LookHover;
    return 4 * (m_value ? 1 : 0) + look;
}

QColor OptionButton::captionColor() const {
    return isEnabled() ? foreColor() : palette().color(QPalette::Disabled, QPalette::WindowText);
}

void OptionButton::select() {
    if (m_value) {
        update();
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

void OptionButton::mousePressEvent(QMouseEvent* event) {
    const int button = WidgetKit::buttonValue(event->button());
    if (button == 0) {
        event->ignore();
        return;
    }
    m_held |= event->button();
    m_pressed = true;
    m_hover = true;
    update();
    emit MouseDown(button);
}

void OptionButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void OptionButton::mouseReleaseEvent(QMouseEvent* event) {
    const int button = WidgetKit::buttonValue(event->button());
    if (button == 0 || !m_held.testFlag(event->button())) {
        event->ignore();
        return;
    }
    m_held.setFlag(event->button(), false);
    m_pressed = m_held != Qt::NoButton;
    update();
    const QPointer<OptionButton> alive(this);
    emit MouseUp(button);
    if (alive && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        select();
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    const QPointer<OptionButton> alive(this);
    emit Click();
    if (!alive)
        return;
    m_pressed = true;
    update();
    emit MouseDown(1);
}

void OptionButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !m_pressed || m_held != Qt::NoButton)
        return;
    const QPointer<OptionButton> alive(this);
    select();
    if (alive) {
        m_pressed = false;
        update();
    }
}

void OptionButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (!m_hover)
        return;
    m_hover = false;
    update();
    if (isEnabled() && !m_pressed)
        emit MouseOut();
}

void OptionButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void OptionButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // Focus gone in the middle of a Space press: the release will not come here.
    if (m_held == Qt::NoButton)
        m_pressed = false;
    update();
}

void OptionButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_held = {};
            m_pressed = false;
            m_hover = false;
        }
        update();
    } else if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
}

void OptionButton::drawGlyph(QPainter& painter, const QRect& box) const {
    const int shown = glyph();
    WidgetKit::drawOptionGlyph(painter, box, shown >= 4, static_cast<WidgetKit::Look>(shown % 4));
}
