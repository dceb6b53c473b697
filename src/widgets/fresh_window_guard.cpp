#include "widgets/fresh_window_guard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

#include <algorithm>

namespace kavu {

FreshWindowGuard::FreshWindowGuard() {
    QCoreApplication::instance()->installEventFilter(this);
}

FreshWindowGuard::~FreshWindowGuard() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool FreshWindowGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ZOrderChange: // sent by QWidget::raise()
        if (watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isVisible())
                arm(*widget);
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        // Mouse input reaches a window before Qt hands it to the widget under the pointer; a
        // press dropped there leaves no trace in the widgets, not even a pressed look.
        if (watched->isWindowType())
            return dropMouse(static_cast<QWindow*>(watched), *event);
        return false;
    default:
        return false;
    }
}

void FreshWindowGuard::arm(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (handle == nullptr)
        return;
    std::erase_if(m_fresh, [handle](const Fresh& fresh) {
        return fresh.window.isNull() || fresh.window == handle || fresh.until.hasExpired();
    });
    m_fresh.push_back(
        {handle, QDeadlineTimer(QGuiApplication::styleHints()->mouseDoubleClickInterval())});
}

bool FreshWindowGuard::isFresh(const QWindow* window) const {
    return std::any_of(m_fresh.begin(), m_fresh.end(), [window](const Fresh& fresh) {
        return fresh.window == window && !fresh.until.hasExpired();
    });
}

bool FreshWindowGuard::dropMouse(const QWindow* window, const QEvent& event) {
    const Qt::MouseButton button = static_cast<const QMouseEvent&>(event).button();
    const bool dropped = m_dropped.testFlag(button);
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        m_dropped.setFlag(button, isFresh(window));
        return m_dropped.testFlag(button);
    case QEvent::MouseButtonDblClick: // follows its press
        return dropped || isFresh(window);
    default: // the release
        m_dropped.setFlag(button, false);
        return dropped;
    }
}

} // namespace kavu
