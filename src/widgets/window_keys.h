#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace kavu {

// What a keyboard user expects of every window of the program, whichever class it is:
// - a window that opens takes its first focus on a control that changes nothing on the phone:
//   its first text box or list in Tab order, else the window itself (so that a Return pressed
//   next acts on nothing);
// - Escape closes the window the focus is in (the main window stays);
// - Return or Enter presses a focused push button, as Space does.
// Qt's own dialogs and message boxes keep their keys. One object watches the whole application.
class WindowKeys final : public QObject {
public:
    // isMainWindow tells the window that Escape leaves open.
    explicit WindowKeys(std::function<bool(const QWidget&)> isMainWindow);
    ~WindowKeys() override;
    WindowKeys(const WindowKeys&) = delete;
    WindowKeys& operator=(const WindowKeys&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isOwnWindow(const QWidget& window) const;
    bool takeKey(QWidget& receiver, const QKeyEvent& key);

    std::function<bool(const QWidget&)> m_isMainWindow;
};

// The control a window gives its first focus to: its first visible text box or list in Tab
// order, else the window itself.
QWidget& firstFocus(QWidget& window);

} // namespace kavu
