#pragma once

#include <QColor>
#include <QWidget>

// What the check and option buttons share: a 13-pixel glyph box at the left, vertically centred,
// and the caption 16 pixels in; the caption and its colours; hover tracking; and the mouse
// signals. Each kind draws its own glyph and decides what a press and a release do.
class GlyphButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Caption colour while enabled (black unless set).
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    // Background; an invalid colour (the default) leaves the container's background showing.
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // Caption colour shown now.
    virtual QColor captionColor() const = 0;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void MouseDown(int button);
    void MouseUp(int button);
    void MouseOut();

protected:
    explicit GlyphButton(QWidget* parent);

    // Draws the glyph for the current value and look into its box.
    virtual void drawGlyph(QPainter& painter, const QRect& box) const = 0;

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

    bool m_hover = false;
    // Buttons that went down on this control and are not released yet.
    Qt::MouseButtons m_held;

private:
    QString m_caption;
    QColor m_foreColor;
    QColor m_backColor;
};
