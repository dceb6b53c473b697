#include "widgets/window_keys.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include <utility>

namespace kavu {

namespace {

// Controls that only take what is typed or chosen in them: focusing them, or a key pressed in
// them, starts nothing.
bool changesNothing(const QWidget& control) {
    return qobject_cast<const QLineEdit*>(&control) != nullptr ||
           qobject_cast<const QAbstractItemView*>(&control) != nullptr ||
           qobject_cast<const QComboBox*>(&control) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&control) != nullptr ||
           qobject_cast<const QTextEdit*>(&control) != nullptr;
}

bool isReturn(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

QWidget& firstFocus(QWidget& window) {
    for (QWidget* control = window.nextInFocusChain(); control != &window;
         control = control->nextInFocusChain()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(&window) &&
            control->isEnabled() && changesNothing(*control)) {
            return *control;
        }
    }
    return window;
}

WindowKeys::WindowKeys(std::function<bool(const QWidget&)> isMainWindow)
    : m_isMainWindow(std::move(isMainWindow)) {
    QCoreApplication::instance()->installEventFilter(this);
}

WindowKeys::~WindowKeys() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

// The program's own windows: not Qt's dialogs, message boxes, menus and pop-ups, which have keys
// of their own.
bool WindowKeys::isOwnWindow(const QWidget& window) const {
    const Qt::WindowType type = window.windowType();
    return (type == Qt::Window || type == Qt::Widget) &&
           qobject_cast<const QDialog*>(&window) == nullptr;
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Show:
        // A window shown again keeps the focus it had.
        if (widget->isWindow() && isOwnWindow(*widget) && widget->focusWidget() == nullptr)
            firstFocus(*widget).setFocus(Qt::OtherFocusReason);
        return false;
    case QEvent::KeyPress:
        return widget->hasFocus() && isOwnWindow(*widget->window()) &&
               takeKey(*widget, static_cast<const QKeyEvent&>(*event));
    default:
        return false;
    }
}

bool WindowKeys::takeKey(QWidget& receiver, const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
        QWidget* window = receiver.window();
        if (m_isMainWindow(*window))
            return false;
        if (!key.isAutoRepeat())
            window->close();
        return true;
    }
    // A Qt button acts on Return only as a dialog's default; here it acts as Space does.
    auto* button = qobject_cast<QPushButton*>(&receiver);
    if (button != nullptr && isReturn(key)) {
        if (!key.isAutoRepeat() && button->isEnabled())
            button->click();
        return true;
    }
    return false;
}

} // namespace kavu
