#pragma once

#include "app/target.h"
#include "devices/device_watch.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

namespace kavu {

// Which phones the user's commands go to, as chosen in the device row: none, one phone by serial,
// every ready phone ("全部设备"), or the phones the user picked. A choice stands until the user
// picks another: a chosen phone that leaves the list stays chosen (a phone rebooting into its
// bootloader keeps its serial), and "全部设备" stays chosen however many phones come and go. With
// no choice, a lone listed phone is chosen by itself. Each click takes its target from here, fixed
// at that moment. Phones in fastboot mode come from the fastboot watch, when it is followed.
class FastbootWatch;

class DeviceChoice final : public QObject {
    Q_OBJECT

public:
    explicit DeviceChoice(QObject* parent = nullptr);

    // Follows this watch's list from now on; none: no phones are known.
    void follow(DeviceWatch* watch);
    DeviceWatch* watch() const { return m_watch.data(); }
    // Follows the phones in fastboot mode from now on.
    void followFastboot(FastbootWatch* fastboot);
    // The phones in fastboot mode listed now, and the watch that lists them (none when none).
    QStringList fastbootSerials() const;
    FastbootWatch* fastbootWatch() const;

    Target::Kind kind() const { return m_kind; }
    // The chosen phone, when one phone is chosen.
    std::optional<QString> serial() const;

    void chooseOne(const QString& serial);
    void chooseEvery();
    // The picked phones, in their order; none picked is no choice.
    void chooseSeveral(const QStringList& serials);
    // The picked phones, when several are chosen.
    const QStringList& chosen() const { return m_chosen; }
    // Another adb server (ADB_SERVER_SOCKET as StartEnvironment takes it): its phones are other
    // phones, so the choice starts afresh there.
    void useServer(std::optional<QString> serverSocket);
    const std::optional<QString>& serverSocket() const { return m_serverSocket; }

    // The target of a click made now.
    Target target() const;
    // Whether the phone is listed and ready now.
    bool isReady(const QString& serial) const;
    // Why the phone cannot take a line through the tool now; none: it can.
    std::optional<QString> whyNotReady(const QString& serial, launch::Tool tool) const;
    // The phone's model and state as listed now (state "fastboot" in fastboot mode); both empty
    // when it is not listed.
    std::pair<QString, QString> describe(const QString& serial) const;

signals:
    // The choice changed (not merely the list).
    void changed();
    // The list of devices changed: a phone may have become ready, or stopped being.
    void listed();

private:
    void listChanged();
    void set(Target::Kind kind, std::optional<QString> serial, QStringList chosen = {});

    QPointer<DeviceWatch> m_watch;
    QPointer<FastbootWatch> m_fastboot;
    Target::Kind m_kind = Target::Kind::None;
    std::optional<QString> m_serial;
    QStringList m_chosen;
    std::optional<QString> m_serverSocket;
};

} // namespace kavu
