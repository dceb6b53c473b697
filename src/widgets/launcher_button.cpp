#include "widgets/launcher_button.h"

#include "widgets/click_label.h"
#include "widgets/kit_accessible.h"
#include "widgets/kit_input.h"
#include "widgets/kit_paint.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace kavu {

LauncherButton::LauncherButton(ClickLabel* icon, ClickLabel& caption)
    : QWidget(caption.parentWidget())
    , m_caption(caption) {
    kit::installAccessibility();
    setObjectName(caption.objectName() + QStringLiteral("Entry"));
    setFocusPolicy(Qt::StrongFocus);
    QList<ClickLabel*> parts{&caption};
    if (icon != nullptr) {
        parts << icon;
    }
    QRect area = caption.geometry();
    for (const ClickLabel* part : std::as_const(parts)) {
        area = area.united(part->geometry());
    }
    setGeometry(area);
    for (ClickLabel* part : std::as_const(parts)) {
        const QRect at = part->geometry().translated(-area.topLeft());
        part->setParent(this);
        part->setGeometry(at);
        part->show();
        part->installEventFilter(this);
        connect(part, &ClickLabel::clicked, this, &LauncherButton::activated);
    }
    show();
}

QString LauncherButton::caption() const {
    return m_caption.text();
}

void LauncherButton::activateFromAssistant() {
    QTimer::singleShot(0, this, [this] {
        if (isEnabled() && !kit::blockedByModal(*this))
            emit activated();
    });
}

bool LauncherButton::eventFilter(QObject* watched, QEvent* event) {
    // The user points now: the focus mark goes.
    if (event->type() == QEvent::MouseButtonPress && m_focusMarked)
        markCaption(false);
    return QWidget::eventFilter(watched, event);
}

void LauncherButton::keyPressEvent(QKeyEvent* event) {
    const kit::KeyClicks::Taken taken = m_keys.press(*event);
    if (taken == kit::KeyClicks::Taken::No) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (taken == kit::KeyClicks::Taken::Click)
        emit activated();
}

void LauncherButton::keyReleaseEvent(QKeyEvent* event) {
    if (m_keys.release(*event) == kit::KeyClicks::Taken::No) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    emit activated();
}

void LauncherButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    markCaption(kit::marksFocus(event->reason(), m_focusMarked));
}

void LauncherButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // A Space press goes with the focus.
    m_keys.cancel();
    const bool comesBack =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    m_focusMarked = m_focusMarked && comesBack;
    m_caption.setFocusMarked(false);
}

void LauncherButton::markCaption(bool marked) {
    m_focusMarked = marked;
    m_caption.setFocusMarked(marked);
}

} // namespace kavu
