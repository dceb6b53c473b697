#include "connection/connection_commands.h"

#include "core/network_address.h"

namespace kavu::connection {

Command connectCommand(const QString& address) {
    return Command(u"adb connect ")
        .typed(address, Splice::NetworkAddress)
        .reaching(launch::Reach::Computer);
}

Command disconnectCommand(const QString& address) {
    return Command(u"adb disconnect ")
        .typed(address, Splice::NetworkAddress)
        .reaching(launch::Reach::Computer);
}

Command pairCommand(const QString& address, const QString& code) {
    // The code is one word of digits; the phone's own check tells a wrong one.
    return Command(u"adb pair ")
        .typed(address, Splice::NetworkAddress)
        .fixed(u" ")
        .typed(code, Splice::PhoneName)
        .reaching(launch::Reach::Computer);
}

QStringList rememberedAfter(const QStringList& remembered, const QString& connected) {
    QStringList after;
    for (const QString& address : QStringList{connected} + remembered) {
        if (after.size() < kMostRemembered && !after.contains(address) &&
            hostAndPort(address.toStdString())) {
            after << address;
        }
    }
    return after;
}

bool listsPairCommand(std::string_view help) {
    std::size_t start = 0;
    while (start < help.size()) {
        std::size_t end = help.find('\n', start);
        if (end == std::string_view::npos) {
            end = help.size();
        }
        std::string_view line = help.substr(start, end - start);
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        if (line.starts_with("pair ")) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace kavu::connection
