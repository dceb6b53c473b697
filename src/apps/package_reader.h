#pragma once

#include "apps/package_read.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <optional>
#include <string>

namespace kavu {

class AdbShellClient;
class AdbShellRequest;

// Reads one device's packages in the background: the four listings at once through the shell
// client, then one result. A new read replaces the one under way, which then reports nothing.
class PackageReader final : public QObject {
    Q_OBJECT

public:
    PackageReader(AdbShellClient& client, QObject* parent);
    ~PackageReader() override;

    // Starts reading the device with this serial; `finished` follows from the event loop.
    void start(const std::string& serial);
    // Ends the read under way, if any, without a result.
    void stop();
    bool reading() const;

signals:
    void finished(const kavu::apps::PackageRead& read);

private:
    void take(std::size_t listing, const adb::ShellResult& result);

    AdbShellClient& m_client;
    std::array<QPointer<AdbShellRequest>, apps::kListingCount> m_requests;
    std::array<std::optional<adb::ShellResult>, apps::kListingCount> m_results;
};

} // namespace kavu
