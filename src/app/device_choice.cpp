#include "app/device_choice.h"

#include "app/fastboot_watch.h"
#include "devices/device_state.h"
#include "devices/device_watch.h"

#include <QCoreApplication>

namespace kavu {

namespace {

const std::vector<adb::ListedDevice>& listedBy(const DeviceWatch* watch) {
    static const std::vector<adb::ListedDevice> none;
    return watch != nullptr ? watch->snapshot().devices : none;
}

} // namespace

DeviceChoice::DeviceChoice(QObject* parent)
    : QObject(parent) {}

void DeviceChoice::follow(DeviceWatch* watch) {
    if (m_watch != nullptr) {
        disconnect(m_watch, nullptr, this, nullptr);
    }
    m_watch = watch;
    if (watch != nullptr) {
        connect(watch, &DeviceWatch::changed, this, &DeviceChoice::listChanged);
        listChanged();
    }
}

void DeviceChoice::followFastboot(FastbootWatch* fastboot) {
    if (m_fastboot != nullptr) {
        disconnect(m_fastboot, nullptr, this, nullptr);
    }
    m_fastboot = fastboot;
    if (fastboot != nullptr) {
        connect(fastboot, &FastbootWatch::changed, this, &DeviceChoice::listed);
    }
}

FastbootWatch* DeviceChoice::fastbootWatch() const {
    return m_fastboot.data();
}

QStringList DeviceChoice::fastbootSerials() const {
    return m_fastboot != nullptr ? m_fastboot->serials() : QStringList();
}

std::optional<QString> DeviceChoice::serial() const {
    return m_kind == Target::Kind::One ? m_serial : std::nullopt;
}

void DeviceChoice::chooseOne(const QString& serial) {
    set(Target::Kind::One, serial);
}

void DeviceChoice::chooseEvery() {
    set(Target::Kind::Every, std::nullopt);
}

void DeviceChoice::chooseSeveral(const QStringList& serials) {
    if (serials.isEmpty()) {
        set(Target::Kind::None, std::nullopt);
    } else {
        set(Target::Kind::Chosen, std::nullopt, serials);
    }
}

void DeviceChoice::useServer(std::optional<QString> serverSocket) {
    m_serverSocket = std::move(serverSocket);
    set(Target::Kind::None, std::nullopt);
}

Target DeviceChoice::target() const {
    return targetOf({m_kind, m_serial, m_chosen, listedBy(m_watch), fastbootSerials()},
                    m_serverSocket);
}

bool DeviceChoice::isReady(const QString& serial) const {
    return isReadyNow(serial, listedBy(m_watch));
}

std::optional<QString> DeviceChoice::whyNotReady(const QString& serial, launch::Tool tool) const {
    if (isReadyNow(serial, tool, listedBy(m_watch), fastbootSerials())) {
        return std::nullopt;
    }
    const std::string wanted = serial.toStdString();
    for (const adb::ListedDevice& device : listedBy(m_watch)) {
        if (device.serial == wanted) {
            return QString::fromStdString(device.state);
        }
    }
    if (fastbootSerials().contains(serial)) {
        return QCoreApplication::translate("kavu::DeviceChoice", "在 Fastboot 模式");
    }
    return QCoreApplication::translate("kavu::DeviceChoice", "不在列表中");
}

std::pair<QString, QString> DeviceChoice::describe(const QString& serial) const {
    const std::string wanted = serial.toStdString();
    for (const adb::ListedDevice& device : listedBy(m_watch)) {
        if (device.serial == wanted) {
            return {QString::fromStdString(device.model), QString::fromStdString(device.state)};
        }
    }
    if (fastbootSerials().contains(serial)) {
        return {QString(), QStringLiteral("fastboot")};
    }
    return {};
}

void DeviceChoice::listChanged() {
    emit listed();
    if (m_kind != Target::Kind::None) {
        return;
    }
    const std::optional<std::string> lone = devices::choose(std::nullopt, listedBy(m_watch));
    if (lone) {
        set(Target::Kind::One, QString::fromStdString(*lone));
    }
}

void DeviceChoice::set(Target::Kind kind, std::optional<QString> serial, QStringList chosen) {
    if (kind == m_kind && serial == m_serial && chosen == m_chosen) {
        return;
    }
    m_kind = kind;
    m_serial = std::move(serial);
    m_chosen = std::move(chosen);
    emit changed();
}

} // namespace kavu
