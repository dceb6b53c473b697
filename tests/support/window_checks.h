#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kavu::test {

// Whether a window opened centred on its screen. Windows are centred before they are first shown,
// when the frame's margins are not known yet, so they may be off by those margins (a few pixels
// offscreen).
inline bool isCentredOnScreen(const QWidget& window, int slack = 8) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return false;
    }
    const QPoint off = window.frameGeometry().center() - screen->availableGeometry().center();
    return qAbs(off.x()) <= slack && qAbs(off.y()) <= slack;
}

} // namespace kavu::test
