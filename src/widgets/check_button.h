#pragma once

#include "widgets/glyph_button.h"

// Check button: Value 0 unchecked, 1 checked, 2 grey. A left click turns 0 into 1 and 1 or 2 into
// 0, then raises Click. Setting Value from code raises nothing.
//
// The glyph shows the value in one of four looks: normal, hover, pressed, disabled. No key
// changes the value. A disabled button takes no input, raises nothing and shows a grey caption.
class CheckButton : public GlyphButton {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    explicit CheckButton(QWidget* parent = nullptr);

    int value() const { return m_value; }
    void setValue(int value);
    bool isChecked() const { return m_value == 1; }

    // Glyph shown now: 4 × value index (0 unchecked, 1 checked, 2 grey) + look (0 normal,
    // 1 hover, 2 pressed, 3 disabled).
    int glyph() const;
    // Caption colour shown now (RGB 161,161,146 while disabled).
    QColor captionColor() const override;

signals:
    void Click();

protected:
    void drawGlyph(QPainter& painter, const QRect& box) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_value = 0;
};
