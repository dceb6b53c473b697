#include "app/device_choice.h"

#include "devices/device_watch.h"

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

std::optional<QString> DeviceChoice::serial() const {
    return m_kind == Target::Kind::One ? m_serial : std::nullopt;
}

void DeviceChoice::chooseOne(const QString& serial) {
    set(Target::Kind::One, serial);
}

void DeviceChoice::chooseEvery() {
    set(Target::Kind::Every, std::nullopt);
}

void DeviceChoice::useServer(std::optional<QString> serverSocket) {
    m_serverSocket = std::move(serverSocket);
    set(Target::Kind::None, std::nullopt);
}

Target DeviceChoice::target() const {
    return targetOf(m_kind, m_serial, listedBy(m_watch), m_serverSocket);
}

bool DeviceChoice::isReady(const QString& serial) const {
    return isReadyNow(serial, listedBy(m_watch));
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

void DeviceChoice::set(Target::Kind kind, std::optional<QString> serial) {
    if (kind == m_kind && serial == m_serial) {
        return;
    }
    m_kind = kind;
    m_serial = std::move(serial);
    emit changed();
}

} // namespace kavu
