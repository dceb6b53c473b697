#include "widgets/glyph_button.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace kavu {

namespace {

// Interval of the pointer-out look.
constexpr int OutWatchMs = 50;

} // namespace

GlyphButton::GlyphButton(QWidget* parent)
    : KitInput(parent)
    , m_foreColor(0, 0, 0) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GlyphButton::setCaption(const QString& caption) {
    m_caption = caption;
    updateGeometry();
    update();
    announceName();
}

void GlyphButton::setForeColor(const QColor& color) {
    m_foreColor = color;
    update();
}

void GlyphButton::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void GlyphButton::showLook(kit::Look look) {
    if (m_look == look)
        return;
    m_look = look;
    update();
}

void GlyphButton::showRestingLook() {
    showLook(isEnabled() ? kit::LookNormal : kit::LookDisabled);
}

void GlyphButton::checkPointerSoon() {
    QTimer::singleShot(OutWatchMs, this, [this] {
        if (!underMouse())
            reportOutIfGone();
    });
}

void GlyphButton::reportOutIfGone() {
    if (!m_outWatch || !isEnabled() || !mayReportOut())
        return;
    m_outWatch = false;
    showLook(kit::LookNormal);
    emit MouseOut();
}

void GlyphButton::enterEvent(QEnterEvent* event) {
    KitInput::enterEvent(event);
    if (!isEnabled())
        return;
    // The pointer arriving is a move without a button as far as the looks go; Qt raises the
    // move that follows it.
    kit::MouseInput input;
    input.position = event->position();
    input.inside = true;
    pointerOver(input, false);
}

void GlyphButton::leaveEvent(QEvent* event) {
    KitInput::leaveEvent(event);
    reportOutIfGone();
}

void GlyphButton::fontChanged() {
    updateGeometry();
    update();
}

QSize GlyphButton::sizeHint() const {
    return kit::glyphButtonSize(fontMetrics(), m_caption);
}

QSize GlyphButton::minimumSizeHint() const {
    return sizeHint();
}

void GlyphButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (m_backColor.isValid())
        painter.fillRect(rect(), m_backColor);
    drawGlyph(painter, kit::glyphRect(size()));
    painter.setPen(captionColor());
    painter.drawText(kit::glyphCaptionRect(size(), fontMetrics(), m_caption),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_caption);
    paintFocusMark(painter, captionColor());
}

QRect GlyphButton::focusMarkRect() const {
    return kit::glyphFocusMarkRect(size(), fontMetrics(), m_caption);
}

} // namespace kavu
