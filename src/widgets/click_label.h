#pragma once

#include "widgets/kit_input.h"

#include <QImage>
#include <QLabel>

namespace kavu {

// A picture file read by Qt's own decoder for the format its suffix names (PNG, JPEG, …), with
// no autodetection: otherwise every image plugin would be loaded first to be asked whether it reads
// the file. Null, with a warning, when it cannot be read.
// A resource named .pixels holds the picture's pixels as they are drawn (see render_svg), shown
// without decoding; stored uncompressed, where it is stored, without a copy.
QImage readPicture(const QString& file);

// The picture a .pixels file holds: "KVPX", its width and height (up to 4096, 4 bytes each), then a
// 4-byte word per pixel, premultiplied ARGB, row by row, every number little-endian. Null when the
// file is not exactly that. The picture uses the file's bytes where it can: they must outlive it.
QImage picturePixels(QByteArrayView file);

// A label (or picture) that reports a left click, as the launcher entries and links need. A
// double click reports one click, as a single click does: the release that ends it is not a
// click of its own.
class ClickLabel : public QLabel {
    Q_OBJECT
    // A picture file shown in the label, read by Qt's own decoders for PNG, JPEG and the like
    // (through QPixmap, every image plugin would be loaded first to be asked whether it reads
    // the format: half a megabyte at start-up for the launcher's icons).
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    // A link in a window's text: Tab reaches it, and Space (on its release) or Return follows it
    // as a click does; focus from the keyboard shows the focus mark around its text.
    Q_PROPERTY(bool link READ isLink WRITE setLink)

public:
    explicit ClickLabel(QWidget* parent = nullptr);

    QString picture() const { return m_picture; }
    void setPicture(const QString& file);
    bool isLink() const { return m_link; }
    void setLink(bool link);

    // Reports a click once control is back in the event loop, for an assistive tool.
    void clickFromAssistant();

    // Shows the focus mark around the text, for the launcher entry it belongs to.
    void setFocusMarked(bool marked);
    bool focusMarked() const { return m_focusMarked; }
    QRect focusMarkRect() const;

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The left button went down here, and not as the second press of a double click.
    bool m_leftPressed = false;
    bool m_focusMarked = false;
    bool m_link = false;
    kit::KeyClicks m_keys;
    QString m_picture;
};

} // namespace kavu
