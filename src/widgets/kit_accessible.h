#pragma once

#include <QAccessibleWidget>

namespace kavu {

class KitInput;
class ClickLabel;
class LauncherButton;

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

// A clickable label: a link named by its text, or a label that takes a click.
class ClickLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text which) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    ClickLabel* label() const;
};

// A launcher entry: one push button named by its caption. Its icon and caption are parts of
// it, not objects of their own.
class LauncherButtonAccessible final : public QAccessibleWidget {
public:
    explicit LauncherButtonAccessible(LauncherButton* entry);

    QString text(QAccessible::Text which) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    LauncherButton* entry() const;
};

// Whether a modal window keeps the user from the control: an assistive press must then do nothing,
// as a click cannot reach it either.
bool blockedByModal(const QWidget& control);

// Makes Qt hand out the interfaces above for the kit's controls, and a window's role for the
// program's windows and a separator's for lines. Every kit control calls it when
// created; it registers once per process.
void installAccessibility();

} // namespace kit

} // namespace kavu
