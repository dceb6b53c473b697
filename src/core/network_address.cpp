#include "core/network_address.h"

#include <algorithm>

namespace kavu {

namespace {

constexpr std::size_t kLongestHostName = 253;
constexpr std::size_t kLongestLabel = 63;
constexpr std::size_t kLongestPort = 5;
constexpr unsigned kLastPort = 65535;

bool isLabel(std::string_view label) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-';
    };
    return !label.empty() && label.size() <= kLongestLabel && label.front() != '-' &&
           label.back() != '-' && std::all_of(label.begin(), label.end(), allowed);
}

} // namespace

bool isHostName(std::string_view host) {
    if (host.empty() || host.size() > kLongestHostName) {
        return false;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = host.find('.', start);
        if (!isLabel(host.substr(start, dot == std::string_view::npos ? dot : dot - start))) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        start = dot + 1;
    }
}

std::optional<std::uint16_t> portNumber(std::string_view text) {
    if (text.empty() || text.size() > kLongestPort ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    unsigned port = 0;
    for (const char c : text) {
        port = port * 10 + static_cast<unsigned>(c - '0');
    }
    if (port < 1 || port > kLastPort) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(port);
}

bool isIpv6Address(std::string_view host) {
    constexpr std::size_t kLongestIpv6 = 45; // eight groups, or six and an IPv4 address
    const auto allowed = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
               c == ':' || c == '.';
    };
    return host.size() >= 2 && host.size() <= kLongestIpv6 &&
           std::all_of(host.begin(), host.end(), allowed) &&
           std::count(host.begin(), host.end(), ':') >= 2;
}

std::optional<HostAndPort> hostAndPort(std::string_view host, std::string_view port) {
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
        if (!isIpv6Address(host)) {
            return std::nullopt;
        }
    } else if (!isHostName(host) && !isIpv6Address(host)) {
        return std::nullopt;
    }
    const std::optional<std::uint16_t> number = portNumber(port);
    if (!number) {
        return std::nullopt;
    }
    return HostAndPort{std::string(host), *number};
}

std::optional<HostAndPort> hostAndPort(std::string_view text) {
    // "[IPv6]:PORT", as adb writes an IPv6 address with its port.
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find("]:");
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        return hostAndPort(text.substr(0, close + 1), text.substr(close + 2));
    }
    // An IPv6 address without its brackets cannot be told from its port.
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || !isHostName(text.substr(0, colon))) {
        return std::nullopt;
    }
    return hostAndPort(text.substr(0, colon), text.substr(colon + 1));
}

} // namespace kavu
