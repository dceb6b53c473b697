#pragma once

#include "widgets/check_button.h"
#include "widgets/click_label.h"
#include "widgets/n_shape.h"
#include "widgets/option_button.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

// Drives the apps windows through their controls, found by object name, as a user would.
namespace kavu::test::apps {

template <class Control> Control* control(QWidget& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    if (!found) {
        QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
    }
    return found;
}

inline void clickShape(QWidget& window, const QString& name,
                       Qt::MouseButton button = Qt::LeftButton) {
    if (auto* shape = control<N_Shape>(window, name)) {
        QTest::mouseClick(shape, button);
    }
}

inline void clickCheck(QWidget& window, const QString& name) {
    if (auto* check = control<CheckButton>(window, name)) {
        QTest::mouseClick(check, Qt::LeftButton);
    }
}

inline void clickOption(QWidget& window, const QString& name) {
    if (auto* option = control<OptionButton>(window, name)) {
        QTest::mouseClick(option, Qt::LeftButton);
    }
}

inline void clickLink(QWidget& window, const QString& name) {
    if (auto* link = control<ClickLabel>(window, name)) {
        QTest::mouseClick(link, Qt::LeftButton);
    }
}

// Types text key by key; characters beyond ASCII arrive as key events that carry only text.
inline void typeText(QWidget* box, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(box, char(character.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
}

inline void typeInto(QWidget& window, const QString& name, const QString& text) {
    if (auto* box = control<QLineEdit>(window, name)) {
        box->clear();
        typeText(box, text);
    }
}

inline QStringList listed(QWidget& window) {
    QStringList names;
    if (auto* list = control<QListWidget>(window, QStringLiteral("Fileapk"))) {
        for (int row = 0; row < list->count(); ++row) {
            names.append(list->item(row)->text());
        }
    }
    return names;
}

// Clicks the entry of the file list that shows name.
inline void pick(QWidget& window, const QString& name) {
    auto* list = control<QListWidget>(window, QStringLiteral("Fileapk"));
    if (!list) {
        return;
    }
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("not listed: ") + name), __FILE__, __LINE__);
        return;
    }
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

// Closes a window the way the user does and lets it be destroyed.
inline void closeWindow(QWidget* window) {
    if (window) {
        window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace kavu::test::apps
