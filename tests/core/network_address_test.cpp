#include "core/network_address.h"

#include <gtest/gtest.h>

namespace kavu {
namespace {

// What a typed "HOST:PORT" becomes, or none: the rule behind the server dialog, the Wi-Fi
// commands and ADB_SERVER_SOCKET.
TEST(NetworkAddress, HostAndPort) {
    const struct {
        const char* text;
        std::optional<HostAndPort> expected;
    } cases[] = {
        {"192.168.1.5:5555", HostAndPort{"192.168.1.5", 5555}},
        {"lab-pc.example.org:5037", HostAndPort{"lab-pc.example.org", 5037}},
        {"a:1", HostAndPort{"a", 1}},
        {"a:65535", HostAndPort{"a", 65535}},
        {"a:65536", std::nullopt},
        {"a:0", std::nullopt},
        {"a:+5", std::nullopt},
        {"a:5 ", std::nullopt},
        {"a:", std::nullopt},
        {":5555", std::nullopt},
        {"5555", std::nullopt},
        {"-lab:5037", std::nullopt},
        {"lab-:5037", std::nullopt},
        {"a..b:5037", std::nullopt},
        {"a.b.:5037", std::nullopt},
        {"a b:5037", std::nullopt},
        {"a&calc:5037", std::nullopt},
        {"a;reboot:5037", std::nullopt},
        {"[::1]:5037", HostAndPort{"::1", 5037}},
        {"[fe80::1%eth0]:5037", std::nullopt},
        {"[::1];reboot]:5037", std::nullopt},
        {"::1:5037", std::nullopt},
        {"手机:5555", std::nullopt},
        {"a:5:5", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hostAndPort(c.text), c.expected) << c.text;
    }
    const std::string longestLabel(63, 'a');
    EXPECT_TRUE(hostAndPort(longestLabel + ":1"));
    EXPECT_FALSE(hostAndPort(longestLabel + "a:1"));
    EXPECT_FALSE(hostAndPort(std::string(254, '1') + ":1"));
}

} // namespace
} // namespace kavu
