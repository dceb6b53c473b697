#include "apps/risk_phrase.h"

#include "platform/services.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

namespace kavu {

namespace {

// The risk dialog's own words, kept in its translation context.
const char* const kContext = "kavu::WARNING";
const char* const kPhrase =
    QT_TRANSLATE_NOOP("kavu::WARNING", "我已知悉该风险，若造成卡机或数据损失等后果则与作者无关");
const char* const kGuardTitle = QT_TRANSLATE_NOOP("kavu::WARNING", "高风险功能警告");

} // namespace

QString riskPhrase() {
    return QCoreApplication::translate(kContext, kPhrase);
}

QString riskGuardTitle() {
    return QCoreApplication::translate(kContext, kGuardTitle);
}

TypedOnly::TypedOnly(QLineEdit& box, MessageBoxes& messages)
    : QObject(&box)
    , m_box(box)
    , m_messages(messages) {
    box.installEventFilter(this);
}

void TypedOnly::refusePaste() {
    m_box.setReadOnly(true);
    m_messages.show(QCoreApplication::translate("kavu::WARNING", "禁止粘贴！"), riskGuardTitle(),
                    MessageIcon::Critical);
    m_box.setReadOnly(false);
}

// The menu of a read-only box offers copying and selecting, and nothing that edits.
void TypedOnly::showMenuWithoutPaste(const QPoint& at) {
    m_box.setReadOnly(true);
    const std::unique_ptr<QMenu> menu(m_box.createStandardContextMenu());
    m_box.setReadOnly(false);
    menu->exec(at);
}

bool TypedOnly::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_box) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        // Every paste key of the platform (Ctrl+V, Shift+Insert, …).
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            refusePaste();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            m_messages.show(QCoreApplication::translate("kavu::WARNING", "右键菜单不可用！"),
                            riskGuardTitle(), MessageIcon::Critical);
            return true;
        }
        [[fallthrough]];
    case QEvent::MouseButtonRelease:
        // The middle button pastes the desktop's selection.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            return true;
        }
        break;
    case QEvent::ContextMenu:
        // The menu is not offered to the mouse; the keyboard's menu key opens it without its
        // paste entry.
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse) {
            showMenuWithoutPaste(static_cast<QContextMenuEvent*>(event)->globalPos());
        }
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kavu
