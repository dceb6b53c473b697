#include "shell/picture.h"

#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace kavu {

// Read through Qt's SVG image plugin, which is loaded only when a picture is first shown: the
// program itself does not link Qt Svg. A build without the plugin (the Windows one) shows none.
bool showPicture(QLabel& label, const QString& resource) {
    QImageReader reader(resource, "svg");
    const qreal ratio = label.devicePixelRatioF();
    reader.setScaledSize(label.size() * ratio);
    QImage picture = reader.read();
    if (picture.isNull()) {
        return false;
    }
    picture.setDevicePixelRatio(ratio);
    label.setPixmap(QPixmap::fromImage(std::move(picture)));
    return true;
}

} // namespace kavu
