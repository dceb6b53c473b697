#pragma once

#include "app/target.h"
#include "devices/device_watch.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

namespace kavu {

// Which phones the user's commands go to, as chosen in the device row: none, one phone by serial,
// or every ready phone ("全部设备"). A choice stands until the user picks another: a chosen phone
// that leaves the list stays chosen (a phone rebooting into its bootloader keeps its serial), and
// "全部设备" stays chosen however many phones come and go. With no choice, a lone listed phone is
// chosen by itself. Each click takes its target from here, fixed at that moment.
class DeviceChoice final : public QObject {
    Q_OBJECT

public:
    explicit DeviceChoice(QObject* parent = nullptr);

    // Follows this watch's list from now on; none: no phones are known.
    void follow(DeviceWatch* watch);
    DeviceWatch* watch() const { return m_watch.data(); }

    Target::Kind kind() const { return m_kind; }
    // The chosen phone, when one phone is chosen.
    std::optional<QString> serial() const;

    void chooseOne(const QString& serial);
    void chooseEvery();
    // Another adb server (ADB_SERVER_SOCKET as StartEnvironment takes it): its phones are other
    // phones, so the choice starts afresh there.
    void useServer(std::optional<QString> serverSocket);
    const std::optional<QString>& serverSocket() const { return m_serverSocket; }

    // The target of a click made now.
    Target target() const;
    // Whether the phone is listed and ready now.
    bool isReady(const QString& serial) const;

signals:
    // The choice changed (not merely the list).
    void changed();
    // The list of devices changed: a phone may have become ready, or stopped being.
    void listed();

private:
    void listChanged();
    void set(Target::Kind kind, std::optional<QString> serial);

    QPointer<DeviceWatch> m_watch;
    Target::Kind m_kind = Target::Kind::None;
    std::optional<QString> m_serial;
    std::optional<QString> m_serverSocket;
};

} // namespace kavu
