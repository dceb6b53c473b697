#include "widgets/click_label.h"

#include "widgets/kit_accessible.h"
#include "widgets/kit_input.h"
#include "widgets/kit_paint.h"

#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <QtEndian>
#include <QTimer>

namespace kavu {

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent) {
    kit::installAccessibility();
}

namespace {

constexpr qsizetype kPixelsHeader = 12;
constexpr quint32 kLargestPixelsSide = 4096;

} // namespace

// The words are read where they stand: Kavu is built for little-endian processors alone.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

QImage picturePixels(QByteArrayView file) {
    if (file.size() < kPixelsHeader || !file.startsWith("KVPX")) {
        return {};
    }
    const quint32 width = qFromLittleEndian<quint32>(file.data() + 4);
    const quint32 height = qFromLittleEndian<quint32>(file.data() + 8);
    if (width == 0 || height == 0 || width > kLargestPixelsSide || height > kLargestPixelsSide ||
        file.size() != kPixelsHeader + qsizetype{4} * width * height) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(file.data() + kPixelsHeader),
                  static_cast<int>(width), static_cast<int>(height),
                  static_cast<qsizetype>(width) * 4, QImage::Format_ARGB32_Premultiplied);
}

QImage readPicture(const QString& file) {
    if (file.endsWith(QLatin1String(".pixels"))) {
        // In the program's resources, uncompressed: shown where it is stored.
        const QResource resource(file);
        const QImage image =
            resource.compressionAlgorithm() == QResource::NoCompression
                ? picturePixels(QByteArrayView(reinterpret_cast<const char*>(resource.data()),
                                               resource.size()))
                : picturePixels(resource.uncompressedData()).copy();
        if (image.isNull()) {
            qWarning("Cannot show the picture %s", qUtf8Printable(file));
        }
        return image;
    }
    QImageReader reader(file, QFileInfo(file).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) {
        qWarning("Cannot show the picture %s: %s", qUtf8Printable(file),
                 qUtf8Printable(reader.errorString()));
    }
    return image;
}

void ClickLabel::setPicture(const QString& file) {
    m_picture = file;
    setPixmap(QPixmap::fromImage(readPicture(file)));
}

void ClickLabel::setLink(bool link) {
    m_link = link;
    setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const kit::KeyClicks::Taken taken = m_link ? m_keys.press(*event) : kit::KeyClicks::Taken::No;
    if (taken == kit::KeyClicks::Taken::No) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    if (taken == kit::KeyClicks::Taken::Click)
        emit clicked();
}

void ClickLabel::keyReleaseEvent(QKeyEvent* event) {
    if (!m_link || m_keys.release(*event) == kit::KeyClicks::Taken::No) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

void ClickLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    if (m_link)
        setFocusMarked(kit::marksFocus(event->reason(), m_focusMarked));
}

void ClickLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    if (!m_link)
        return;
    // A Space press goes with the focus; the mark comes back with the window.
    m_keys.cancel();
    const bool comesBack =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!comesBack)
        setFocusMarked(false);
}

void ClickLabel::clickFromAssistant() {
    QTimer::singleShot(0, this, [this] {
        if (isEnabled() && !kit::blockedByModal(*this))
            emit clicked();
    });
}

void ClickLabel::setFocusMarked(bool marked) {
    if (m_focusMarked == marked)
        return;
    m_focusMarked = marked;
    update();
}

QRect ClickLabel::focusMarkRect() const {
    const QRect text =
        QStyle::alignedRect(layoutDirection(), alignment(),
                            fontMetrics().size(Qt::TextSingleLine, this->text()), contentsRect());
    return text.adjusted(-2, -1, 1, 0).intersected(rect());
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!m_focusMarked)
        return;
    QPainter painter(this);
    kit::drawFocusMark(painter, focusMarkRect(), palette().color(foregroundRole()));
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of the pair has already run the action.
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
        event->accept();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const bool click = m_leftPressed && rect().contains(event->position().toPoint());
        m_leftPressed = false;
        if (click) {
            event->accept();
            emit clicked();
            return;
        }
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace kavu
