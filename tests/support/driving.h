#pragma once

#include <QCoreApplication>
#include <QLineEdit>
#include <QtTest>

// Drives a window through its controls, found by object name, as a user would.
namespace kavu::test {

// The control called name; fails the test when the window has none.
template <class Control> Control* control(QWidget& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    if (found == nullptr) {
        QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
    }
    return found;
}

// A click in the middle of any control: a shape button, a check or option button, a link.
inline void click(QWidget& window, const QString& name, Qt::MouseButton button = Qt::LeftButton) {
    if (auto* widget = control<QWidget>(window, name)) {
        QTest::mouseClick(widget, button, {}, widget->rect().center());
    }
}

// Clears the box and types text key by key; characters beyond ASCII arrive as key events that
// carry only text.
inline void typeInto(QWidget& window, const QString& name, const QString& text) {
    auto* box = control<QLineEdit>(window, name);
    if (box == nullptr) {
        return;
    }
    box->clear();
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(box, char(character.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
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

} // namespace kavu::test
