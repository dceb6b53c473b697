#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPoint;

namespace kavu {

class MessageBoxes;

// The phrase the risk dialogs ask for before a system package is removed or disabled, in the
// program's language: it must be typed as shown (a full-width comma).
QString riskPhrase();
// The title of the messages that refuse other ways of filling it in.
QString riskGuardTitle();

// Keeps a phrase box to typed text: the platform's paste keys are refused with a message, so is
// the right button's menu; the middle button (the desktop's selection) does nothing, and the
// keyboard's menu key opens the box's menu without its paste entry. Belongs to the box.
class TypedOnly final : public QObject {
    Q_OBJECT

public:
    TypedOnly(QLineEdit& box, MessageBoxes& messages);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refusePaste();
    void showMenuWithoutPaste(const QPoint& at);

    QLineEdit& m_box;
    MessageBoxes& m_messages;
};

} // namespace kavu
