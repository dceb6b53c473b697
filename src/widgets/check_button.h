#pragma once

#include "widgets/glyph_button.h"

namespace kavu {

// Check button: Value 0 unchecked, 1 checked, 2 grey. A left click turns 0 into 1 and 1 or 2 into
// 0, shows the normal glyph of the new value, then raises Click. Setting Value from code raises
// nothing.
//
// The glyph shows the value in one of four looks: pressed from a press until the pointer moves
// again, hover while the pointer moves over it, normal once it has gone (MouseOut), disabled.
// Keys raise KeyDown, KeyPress and KeyUp; Space and Return then click as the left button does. A
// new button reports MouseOut once, 50 ms after it is first shown, when the pointer is not over it.
// A disabled button takes no input, raises nothing and shows a grey caption.
class CheckButton : public GlyphButton {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)

public:
    explicit CheckButton(QWidget* parent = nullptr);

    int value() const { return m_value; }
    void setValue(int value);
    bool isChecked() const { return m_value == 1; }

    // Caption colour shown now (RGB 161,161,146 while disabled).
    QColor captionColor() const override;

    QAccessible::Role accessibleRole() const override { return QAccessible::CheckBox; }
    void addAccessibleState(QAccessible::State& state) const override;

protected:
    int valueIndex() const override;
    void drawGlyph(QPainter& painter, const QRect& box) const override;
    void pressed(const kit::MouseInput& input) override;
    void released(const kit::MouseInput& input) override;
    void pointerOver(const kit::MouseInput& input, bool raiseMove) override;
    void enabledChanged() override;
    void pressDropped() override;
    void showEvent(QShowEvent* event) override;

private:
    int m_value = 0;
    bool m_shownBefore = false;
};

} // namespace kavu
