#pragma once

#include <QColor>
#include <QWidget>

// Option button: a left click (or Space) on an unselected option clears every OptionButton of the
// same parent with the same Group, selects this one and raises Click. A click on a selected
// option does nothing. Setting Value from code raises nothing and touches no other option.
//
// Space acts in two steps: pressing it raises Click at once (the value not yet changed) and
// shows the pressed glyph; releasing it runs the click above. On an unselected option Space thus
// raises Click twice, on a selected one once. Same layout and glyph looks as CheckButton.
class OptionButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(int Group READ group WRITE setGroup)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    explicit OptionButton(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool value() const { return m_value; }
    void setValue(bool value);
    int group() const { return m_group; }
    void setGroup(int group) { m_group = static_cast<qint16>(group); }
    bool isChecked() const { return m_value; }

    // Caption colour while enabled (black unless set).
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    // Background; an invalid colour (the default) leaves the container's background showing.
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // Glyph shown now: 4 × value (0 or 1) + look (0 normal, 1 hover, 2 pressed, 3 disabled).
    int glyph() const;
    // Caption colour shown now (the palette's disabled text colour while disabled).
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
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void select();

    QString m_caption;
    bool m_value = false;
    qint16 m_group = 0;
    QColor m_foreColor;
    QColor m_backColor;
    bool m_hover = false;
    // Set between a press (mouse button or Space) and its release.
    bool m_pressed = false;
    Qt::MouseButtons m_held;
};
