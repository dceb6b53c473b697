#include "shell/picture.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kavu {

bool showPicture(QLabel& label, const QString& resource) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return false;
    }
    const qreal ratio = label.devicePixelRatioF();
    QPixmap picture(label.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), label.size()));
    painter.end();
    label.setPixmap(picture);
    return true;
}

} // namespace kavu
