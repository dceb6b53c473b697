#include "app/target.h"

#include "devices/device_state.h"

#include <algorithm>

namespace kavu {

Target Target::none(std::optional<QString> serverSocket) {
    return {Kind::None, {}, std::move(serverSocket)};
}

Target Target::one(QString serial, std::optional<QString> serverSocket) {
    return {Kind::One, {std::move(serial)}, std::move(serverSocket)};
}

Target Target::every(QStringList serials, std::optional<QString> serverSocket) {
    return {Kind::Every, std::move(serials), std::move(serverSocket)};
}

Target targetOf(Target::Kind chosen, const std::optional<QString>& serial,
                const std::vector<adb::ListedDevice>& listed,
                const std::optional<QString>& serverSocket) {
    switch (chosen) {
    case Target::Kind::One:
        if (serial) {
            return Target::one(*serial, serverSocket);
        }
        break;
    case Target::Kind::Every: {
        QStringList ready;
        for (const std::string& each : devices::readySerials(listed)) {
            ready << QString::fromStdString(each);
        }
        return Target::every(ready, serverSocket);
    }
    case Target::Kind::None:
        break;
    }
    return Target::none(serverSocket);
}

std::vector<StartEnvironment> startsOf(const Target& target, launch::Reach reach) {
    if (target.kind == Target::Kind::None ||
        (target.kind == Target::Kind::Every && reach == launch::Reach::Computer)) {
        return {{std::nullopt, target.serverSocket, {}}};
    }
    if (target.kind == Target::Kind::One) {
        return {{target.serials.value(0), target.serverSocket, {}}};
    }
    std::vector<StartEnvironment> starts;
    for (const QString& serial : target.serials) {
        starts.push_back({serial, target.serverSocket, serial});
    }
    return starts;
}

bool isReadyNow(const QString& serial, const std::vector<adb::ListedDevice>& listed) {
    const std::vector<std::string> ready = devices::readySerials(listed);
    return std::find(ready.begin(), ready.end(), serial.toStdString()) != ready.end();
}

} // namespace kavu
