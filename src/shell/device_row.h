#pragma once

#include <QObject>

#include <QString>

class QComboBox;
class QFont;
class QLabel;
class QTimer;

namespace kavu {

class DeviceChoice;
class DeviceWatch;

// The text as a label that wraps at its words shows it in at most lines lines of width in font:
// as it is when it fits so, else broken into lines by hand (inside a word too long for a line) and
// the last one ending in an ellipsis.
QString fittedText(const QString& text, const QFont& font, int width, int lines);

// The main window's device row: the drop-down of the devices (with the phones in fastboot mode,
// "全部设备" and "选择设备…") and the explanation beside it, kept in step with the watch and the
// device choice. Picking an entry changes the choice; "选择设备…" asks for the phones to pick.
class DeviceRow final : public QObject {
    Q_OBJECT

public:
    DeviceRow(QComboBox& list, QLabel& explanation, DeviceWatch& watch, DeviceChoice& choice,
              QObject* parent);

    // Shows the watch's current devices and the choice.
    void refresh();
    // Shows text in place of the explanation for a few seconds (no box to close).
    void tell(const QString& text);

signals:
    // "选择设备…" was picked.
    void pickWanted();

private:
    void pick(int index);
    void explain();
    QString chosenExplanation() const;
    void show(const QString& text);

    QComboBox& m_list;
    QLabel& m_explanation;
    DeviceWatch& m_watch;
    DeviceChoice& m_choice;
    QTimer* m_toldFor;
};

} // namespace kavu
