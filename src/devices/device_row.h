#pragma once

#include <QObject>

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QTimer;

namespace kavu {

class DeviceWatch;
class ProcessStarter;

// The main window's device row: the drop-down of the devices and the explanation beside it, kept
// in step with the watch. The chosen device goes to the process starter, so every console started
// from then on talks to it.
class DeviceRow final : public QObject {
    Q_OBJECT

public:
    DeviceRow(QComboBox& list, QLabel& explanation, DeviceWatch& watch, ProcessStarter& processes,
              QObject* parent);

    // Shows the watch's current devices and brings the choice up to date.
    void refresh();
    // Shows text in place of the explanation for a few seconds (no box to close).
    void tell(const QString& text);

signals:
    // The chosen device changed (the process starter has it).
    void chosen();

private:
    void choose(std::optional<QString> serial);
    // "全部设备": these ready devices take every command; none: the choice is one device or none.
    void chooseEveryDevice(const std::vector<std::string>& ready);
    // Whether "全部设备" is chosen; the process starter holds the choice.
    bool everyDeviceChosen() const;
    void pick(int index);
    void explain();

    QComboBox& m_list;
    QLabel& m_explanation;
    DeviceWatch& m_watch;
    ProcessStarter& m_processes;
    QTimer* m_toldFor;
};

} // namespace kavu
