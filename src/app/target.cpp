#include "app/target.h"

#include "devices/device_state.h"

#include <algorithm>

namespace kavu {

Target Target::none(std::optional<QString> serverSocket) {
    return {Kind::None, {}, {}, std::move(serverSocket)};
}

Target Target::one(QString serial, std::optional<QString> serverSocket) {
    return {Kind::One, {std::move(serial)}, {}, std::move(serverSocket)};
}

Target Target::every(QStringList serials, std::optional<QString> serverSocket) {
    return {Kind::Every, std::move(serials), {}, std::move(serverSocket)};
}

Target targetOf(const ChoiceNow& choice, const std::optional<QString>& serverSocket) {
    switch (choice.kind) {
    case Target::Kind::One:
        if (choice.serial) {
            return Target::one(*choice.serial, serverSocket);
        }
        break;
    case Target::Kind::Every: {
        QStringList ready;
        for (const std::string& each : devices::readySerials(choice.listed)) {
            ready << QString::fromStdString(each);
        }
        Target target = Target::every(ready, serverSocket);
        target.fastbootSerials = choice.fastboot;
        return target;
    }
    case Target::Kind::Chosen: {
        Target target{Target::Kind::Chosen, {}, {}, serverSocket};
        for (const QString& serial : choice.chosen) {
            (choice.fastboot.contains(serial) ? target.fastbootSerials : target.serials) << serial;
        }
        return target;
    }
    case Target::Kind::None:
        break;
    }
    return Target::none(serverSocket);
}

std::vector<StartEnvironment> startsOf(const Target& target, launch::Reach reach,
                                       launch::Tool tool) {
    if (target.kind == Target::Kind::None ||
        (target.isSeveral() && reach == launch::Reach::Computer)) {
        return {{std::nullopt, target.serverSocket, {}}};
    }
    if (target.kind == Target::Kind::One) {
        return {{target.serials.value(0), target.serverSocket, {}}};
    }
    std::vector<StartEnvironment> starts;
    for (const QString& serial : target.phonesFor(tool)) {
        starts.push_back({serial, target.serverSocket, serial});
    }
    return starts;
}

bool isReadyNow(const QString& serial, const std::vector<adb::ListedDevice>& listed) {
    const std::vector<std::string> ready = devices::readySerials(listed);
    return std::find(ready.begin(), ready.end(), serial.toStdString()) != ready.end();
}

bool isReadyNow(const QString& serial, launch::Tool tool,
                const std::vector<adb::ListedDevice>& listed, const QStringList& fastboot) {
    return tool == launch::Tool::Fastboot ? fastboot.contains(serial) : isReadyNow(serial, listed);
}

} // namespace kavu
