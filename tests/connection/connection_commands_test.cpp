#include "connection/connection_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace kavu::connection {
namespace {

std::string sent(const Command& command) {
    return command.refusal() == Refusal::None ? command.text().toStdString() : "refused";
}

TEST(ConnectionCommands, AddressesAreCheckedBeforeTheyRun) {
    const QString phone = QStringLiteral("192.168.1.5:5555");
    const struct {
        Command command;
        const char* sent;
    } cases[] = {
        {connectCommand(phone), "adb connect 192.168.1.5:5555"},
        {disconnectCommand(QStringLiteral("pixel.lan:40123")), "adb disconnect pixel.lan:40123"},
        {pairCommand(phone, QStringLiteral("482913")), "adb pair 192.168.1.5:5555 482913"},
        {connectCommand(QStringLiteral("192.168.1.5")), "refused"},
        {connectCommand(QStringLiteral("1.2.3.4:5555 && adb reboot")), "refused"},
        {disconnectCommand(QStringLiteral("-s:5555")), "refused"},
        {pairCommand(phone, QStringLiteral("48 29")), "refused"},
        {pairCommand(phone, QStringLiteral("-a")), "refused"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sent(c.command), c.sent);
    }
    EXPECT_EQ(consoleLine(kWirelessOn).toStdString(), "cmd /k adb tcpip 5555");
}

TEST(ConnectionCommands, PairingIsKnownFromTheHelpsCommandList) {
    EXPECT_TRUE(listsPairCommand("networking:\n connect HOST[:PORT]\n pair HOST[:PORT] [CODE]\n"));
    EXPECT_FALSE(listsPairCommand("networking:\n connect HOST[:PORT]  connect (no pair here)\n"));
    EXPECT_FALSE(listsPairCommand(" pairs\n"));
    EXPECT_FALSE(listsPairCommand(""));
}

} // namespace
} // namespace kavu::connection

// The remembered addresses: the newest first, each once, only addresses, at most 32.
TEST(ConnectionCommands, RememberedAddresses) {
    const QStringList old{QStringLiteral("10.0.0.1:5555"), QStringLiteral("10.0.0.2:5555")};
    EXPECT_EQ(kavu::connection::rememberedAfter(old, QStringLiteral("10.0.0.2:5555")),
              (QStringList{QStringLiteral("10.0.0.2:5555"), QStringLiteral("10.0.0.1:5555")}));
    EXPECT_EQ(kavu::connection::rememberedAfter({QStringLiteral("a&calc:1")}, QStringLiteral("x")),
              QStringList());
    QStringList many;
    for (int i = 0; i < 40; ++i) {
        many << QStringLiteral("10.0.0.%1:5555").arg(i);
    }
    EXPECT_EQ(kavu::connection::rememberedAfter(many, QStringLiteral("10.0.1.1:5555")).size(),
              kavu::connection::kMostRemembered);
}
