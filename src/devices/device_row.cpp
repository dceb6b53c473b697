#include "devices/device_row.h"

#include "devices/device_watch.h"
#include "platform/services.h"
#include "platform/shown_text.h"

#include <QComboBox>
#include <QLabel>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QTimer>

namespace kavu {

namespace {

std::optional<std::string> toStd(const std::optional<QString>& serial) {
    return serial ? std::optional<std::string>(serial->toStdString()) : std::nullopt;
}

constexpr int kToldForMs = 6000;
// Marks the drop-down's "全部设备" entry.
constexpr int kEveryDeviceRole = Qt::UserRole + 1;

} // namespace

DeviceRow::DeviceRow(QComboBox& list, QLabel& explanation, DeviceWatch& watch,
                     ProcessStarter& processes, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_explanation(explanation)
    , m_watch(watch)
    , m_processes(processes)
    , m_toldFor(new QTimer(this)) {
    m_toldFor->setSingleShot(true);
    m_toldFor->setInterval(kToldForMs);
    connect(m_toldFor, &QTimer::timeout, this, &DeviceRow::explain);
    m_list.setPlaceholderText(tr("请选择设备"));
    // The explanation quotes what the adb server sent (a state word, a serial): data, never markup.
    m_explanation.setTextFormat(Qt::PlainText);
    connect(&m_watch, &DeviceWatch::changed, this, &DeviceRow::refresh);
    connect(&m_list, &QComboBox::activated, this, &DeviceRow::pick);
}

void DeviceRow::refresh() {
    const devices::Snapshot& snapshot = m_watch.snapshot();
    const std::vector<std::string> ready = devices::readySerials(snapshot.devices);
    // With fewer than two ready devices "全部设备" is gone, and the choice starts afresh.
    chooseEveryDevice(everyDeviceChosen() && ready.size() >= 2 ? ready
                                                               : std::vector<std::string>());
    const std::optional<std::string> chosen =
        everyDeviceChosen() ? std::nullopt
                            : devices::choose(toStd(m_processes.deviceSerial()), snapshot.devices);
    choose(chosen ? std::optional<QString>(QString::fromStdString(*chosen)) : std::nullopt);
    m_list.clear();
    bool chosenListed = false;
    for (const adb::ListedDevice& device : snapshot.devices) {
        const QString text = QString::fromStdString(devices::itemText(device, translatedText));
        if (!devices::isUsableSerial(device.serial)) {
            // Listed so the user sees it, never chosen: it carries no serial and cannot be picked.
            m_list.addItem(text);
            if (auto* items = qobject_cast<QStandardItemModel*>(m_list.model())) {
                items->item(m_list.count() - 1)->setEnabled(false);
            }
            continue;
        }
        m_list.addItem(text, QString::fromStdString(device.serial));
        if (chosen == device.serial) {
            m_list.setCurrentIndex(m_list.count() - 1);
            chosenListed = true;
        }
    }
    // The chosen device stays in the list while it is away, so the user sees where the consoles
    // go and can pick another.
    if (chosen && !chosenListed) {
        m_list.addItem(QString::fromStdString(devices::departedItemText(*chosen, translatedText)),
                       QString::fromStdString(*chosen));
        m_list.setCurrentIndex(m_list.count() - 1);
    }
    if (ready.size() >= 2) {
        m_list.addItem(
            QString::fromStdString(devices::everyDeviceItemText(ready.size(), translatedText)));
        m_list.setItemData(m_list.count() - 1, true, kEveryDeviceRole);
    }
    if (everyDeviceChosen()) {
        m_list.setCurrentIndex(m_list.count() - 1);
    } else if (!chosen) {
        m_list.setCurrentIndex(-1);
    }
    m_list.setEnabled(m_list.count() > 1);
    // What the row was told stays its few seconds.
    if (!m_toldFor->isActive()) {
        explain();
    }
}

void DeviceRow::pick(int index) {
    if (m_list.itemData(index, kEveryDeviceRole).toBool()) {
        choose(std::nullopt);
        chooseEveryDevice(devices::readySerials(m_watch.snapshot().devices));
        m_toldFor->stop();
        explain();
        return;
    }
    const QVariant serial = m_list.itemData(index);
    if (!serial.isValid()) {
        return;
    }
    chooseEveryDevice({});
    choose(serial.toString());
    m_toldFor->stop();
    explain();
}

void DeviceRow::choose(std::optional<QString> serial) {
    if (serial == m_processes.deviceSerial()) {
        return;
    }
    m_processes.setDeviceSerial(std::move(serial));
    emit chosen();
}

bool DeviceRow::everyDeviceChosen() const {
    return !m_processes.everyDevice().isEmpty();
}

void DeviceRow::chooseEveryDevice(const std::vector<std::string>& ready) {
    QStringList serials;
    for (const std::string& serial : ready) {
        serials << QString::fromStdString(serial);
    }
    m_processes.setEveryDevice(serials);
}

void DeviceRow::tell(const QString& text) {
    m_explanation.setText(text);
    m_explanation.setToolTip(Qt::convertFromPlainText(text));
    m_toldFor->start();
}

void DeviceRow::explain() {
    const QString text = QString::fromStdString(
        everyDeviceChosen()
            ? devices::everyDeviceExplanation(m_watch.snapshot(), translatedText)
            : devices::explanation(m_watch.snapshot(), toStd(m_processes.deviceSerial()),
                                   translatedText));
    m_explanation.setText(text);
    // Tool tips take markup where they see some; this one is escaped.
    m_explanation.setToolTip(Qt::convertFromPlainText(text));
}

} // namespace kavu
