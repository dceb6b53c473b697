#pragma once

#include <QLabel>

namespace kavu {

// A label (or picture) that reports a left click, as the launcher entries and links need. A
// double click reports one click, as a single click does: the release that ends it is not a
// click of its own.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // Reports a click once control is back in the event loop, for an assistive tool.
    void clickFromAssistant();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The left button went down here, and not as the second press of a double click.
    bool m_leftPressed = false;
};

} // namespace kavu
