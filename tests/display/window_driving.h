#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// Small helpers that drive a window through its controls, found by their object names.
namespace kavu::test {

inline void clickControl(QWidget& window, const QString& name) {
    auto* control = window.findChild<QWidget*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

inline void typeInto(QWidget& window, const QString& name, const QString& text) {
    auto* box = window.findChild<QLineEdit*>(name);
    QVERIFY2(box != nullptr, qPrintable(name));
    QVERIFY2(box->isEnabled(), qPrintable(name));
    box->clear();
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

inline QString boxText(QWidget& window, const QString& name) {
    auto* box = window.findChild<QLineEdit*>(name);
    return box ? box->text() : QStringLiteral("<no box %1>").arg(name);
}

// What a control shows: a frame's title, a label's or a box's text, a kit control's Caption.
inline QString shownText(QWidget& window, const QString& name) {
    auto* control = window.findChild<QWidget*>(name);
    if (control == nullptr) {
        return QStringLiteral("<no control %1>").arg(name);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        return box->text();
    }
    return control->property("Caption").toString();
}

} // namespace kavu::test
