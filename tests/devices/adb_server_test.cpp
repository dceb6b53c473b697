#include "devices/adb_server.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kavu {
namespace {

// ADB_SERVER_SOCKET as adb reads it: "tcp:HOST:PORT" names another computer's server,
// "tcp:PORT" this computer's at that port; anything else leaves it to ANDROID_ADB_SERVER_PORT.
TEST(AdbServer, FromTheEnvironment) {
    const struct {
        const char* socket;
        const char* port;
        AdbServer expected;
        const char* consoles; // what the consoles get as ADB_SERVER_SOCKET
    } cases[] = {
        {nullptr, nullptr, AdbServer(5037), ""},
        {nullptr, "5038", AdbServer(5038), ""},
        {nullptr, "99999", AdbServer(5037), ""},
        {"tcp:10.0.0.9:5039", "5038", AdbServer("10.0.0.9", 5039), "tcp:10.0.0.9:5039"},
        {"tcp:lab:5037", nullptr, AdbServer("lab", 5037), "tcp:lab:5037"},
        // This computer's server at its own port: the consoles must reach the same one.
        {"tcp:5040", nullptr, AdbServer(5040), "tcp:5040"},
        {"tcp:[::1]:5041", nullptr, AdbServer("::1", 5041), "tcp:[::1]:5041"},
        {"tcp:[::1:5041", nullptr, AdbServer(5037), ""},
        {"tcp:lab", "5038", AdbServer(5038), ""},
        {"localfilesystem:/run/adb", nullptr, AdbServer(5037), ""},
        {"tcp:a&calc:5037", nullptr, AdbServer(5037), ""},
    };
    for (const auto& c : cases) {
        c.socket ? setenv("ADB_SERVER_SOCKET", c.socket, 1) : unsetenv("ADB_SERVER_SOCKET");
        c.port ? setenv("ANDROID_ADB_SERVER_PORT", c.port, 1) : unsetenv("ANDROID_ADB_SERVER_PORT");
        const AdbServer server = serverFromEnvironment();
        EXPECT_EQ(server, c.expected) << (c.socket ? c.socket : "(none)");
        EXPECT_EQ(server.socketSpec().toStdString(), c.consoles);
    }
    unsetenv("ADB_SERVER_SOCKET");
    unsetenv("ANDROID_ADB_SERVER_PORT");
}

} // namespace
} // namespace kavu
