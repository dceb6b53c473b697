#pragma once

#include "journal/device_snapshot.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

namespace kavu {

class AdbShellClient;
class AdbShellRequest;

namespace adb {
struct ShellResult;
}

namespace journal {

// Reads in the background, through the shell client, what a device holds of what the program can
// change: the settings its commands declare they change, "wm density" and "wm size", and each
// package's state. Each value lands in the snapshot as its answer comes; a failed read leaves it
// unknown. After a change only what it declares is read again. Nothing waits for it.
class SnapshotReader final : public QObject {
    Q_OBJECT

public:
    // settings: the "namespace/key" of each setting to read.
    SnapshotReader(AdbShellClient& client, QStringList settings, QObject* parent);
    ~SnapshotReader() override;

    // Reads the device with this serial anew; what was known of another device is dropped.
    void read(const QString& serial);
    // Forgets every device: no snapshot, no read under way.
    void clear();
    // The device the snapshot is of; none before the first read.
    const std::optional<QString>& serial() const { return m_serial; }
    // Whether every value of the last read came in (a read failed: the phone was not ready, say).
    bool complete() const { return m_complete; }
    bool reading() const;
    const DeviceSnapshot& snapshot() const { return m_snapshot; }
    // Applies a change the program made to the device: answers to reads begun before it are
    // dropped, since they may tell what the change replaced; the snapshot is then incomplete.
    void change(const std::function<void(DeviceSnapshot&)>& apply);
    // Reads again what the change says it changed (nothing for a change of nothing readable); a
    // read that fails makes the value unknown.
    void reread(const Change& change);

signals:
    // Every answer of the last read is in.
    void answered();

private:
    void ask(const std::string& command,
             std::function<void(const adb::ShellResult&, DeviceSnapshot&)> take);
    void askSetting(const QString& id);
    void askWm(bool density);
    void askPackage(const QString& name);
    void askPackageLists();
    void askEverything();
    void stop();

    AdbShellClient& m_client;
    QStringList m_settings;
    // The package lists as their answers come: enabled, disabled, and all with those removed for
    // the user ("-u"). The states are known once all three are in.
    std::optional<QSet<QString>> m_enabled;
    std::optional<QSet<QString>> m_disabled;
    std::optional<QSet<QString>> m_everyPackage;
    std::optional<QString> m_serial;
    DeviceSnapshot m_snapshot;
    QList<QPointer<AdbShellRequest>> m_requests;
    int m_generation = 0;
    bool m_complete = false;
};

} // namespace journal
} // namespace kavu
