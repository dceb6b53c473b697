#pragma once

#include "app/command.h"
#include "core/launch.h"

#include <QString>
#include <QStringView>

#include <string_view>

// The command lines of the flashing window: fastboot flashing of a picked image, the fastboot
// device check, the reboots into the phone's modes and the two activation scripts.
namespace kavu::flash {

// The partitions "刷入" can write, in the order it tests their options.
enum class Partition { Recovery, System, Persist, Boot, Custom };

// "fastboot flash" to the partition with the image's path in double quotes, so that a blank in
// the program folder does not split it. A custom partition is named as typed, bare: a name that
// fastboot could read as an option or as more than one argument is refused.
Command flashCommand(Partition partition, const QString& image, const QString& customName = {});
// What the flash console prints once fastboot succeeded; after a recovery flash it also says that
// the phone may restart before it reaches recovery.
Command flashSuffix(Partition partition);

// Boots the flashed recovery image once, right after its flash.
Command bootCommand(const QString& image);
// How long the recovery flash waits before it boots the image.
inline constexpr int kBootDelayMilliseconds = 4500;

// It lists every phone in fastboot mode: it runs once whichever phones are chosen.
inline constexpr FixedCommand kFastbootDevices{u"fastboot devices",
                                               launch::kConsoleTwoSpaces,
                                               launch::kClosePromptSuffix,
                                               {},
                                               launch::Reach::Computer};

// Reboots give no feedback: they run hidden.
inline constexpr FixedCommand kRebootRecovery{u"adb reboot recovery", launch::kHidden, {}};
inline constexpr FixedCommand kRebootBootloader{u"adb reboot bootloader", launch::kHidden, {}};
inline constexpr FixedCommand kRebootEdl{u"adb reboot edl", launch::kHidden, {}};
inline constexpr FixedCommand kRebootDownload{u"adb reboot download", launch::kHidden, {}};
inline constexpr FixedCommand kFastbootReboot{u"fastboot reboot", launch::kHidden, {}};
inline constexpr FixedCommand kAdbReboot{u"adb reboot", launch::kHidden, {}};

// The start scripts of two on-phone services; their consoles stay open to show the output.
// Brevent's script is started on the one phone connected over USB.
inline constexpr FixedCommand kBreventStart{
    u"adb -d shell sh /data/data/me.piebridge.brevent/brevent.sh", launch::kConsole, {}};
inline constexpr FixedCommand kShizukuStart{
    u"adb shell sh /sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh",
    launch::kConsole,
    {}};

} // namespace kavu::flash
