#include "widgets/kit_paint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kavu {

namespace kit {

namespace {

struct GlyphColors {
    QColor border;
    QColor fill;
    QColor mark;
};

GlyphColors colorsFor(Look look) {
    switch (look) {
    case LookHover:
        return {QColor(0, 120, 215), QColor(255, 255, 255), QColor(0, 95, 184)};
    case LookPressed:
        return {QColor(0, 84, 153), QColor(204, 228, 247), QColor(0, 84, 153)};
    case LookDisabled:
        return {QColor(191, 191, 191), QColor(240, 240, 240), QColor(160, 160, 160)};
    case LookNormal:
        break;
    }
    return {QColor(118, 118, 118), QColor(255, 255, 255), QColor(33, 33, 33)};
}

} // namespace

QFont captionFont(int points, bool bold) {
    QFont font;
    font.setFamilies({u"Microsoft YaHei"_s, u"微软雅黑"_s, u"Noto Sans CJK SC"_s,
                      u"Source Han Sans SC"_s, u"WenQuanYi Micro Hei"_s, u"sans-serif"_s});
    font.setPointSize(std::max(1, points));
    font.setBold(bold);
    return font;
}

QRect glyphRect(const QSize& control) {
    return {0, (control.height() - GlyphSize) / 2, GlyphSize, GlyphSize};
}

QRect glyphCaptionRect(const QSize& control, const QFontMetrics& metrics, const QString& text) {
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    return {CaptionLeft, (control.height() - height) / 2, width, height};
}

QSize glyphButtonSize(const QFontMetrics& metrics, const QString& text) {
    return {CaptionLeft + metrics.horizontalAdvance(text) + 2,
            std::max(GlyphSize + 2, metrics.height() + 2)};
}

void drawCheckGlyph(QPainter& painter, const QRect& box, Glyph glyph) {
    const Look look = glyph.look;
    const int valueIndex = glyph.valueIndex;
    const GlyphColors colors = colorsFor(look);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF frame = QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(colors.border, 1.0));
    painter.setBrush(colors.fill);
    painter.drawRoundedRect(frame, 2.0, 2.0);

    if (valueIndex == 1) {
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
        tick.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.30);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colors.mark, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    } else if (valueIndex == 2) {
        const QColor grey = look == LookDisabled ? colors.mark : QColor(128, 128, 128);
        painter.setPen(Qt::NoPen);
        painter.setBrush(grey);
        painter.drawRect(QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5));
    }
    painter.restore();
}

void drawOptionGlyph(QPainter& painter, const QRect& box, Glyph glyph) {
    const GlyphColors colors = colorsFor(glyph.look);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colors.border, 1.0));
    painter.setBrush(colors.fill);
    painter.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (glyph.valueIndex == 1) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colors.mark);
        painter.drawEllipse(QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5));
    }
    painter.restore();
}

bool marksFocus(Qt::FocusReason reason, bool markedBefore) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        return markedBefore;
    default:
        return false;
    }
}

QRect focusMarkRect(const QRect& control) {
    return control.adjusted(3, 3, -3, -3);
}

QRect glyphFocusMarkRect(const QSize& control, const QFontMetrics& metrics, const QString& text) {
    const QRect caption = glyphCaptionRect(control, metrics, text).adjusted(-2, 0, 1, 0);
    return caption.intersected(QRect(QPoint(0, 0), control));
}

void drawFocusMark(QPainter& painter, const QRect& mark, const QColor& color) {
    if (mark.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 0));
    for (int x = mark.left(); x <= mark.right(); x += 2) {
        painter.drawPoint(x, mark.top());
        painter.drawPoint(x, mark.bottom());
    }
    for (int y = mark.top(); y <= mark.bottom(); y += 2) {
        painter.drawPoint(mark.left(), y);
        painter.drawPoint(mark.right(), y);
    }
    painter.restore();
}

} // namespace kit

} // namespace kavu
