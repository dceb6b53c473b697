#pragma once

#include "app/change.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>

namespace kavu {

class AdbShellClient;
class AdbShellRequest;

// A package's state for user 0 as its own read told it, or why it could not be read.
struct PackageStateRead {
    QString name;
    std::optional<PackageState> state;
    QString failure; // when there is no state
};

// Reads packages' states for user 0 in the background, each on its own ("dumpsys package NAME",
// its answer read as data), at most kReadsAtOnce at a time, in the order asked. One device at a
// time: reads asked for another device replace the ones waiting or under way.
class PackageStateReader final : public QObject {
    Q_OBJECT

public:
    static constexpr int kReadsAtOnce = 4;

    PackageStateReader(AdbShellClient& client, QObject* parent);
    ~PackageStateReader() override;

    // Reads these packages of the device with this serial after those asked before, or before
    // them (first). A package asked again before its read began is read once; one asked again
    // while it is read is told once, from the later read.
    void read(const std::string& serial, const QStringList& names, bool first = false);
    // Drops every read waiting or under way; none is told.
    void stop();
    bool reading() const { return !m_waiting.empty() || !m_running.isEmpty(); }

signals:
    void stateRead(const kavu::PackageStateRead& read);

private:
    void next();

    AdbShellClient& m_client;
    std::string m_serial;
    std::deque<QString> m_waiting;
    QSet<QString> m_waitingNames;
    QList<QPointer<AdbShellRequest>> m_running;
    // The number of each package's latest read: an earlier one's answer is not told.
    QHash<QString, quint64> m_latest;
    quint64 m_lastNumber = 0;
};

} // namespace kavu
