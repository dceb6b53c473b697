#pragma once

#include "widgets/glyph_button.h"

namespace kavu {

// Option button: a left click (or Space) on an unselected option clears every OptionButton of the
// same parent with the same Group, selects this one and raises Click. A click on a selected
// option does nothing. Setting Value from code raises nothing and touches no other option.
//
// Every key raises KeyDown; Space (with or without Shift or Ctrl) also KeyPress, and its release
// KeyUp. Space and Return then click as the left button does: Space presses the option (pressed
// glyph, MouseDown) and its release clicks, Return does both at once.
//
// Looks: a press (mouse button or Space) shows the pressed glyph until its release, wherever the
// pointer goes; the focused option keeps the hover glyph. MouseMove comes with the hover glyph,
// and not while an unselected option already shows it, until the option first lost the focus.
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

    // Caption colour shown now (the palette's disabled text colour while disabled).
    QColor captionColor() const override;

    QAccessible::Role accessibleRole() const override { return QAccessible::RadioButton; }
    void addAccessibleState(QAccessible::State& state) const override;

protected:
    int valueIndex() const override { return m_value ? 1 : 0; }
    void drawGlyph(QPainter& painter, const QRect& box) const override;
    void pressed(const kit::MouseInput& input) override;
    void released(const kit::MouseInput& input) override;
    void pointerOver(const kit::MouseInput& input, bool raiseMove) override;
    bool mayReportOut() const override { return !m_pressed; }
    void enabledChanged() override;
    void keyDown(QKeyEvent& event) override;
    void keyUp(QKeyEvent& event) override;
    void pressDropped() override { m_pressed = false; }
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void select();

    bool m_value = false;
    qint16 m_group = 0;
    // Set between a press (mouse button or Space) and its release.
    bool m_pressed = false;
    // A move shows the hover glyph and raises MouseMove only when this glyph is not shown: the
    // unselected hover glyph, until the first focus loss; then the selected disabled glyph,
    // which an enabled option never shows.
    kit::Glyph m_comparison{0, kit::LookHover};
};

} // namespace kavu
