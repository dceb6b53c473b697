#pragma once

#include "widgets/kit_input.h"
#include "widgets/n_shape.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStringList>
#include <QTest>

// Drives a kit control through a short script of input steps and logs the events it raises, so
// that a table row reads as "these steps raise these events".
//
// Steps (coordinates in the control's pixels, modifiers at the end: shift, ctrl, alt):
//   move X Y [left]           a move, with the left button held or none
//   press|release|dclick left|right|middle X Y [modifiers]
//   enter X Y | leave         the pointer arrives or goes
//   key NAME [modifiers]      a key pressed and released: a, Space, Return, Enter, Right, F1
//   keydown NAME | keyup NAME [modifiers]
//   keyrepeat NAME            a key held down: the press and release the system repeats
//   focusout                  the focus goes to another control
//   resize W H
namespace kitscript {

using kavu::KitInput;
using kavu::N_Shape;

inline Qt::KeyboardModifiers modifiersOf(const QStringList& words) {
    Qt::KeyboardModifiers modifiers;
    for (const QString& word : words) {
        if (word == QLatin1String("shift"))
            modifiers |= Qt::ShiftModifier;
        else if (word == QLatin1String("ctrl"))
            modifiers |= Qt::ControlModifier;
        else if (word == QLatin1String("alt"))
            modifiers |= Qt::AltModifier;
    }
    return modifiers;
}

inline Qt::MouseButton buttonOf(const QString& word) {
    if (word == QLatin1String("left"))
        return Qt::LeftButton;
    if (word == QLatin1String("right"))
        return Qt::RightButton;
    if (word == QLatin1String("middle"))
        return Qt::MiddleButton;
    return Qt::NoButton;
}

inline Qt::Key keyOf(const QString& name) {
    if (name.size() == 1)
        return Qt::Key(QChar(name.at(0)).toUpper().unicode());
    static const QHash<QString, Qt::Key> named{
        {QStringLiteral("Space"), Qt::Key_Space}, {QStringLiteral("Return"), Qt::Key_Return},
        {QStringLiteral("Enter"), Qt::Key_Enter}, {QStringLiteral("Right"), Qt::Key_Right},
        {QStringLiteral("Left"), Qt::Key_Left},   {QStringLiteral("F1"), Qt::Key_F1}};
    return named.value(name, Qt::Key_unknown);
}

// An auto-repeated press and release, as the system sends for a key held down.
inline void sendRepeat(QWidget& control, Qt::Key key) {
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
        QKeyEvent event(type, key, Qt::NoModifier, text, true);
        QCoreApplication::sendEvent(&control, &event);
    }
}

inline void sendMouse(QWidget& control, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held, QPointF at, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, control.mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(&control, &event);
}

inline void run(QWidget& control, const QStringList& steps) {
    Qt::MouseButtons held;
    for (const QString& step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        const QString& verb = words.at(0);
        const auto point = [&](int from) {
            return QPointF(words.at(from).toDouble(), words.at(from + 1).toDouble());
        };
        if (verb == QLatin1String("move")) {
            const Qt::MouseButtons buttons =
                words.contains(QStringLiteral("left")) ? Qt::LeftButton : held;
            sendMouse(control, QEvent::MouseMove, Qt::NoButton, buttons, point(1),
                      modifiersOf(words));
        } else if (verb == QLatin1String("press") || verb == QLatin1String("dclick")) {
            const Qt::MouseButton button = buttonOf(words.at(1));
            held |= button;
            sendMouse(control,
                      verb == QLatin1String("press") ? QEvent::MouseButtonPress
                                                     : QEvent::MouseButtonDblClick,
                      button, held, point(2), modifiersOf(words));
        } else if (verb == QLatin1String("release")) {
            const Qt::MouseButton button = buttonOf(words.at(1));
            held.setFlag(button, false);
            sendMouse(control, QEvent::MouseButtonRelease, button, held, point(2),
                      modifiersOf(words));
        } else if (verb == QLatin1String("enter")) {
            QEnterEvent enter(point(1), point(1), control.mapToGlobal(point(1)));
            QCoreApplication::sendEvent(&control, &enter);
        } else if (verb == QLatin1String("leave")) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(&control, &leave);
        } else if (verb == QLatin1String("key")) {
            QTest::keyClick(&control, keyOf(words.at(1)), modifiersOf(words));
        } else if (verb == QLatin1String("keydown")) {
            QTest::keyPress(&control, keyOf(words.at(1)), modifiersOf(words));
        } else if (verb == QLatin1String("keyup")) {
            QTest::keyRelease(&control, keyOf(words.at(1)), modifiersOf(words));
        } else if (verb == QLatin1String("keyrepeat")) {
            sendRepeat(control, keyOf(words.at(1)));
        } else if (verb == QLatin1String("focusout")) {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(&control, &out);
        } else if (verb == QLatin1String("resize")) {
            // A hidden control gets its resize event only when shown; it is sent here.
            const QSize before = control.size();
            control.resize(words.at(1).toInt(), words.at(2).toInt());
            QResizeEvent resized(control.size(), before);
            QCoreApplication::sendEvent(&control, &resized);
        } else {
            QTest::qFail(qPrintable(QStringLiteral("unknown step ") + step), __FILE__, __LINE__);
        }
    }
}

// Every event of a kit control as a line: "MouseDown 2 1 20 15", "KeyPress 32", "Click".
class EventLog {
public:
    explicit EventLog(KitInput& control) {
        const auto mouse = [this](const char* name) {
            return [this, name](int button, int shift, float x, float y) {
                lines << QStringLiteral("%1 %2 %3 %4 %5")
                             .arg(QLatin1String(name))
                             .arg(button)
                             .arg(shift)
                             .arg(x)
                             .arg(y);
            };
        };
        const auto plain = [this](const char* name) {
            return [this, name] { lines << QString::fromLatin1(name); };
        };
        QObject::connect(&control, &KitInput::Click, &control, plain("Click"));
        QObject::connect(&control, &KitInput::MouseOut, &control, plain("MouseOut"));
        QObject::connect(&control, &KitInput::MouseDown, &control, mouse("MouseDown"));
        QObject::connect(&control, &KitInput::MouseMove, &control, mouse("MouseMove"));
        QObject::connect(&control, &KitInput::MouseUp, &control, mouse("MouseUp"));
        QObject::connect(&control, &KitInput::KeyDown, &control, [this](int code, int shift) {
            lines << QStringLiteral("KeyDown %1 %2").arg(code).arg(shift);
        });
        QObject::connect(&control, &KitInput::KeyPress, &control,
                         [this](int ascii) { lines << QStringLiteral("KeyPress %1").arg(ascii); });
        QObject::connect(&control, &KitInput::KeyUp, &control, [this](int code, int shift) {
            lines << QStringLiteral("KeyUp %1 %2").arg(code).arg(shift);
        });
        if (auto* shape = qobject_cast<N_Shape*>(&control)) {
            QObject::connect(shape, &N_Shape::MouseEnter, shape, plain("MouseEnter"));
            QObject::connect(shape, &N_Shape::MouseLeave, shape, plain("MouseLeave"));
            QObject::connect(shape, &N_Shape::DblClick, shape, plain("DblClick"));
            QObject::connect(shape, &N_Shape::Resize, shape, plain("Resize"));
        }
    }

    QStringList lines;
};

} // namespace kitscript
