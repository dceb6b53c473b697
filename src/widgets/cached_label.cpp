#include "widgets/cached_label.h"

#include <QPainter>
#include <QStyle>

namespace kavu {

CachedLabel::CachedLabel(QWidget* parent)
    : QLabel(parent) {
    // The picture covers the label: nothing behind it need be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CachedLabel::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_picture.size() != pixels || m_picture.devicePixelRatio() != ratio ||
        m_pictureText != text()) {
        m_picture = QPixmap(pixels);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(palette().color(backgroundRole()));
        QPainter painter(&m_picture);
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
        m_pictureText = text();
    }
    QPainter(this).drawPixmap(0, 0, m_picture);
}

} // namespace kavu
