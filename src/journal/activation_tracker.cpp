#include "journal/activation_tracker.h"

#include "widgets/click_label.h"
#include "widgets/kit_input.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kavu::journal {

namespace {

// The caption of the control the widget is or belongs to; none when it is no control.
std::optional<QString> captionOf(QWidget* widget) {
    for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget()) {
        if (auto* kit = qobject_cast<KitInput*>(widget)) {
            return kit->accessibleCaption();
        }
        if (auto* label = qobject_cast<ClickLabel*>(widget)) {
            // A launcher icon holds only a picture and is named after its caption.
            return label->text().isEmpty() ? label->accessibleName() : label->text();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            return button->text();
        }
    }
    return std::nullopt;
}

bool activates(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton;
    case QEvent::KeyPress: {
        const int key = static_cast<const QKeyEvent&>(event).key();
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    default:
        return false;
    }
}

} // namespace

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event) {
    if (activates(*event) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (const std::optional<QString> caption = captionOf(widget)) {
            m_control = *caption;
            m_window = widget->window()->windowTitle();
        }
    }
    return false;
}

} // namespace kavu::journal
