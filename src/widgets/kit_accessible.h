#pragma once

#include <QAccessibleWidget>

namespace kavu {

class KitInput;
class ClickLabel;

namespace kit {

// What assistive technology (screen readers, UI automation) sees of a kit control: its role
// (push button, check box, radio button), its caption as name, its state (checked, grey,
// pressed, disabled, focused) and one action that does what a left click does.
class KitAccessible final : public QAccessibleWidget {
public:
    explicit KitAccessible(KitInput* control);

    QString text(QAccessible::Text which) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    KitInput* control() const;
    QString clickAction() const;
};

// A clickable label of the launcher or a link: a push button named by its text.
class ClickLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label);

    QString text(QAccessible::Text which) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    ClickLabel* label() const;
};

// Whether a modal window keeps the user from the control: an assistive press must then do nothing,
// as a click cannot reach it either.
bool blockedByModal(const QWidget& control);

// Makes Qt hand out the interfaces above for the kit's controls. Every kit control calls it when
// created; it registers once per process.
void installAccessibility();

} // namespace kit

} // namespace kavu
