#include "widgets/glyph_button.h"

#include "widgets/kit_paint.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

GlyphButton::GlyphButton(QWidget* parent)
    : QWidget(parent)
    , m_foreColor(0, 0, 0) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GlyphButton::setCaption(const QString& caption) {
    m_caption = caption;
    updateGeometry();
    update();
}

void GlyphButton::setForeColor(const QColor& color) {
    m_foreColor = color;
    update();
}

void GlyphButton::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

QSize GlyphButton::sizeHint() const {
    return WidgetKit::glyphButtonSize(fontMetrics(), m_caption);
}

QSize GlyphButton::minimumSizeHint() const {
    return sizeHint();
}

void GlyphButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_hover) {
        m_hover = inside;
        update();
    }
}

void GlyphButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (isEnabled()) {
        m_hover = true;
        update();
    }
}

void GlyphButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (m_backColor.isValid())
        painter.fillRect(rect(), m_backColor);
    drawGlyph(painter, WidgetKit::glyphRect(size()));
    painter.setPen(captionColor());
    painter.drawText(WidgetKit::glyphCaptionRect(size(), fontMetrics(), m_caption),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_caption);
}
