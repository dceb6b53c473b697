#pragma once

#include "apps/package_read.h"

#include <QObject>
#include <QPointer>

#include <string>

namespace kavu {

class AdbShellClient;
class AdbShellRequest;

// Reads one device's packages in the background: the four listings in one request through the
// shell client, then one result. A new read replaces the one under way, which then reports nothing.
class PackageReader final : public QObject {
    Q_OBJECT

public:
    PackageReader(AdbShellClient& client, QObject* parent);
    ~PackageReader() override;

    // Starts reading the device with this serial; `finished` follows from the event loop.
    void start(const std::string& serial);
    // Ends the read under way, if any, without a result.
    void stop();
    bool reading() const { return !m_request.isNull(); }

signals:
    void finished(const kavu::apps::PackageRead& read);

private:
    AdbShellClient& m_client;
    QPointer<AdbShellRequest> m_request;
};

} // namespace kavu
