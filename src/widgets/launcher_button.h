#pragma once

#include "widgets/kit_input.h"

#include <QWidget>

namespace kavu {

class ClickLabel;

// One entry of the main window's launcher as one control: it takes in the entry's icon and
// caption (two click labels, which keep their names and their clicks) and is what the keyboard
// and assistive tools see. Tab reaches it; Space (on its release) and Return run it, as a click on
// the icon or the caption does. Assistive tools see one push button named by the caption, with
// no parts. Focus from the keyboard shows the focus mark around the caption.
class LauncherButton final : public QWidget {
    Q_OBJECT

public:
    // Takes icon and caption from their common parent, keeping where they are on the screen. An
    // entry without an icon (null) is its caption alone, as a link.
    LauncherButton(ClickLabel* icon, ClickLabel& caption);

    QString caption() const;
    // Runs the entry once control is back in the event loop, for an assistive tool.
    void activateFromAssistant();

signals:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void markCaption(bool marked);

    ClickLabel& m_caption;
    kit::KeyClicks m_keys;
    bool m_focusMarked = false;
};

} // namespace kavu
