#include "widgets/kit_accessible.h"

#include "widgets/click_label.h"
#include "widgets/kit_input.h"
#include "widgets/launcher_button.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QTextDocumentFragment>

namespace kavu {

namespace kit {

namespace {

QAccessibleInterface* kitFactory(const QString& /*className*/, QObject* object) {
    // Qt asks once per class of the object's ancestry, most derived first, so the first answer
    // covers every kind of the kit.
    if (auto* control = qobject_cast<KitInput*>(object))
        return new KitAccessible(control);
    if (auto* label = qobject_cast<ClickLabel*>(object))
        return new ClickLabelAccessible(label);
    if (auto* entry = qobject_cast<LauncherButton*>(object))
        return new LauncherButtonAccessible(entry);
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // The program's windows are plain widgets, which Qt would report as a filler: a screen reader
    // then announces no window at all.
    if (widget->windowType() == Qt::Window && qobject_cast<QDialog*>(widget) == nullptr &&
        qobject_cast<QFrame*>(widget) == nullptr)
        return new QAccessibleWidget(widget, QAccessible::Window);
    // A line drawn between parts of a frame separates them; Qt reports it as a frame of its own.
    if (widget->metaObject() == &QFrame::staticMetaObject) {
        const QFrame::Shape shape = static_cast<QFrame*>(widget)->frameShape();
        if (shape == QFrame::HLine || shape == QFrame::VLine)
            return new QAccessibleWidget(widget, QAccessible::Separator);
    }
    return nullptr;
}

} // namespace

KitAccessible::KitAccessible(KitInput* control)
    : QAccessibleWidget(control, control->accessibleRole()) {}

KitInput* KitAccessible::control() const {
    return static_cast<KitInput*>(widget());
}

QString KitAccessible::text(QAccessible::Text which) const {
    if (which == QAccessible::Name && control()->accessibleName().isEmpty())
        return control()->accessibleCaption();
    return QAccessibleWidget::text(which);
}

QAccessible::State KitAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    control()->addAccessibleState(state);
    return state;
}

QString KitAccessible::clickAction() const {
    return role() == QAccessible::PushButton ? pressAction() : toggleAction();
}

QStringList KitAccessible::actionNames() const {
    QStringList names;
    if (control()->isEnabled())
        names << clickAction();
    return names + QAccessibleWidget::actionNames();
}

void KitAccessible::doAction(const QString& action) {
    if (action == clickAction() || action == pressAction())
        control()->clickFromAssistant();
    else
        QAccessibleWidget::doAction(action);
}

ClickLabelAccessible::ClickLabelAccessible(ClickLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

// A link reads as a link; a label that only the mouse can click (a hidden hot spot, a launcher
// part) is read as the text it is.
QAccessible::Role ClickLabelAccessible::role() const {
    return label()->isLink() ? QAccessible::Link : QAccessible::StaticText;
}

ClickLabel* ClickLabelAccessible::label() const {
    return static_cast<ClickLabel*>(widget());
}

QString ClickLabelAccessible::text(QAccessible::Text which) const {
    if (which != QAccessible::Name || !label()->accessibleName().isEmpty())
        return QAccessibleWidget::text(which);
    const QString text = label()->text();
    if (label()->textFormat() == Qt::PlainText ||
        (label()->textFormat() == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    return QTextDocumentFragment::fromHtml(text).toPlainText();
}

QStringList ClickLabelAccessible::actionNames() const {
    QStringList names;
    if (label()->isEnabled())
        names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void ClickLabelAccessible::doAction(const QString& action) {
    if (action == pressAction())
        label()->clickFromAssistant();
    else
        QAccessibleWidget::doAction(action);
}

LauncherButtonAccessible::LauncherButtonAccessible(LauncherButton* entry)
    : QAccessibleWidget(entry, QAccessible::PushButton) {}

LauncherButton* LauncherButtonAccessible::entry() const {
    return static_cast<LauncherButton*>(widget());
}

QString LauncherButtonAccessible::text(QAccessible::Text which) const {
    if (which == QAccessible::Name && entry()->accessibleName().isEmpty())
        return entry()->caption();
    return QAccessibleWidget::text(which);
}

QStringList LauncherButtonAccessible::actionNames() const {
    QStringList names;
    if (entry()->isEnabled())
        names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void LauncherButtonAccessible::doAction(const QString& action) {
    if (action == pressAction())
        entry()->activateFromAssistant();
    else
        QAccessibleWidget::doAction(action);
}

bool blockedByModal(const QWidget& control) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == control.window())
        return false;
    if (modal->windowModality() == Qt::WindowModal) {
        // Such a box blocks only the window it belongs to.
        const QWidget* owner = modal->parentWidget();
        return owner != nullptr && owner->window() == control.window();
    }
    return true;
}

void installAccessibility() {
    // Qt keeps its factories for the whole process; this adds the kit's once.
    static const bool installed = [] {
        QAccessible::installFactory(&kitFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kit

} // namespace kavu
