#include "shell/picture.h"

#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace kavu {

namespace {

QImage readPng(const QString& resource) {
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) {
        qWarning("Cannot show the picture %s: %s", qUtf8Printable(resource),
                 qUtf8Printable(reader.errorString()));
    }
    return image;
}

} // namespace

bool showPicture(QLabel& label, const QString& resource) {
    QImage picture = readPng(resource);
    if (picture.isNull()) {
        return false;
    }
    const qreal ratio = label.devicePixelRatioF();
    const QSize pixels = label.size() * ratio;
    if (picture.size() != pixels) {
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture.setDevicePixelRatio(ratio);
    label.setPixmap(QPixmap::fromImage(std::move(picture)));
    return true;
}

QIcon programIcon() {
    const QImage icon = readPng(QStringLiteral(":/pictures/kavu.png"));
    return icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(icon));
}

} // namespace kavu
