#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace kavu {

// Fusion, except that a group box's frame is drawn from the style's frame picture read once with
// Qt's own PNG decoder. Fusion itself loads that picture through QPixmap, which first loads every
// image plugin installed (JPEG, GIF, ICO, SVG with its library) to ask each whether it reads the
// file: a millisecond and half a megabyte in the main window's first paint. Drawn pixel for pixel
// as Fusion draws it; where the picture cannot be read, Fusion draws the frame.
class GroupFrameStyle final : public QProxyStyle {
public:
    GroupFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    QPixmap m_frame;
};

} // namespace kavu
