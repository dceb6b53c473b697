#include "devices/adb_server.h"

#include <QtGlobal>

namespace kavu {

QString AdbServer::shown() const {
    const QString name = QString::fromStdString(host);
    return (isIpv6Address(host) ? u'[' + name + u']' : name) + QLatin1Char(':') +
           QString::number(port);
}

QString AdbServer::socketSpec() const {
    if (isSet()) {
        return QStringLiteral("tcp:") + shown();
    }
    // This computer's server at another port than adb would take by itself.
    return port != localServerFromEnvironment().port ? QStringLiteral("tcp:%1").arg(port)
                                                     : QString();
}

std::optional<AdbServer> serverFromSocketSpec(std::string_view spec) {
    constexpr std::string_view kTcp = "tcp:";
    if (spec.substr(0, kTcp.size()) != kTcp) {
        return std::nullopt;
    }
    spec.remove_prefix(kTcp.size());
    if (const std::optional<quint16> port = portNumber(spec)) {
        return AdbServer(*port);
    }
    if (const std::optional<HostAndPort> address = hostAndPort(spec)) {
        return AdbServer(address->host, address->port);
    }
    return std::nullopt;
}

AdbServer serverFromEnvironment() {
    if (const std::optional<AdbServer> server =
            serverFromSocketSpec(qEnvironmentVariable("ADB_SERVER_SOCKET").toStdString())) {
        return *server;
    }
    return localServerFromEnvironment();
}

AdbServer localServerFromEnvironment() {
    if (const std::optional<quint16> port =
            portNumber(qEnvironmentVariable("ANDROID_ADB_SERVER_PORT").toStdString())) {
        return AdbServer(*port);
    }
    return AdbServer();
}

} // namespace kavu
