#pragma once

#include <QColor>
#include <QWidget>

// Check button: Value 0 unchecked, 1 checked, 2 grey. A left click turns 0 into 1 and 1 or 2 into
// 0, then raises Click. Setting Value from code raises nothing.
//
// A 13-pixel glyph box at the left, vertically centred, and the caption 16 pixels in. The glyph
// shows the value in one of four looks: normal, hover, pressed, disabled. No key changes the
// value. A disabled button takes no input, raises nothing and shows a grey caption.
class CheckButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    explicit CheckButton(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int value() const { return m_value; }
    void setValue(int value);
    bool isChecked() const { return m_value == 1; }

    // Caption colour while enabled (black unless set).
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    // Background; an invalid colour (the default) leaves the container's background showing.
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // Glyph shown now: 4 × value index (0 unchecked, 1 checked, 2 grey) + look (0 normal,
    // 1 hover, 2 pressed, 3 disabled).
    int glyph() const;
    // Caption colour shown now (RGB 161,161,146 while disabled).
    QColor captionColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void MouseDown(int button);
    void MouseUp(int button);
    void MouseOut();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_caption;
    int m_value = 0;
    QColor m_foreColor;
    QColor m_backColor;
    bool m_hover = false;
    // Buttons that went down on this control and are not released yet.
    Qt::MouseButtons m_held;
};
