#pragma once

#include <QObject>
#include <QString>

namespace kavu::journal {

// Which control the user last worked, and in which window: the caption of the button, option or
// link that got the left-button release or the Enter or Space key, and its window's title. A
// command started now is that control's.
class ActivationTracker final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    QString window() const { return m_window; }
    QString control() const { return m_control; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_window;
    QString m_control;
};

} // namespace kavu::journal
