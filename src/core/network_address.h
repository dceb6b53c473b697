#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Addresses typed by the user or read from the environment: an adb server's, a phone's on Wi-Fi.
namespace kavu {

// A host and a port, both checked.
struct HostAndPort {
    std::string host;
    std::uint16_t port = 0;

    bool operator==(const HostAndPort&) const = default;
};

// An IPv4 address (digits and dots) or a host name: letters, digits and '-' in dot-separated
// labels of 1 to 63 characters, none starting or ending with '-'; at most 253 characters.
bool isHostName(std::string_view host);
// An IPv6 address as written: hexadecimal digits, ':' (at least two) and '.', at most 45 of them.
bool isIpv6Address(std::string_view host);
// A port number 1 to 65535 in decimal digits, without sign or blanks.
std::optional<std::uint16_t> portNumber(std::string_view text);
// A host (a name, an IPv4 address, or an IPv6 address bare or in brackets) and a port given apart,
// both checked; the host is kept without brackets. None when either is not one.
std::optional<HostAndPort> hostAndPort(std::string_view host, std::string_view port);
// "HOST:PORT" or "[IPv6]:PORT" with both checked; none when either is not. The host is kept
// without its brackets.
std::optional<HostAndPort> hostAndPort(std::string_view text);

} // namespace kavu
