#pragma once

#include <QLabel>
#include <QPixmap>

namespace kavu {

// A text label that draws its text once into a picture and then only copies the picture, for a
// label that moves often (the main window's scrolling notice). The picture is opaque, filled with
// the label's background colour.
class CachedLabel : public QLabel {
    Q_OBJECT

public:
    explicit CachedLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QString m_pictureText;
};

} // namespace kavu
