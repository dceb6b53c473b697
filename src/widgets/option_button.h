#pragma once

#include "widgets/glyph_button.h"

// Option button: a left click (or Space) on an unselected option clears every OptionButton of the
// same parent with the same Group, selects this one and raises Click. A click on a selected
// option does nothing. Setting Value from code raises nothing and touches no other option.
//
// Space acts in two steps: pressing it raises Click at once (the value not yet changed) and
// shows the pressed glyph; releasing it runs the click above. On an unselected option Space thus
// raises Click twice, on a selected one once. Same layout and glyph looks as CheckButton.
class OptionButton : public GlyphButton {
    Q_OBJECT
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(int Group READ group WRITE setGroup)

public:
    explicit OptionButton(QWidget* parent = nullptr);

    bool value() const { return m_value; }
    void setValue(bool value);
    int group() const { return m_group; }
    void setGroup(int group) { m_group = static_cast<qint16>(group); }
    bool isChecked() const { return m_value; }

    // Glyph shown now: 4 × value (0 or 1) + look (0 normal, 1 hover, 2 pressed, 3 disabled).
    int glyph() const;
    // Caption colour shown now (the palette's disabled text colour while disabled).
    QColor captionColor() const override;

signals:
    void Click();

protected:
    void drawGlyph(QPainter& painter, const QRect& box) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void select();

    bool m_value = false;
    qint16 m_group = 0;
    // Set between a press (mouse button or Space) and its release.
    bool m_pressed = false;
};
