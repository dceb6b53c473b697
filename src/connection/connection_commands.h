#pragma once

#include "app/command.h"

#include <QString>
#include <QStringList>

#include <string_view>

// The command lines of the Wi-Fi dialog, each in a console that stays open so that adb's answer
// can be read. Addresses are "HOST:PORT", checked as such before anything runs.
namespace kavu::connection {

// Makes the chosen USB device listen for adb on the network, at port 5555.
inline constexpr FixedCommand kWirelessOn{u"adb tcpip 5555", launch::kConsole, {}};

// Connecting, disconnecting and pairing are the adb server's business, not a phone's: they run
// once whichever phones are chosen.
Command connectCommand(const QString& address);
Command disconnectCommand(const QString& address);
// Pairs with a phone's wireless debugging (Android 11 and later) using the code it shows.
Command pairCommand(const QString& address, const QString& code);

// The phones' addresses remembered for "重新连接全部" after one more was connected to: it comes
// first, each address once, only addresses that pass the check, at most kMostRemembered.
inline constexpr qsizetype kMostRemembered = 32;
QStringList rememberedAfter(const QStringList& remembered, const QString& connected);

// Whether an adb's help text lists the pair command; adb before platform tools 30 has none.
bool listsPairCommand(std::string_view help);

} // namespace kavu::connection
