#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <vector>

class QWidget;

namespace kavu {

// Keeps the second press of a double click from landing in a window that the first click opened.
// For the platform's double-click interval after a top-level window is shown or raised, mouse
// presses on it are dropped, and so are the double click and the release that belong to them
// (a release is dropped even when it comes after the interval). Keys pass. One guard watches the
// whole application.
class FreshWindowGuard final : public QObject {
public:
    FreshWindowGuard();
    ~FreshWindowGuard() override;
    FreshWindowGuard(const FreshWindowGuard&) = delete;
    FreshWindowGuard& operator=(const FreshWindowGuard&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Fresh {
        QPointer<QWindow> window;
        QDeadlineTimer until;
    };

    void arm(QWidget& window);
    bool isFresh(const QWindow* window) const;
    bool dropMouse(const QWindow* window, const QEvent& event);

    std::vector<Fresh> m_fresh;
    // The buttons whose press was dropped: their release is dropped too.
    Qt::MouseButtons m_dropped;
};

} // namespace kavu
