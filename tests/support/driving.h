#pragma once

#include "widgets/check_button.h"
#include "widgets/click_label.h"
#include "widgets/n_shape.h"
#include "widgets/option_button.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

// Drives a window through its controls, found by object name, as a user would, and reads back
// what they show. A control that is missing, or of another kind than asked, fails the test.
namespace kavu::test {

namespace detail {
inline void fail(const QString& message, const char* file, int line) {
    QTest::qFail(qPrintable(message), file, line);
}
} // namespace detail

// The control called name; fails the test when the window has none of that kind.
template <class Control> Control* control(QWidget& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    if (found == nullptr) {
        detail::fail(QStringLiteral("no control ") + name, __FILE__, __LINE__);
    }
    return found;
}

// A click in the middle of a control: a shape button, a check or option button, a link, a label.
// Naming the kind (click<CheckButton>) also checks that the control is one.
template <class Control = QWidget>
void click(QWidget& window, const QString& name, Qt::MouseButton button = Qt::LeftButton) {
    if (auto* widget = control<Control>(window, name)) {
        QTest::mouseClick(widget, button, {}, widget->rect().center());
    }
}

// Types text key by key where the cursor stands; characters beyond ASCII arrive as key events
// that carry only text.
inline void typeKeys(QWidget* target, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(target, char(character.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
}

// Clears the box and types text into it; fails the test when the box takes no input or does not
// show what was typed.
inline void typeInto(QWidget& window, const QString& name, const QString& text) {
    auto* box = control<QLineEdit>(window, name);
    if (box == nullptr) {
        return;
    }
    if (!box->isEnabled()) {
        detail::fail(QStringLiteral("typing into the disabled box ") + name, __FILE__, __LINE__);
        return;
    }
    box->clear();
    typeKeys(box, text);
    if (box->text() != text) {
        detail::fail(QStringLiteral("the box %1 shows \"%2\" after \"%3\" was typed")
                         .arg(name, box->text(), text),
                     __FILE__, __LINE__);
    }
}

// The text a box holds.
inline QString boxText(QWidget& window, const QString& name) {
    auto* box = control<QLineEdit>(window, name);
    return box ? box->text() : QString();
}

// What a control shows: a frame's title, a label's or a box's text, a kit control's Caption.
inline QString shownText(QWidget& window, const QString& name) {
    auto* shown = control<QWidget>(window, name);
    if (shown == nullptr) {
        return {};
    }
    if (auto* frame = qobject_cast<QGroupBox*>(shown)) {
        return frame->title();
    }
    if (auto* label = qobject_cast<QLabel*>(shown)) {
        return label->text();
    }
    if (auto* box = qobject_cast<QLineEdit*>(shown)) {
        return box->text();
    }
    return shown->property("Caption").toString();
}

// A check button's value: 0 unchecked, 1 checked, 2 grey.
inline int checkValue(QWidget& window, const QString& name) {
    auto* check = control<CheckButton>(window, name);
    return check ? check->value() : -1;
}

// Whether an option button is the selected one of its group.
inline bool isSelected(QWidget& window, const QString& name) {
    auto* option = control<OptionButton>(window, name);
    return option != nullptr && option->value();
}

// The entries a list shows, top to bottom.
inline QStringList entries(QWidget& window, const QString& list) {
    QStringList names;
    if (auto* shown = control<QListWidget>(window, list)) {
        for (int row = 0; row < shown->count(); ++row) {
            names.append(shown->item(row)->text());
        }
    }
    return names;
}

// Clicks the entry of a list that shows text; fails the test when none does.
inline void pick(QWidget& window, const QString& list, const QString& text) {
    auto* shown = control<QListWidget>(window, list);
    if (shown == nullptr) {
        return;
    }
    const QList<QListWidgetItem*> found = shown->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        detail::fail(QStringLiteral("not listed: ") + text, __FILE__, __LINE__);
        return;
    }
    shown->scrollToItem(found.first());
    QTest::mouseClick(shown->viewport(), Qt::LeftButton, {},
                      shown->visualItemRect(found.first()).center());
}

// Where a control stands, in the window's coordinates.
inline QRect placeOf(QWidget& window, const QString& name) {
    auto* placed = control<QWidget>(window, name);
    return placed ? QRect(placed->mapTo(&window, QPoint(0, 0)), placed->size()) : QRect();
}

// Lets a window's timer run out, times over, without waiting for it.
inline void fireTimer(QWidget& window, const QString& name, int times = 1) {
    auto* timer = window.findChild<QTimer*>(name);
    if (timer == nullptr) {
        detail::fail(QStringLiteral("no timer ") + name, __FILE__, __LINE__);
        return;
    }
    for (int i = 0; i < times; ++i) {
        if (!QMetaObject::invokeMethod(timer, "timeout")) {
            detail::fail(QStringLiteral("the timer did not run out: ") + name, __FILE__, __LINE__);
            return;
        }
    }
}

// Closes a window the way the user does and lets it be destroyed.
inline void closeWindow(QWidget* window) {
    if (window != nullptr) {
        window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The application's font for as long as it lives: windows opened meanwhile take it.
class AppFont {
public:
    explicit AppFont(const QString& family, int points = 9)
        : m_before(QApplication::font()) {
        QApplication::setFont(QFont(family, points));
    }
    ~AppFont() { QApplication::setFont(m_before); }
    AppFont(const AppFont&) = delete;
    AppFont& operator=(const AppFont&) = delete;

private:
    QFont m_before;
};

// Faces whose blanks are narrower than, about as wide as, and wider than half a Han character.
inline const QStringList kBlankWidthFaces{QStringLiteral("Noto Sans CJK SC"),
                                          QStringLiteral("DejaVu Sans"),
                                          QStringLiteral("Noto Sans Mono CJK SC")};

} // namespace kavu::test
