#include "shell/picture.h"

#include "widgets/click_label.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

namespace kavu {

bool showPicture(QLabel& label, const QString& resource) {
    QImage picture = readPicture(resource);
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
    const QImage icon = readPicture(QStringLiteral(":/pictures/kavu.pixels"));
    return icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(icon));
}

} // namespace kavu
