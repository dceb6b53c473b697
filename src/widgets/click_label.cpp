#include "widgets/click_label.h"

#include "widgets/kit_accessible.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QTimer>

namespace kavu {

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent) {
    kit::installAccessibility();
}

QImage readPicture(const QString& file) {
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

void ClickLabel::clickFromAssistant() {
    QTimer::singleShot(0, this, [this] {
        if (isEnabled() && !kit::blockedByModal(*this))
            emit clicked();
    });
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
