#pragma once

#include "app/command.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The command lines of the key and touch simulation windows, and the rules of a touch run.
namespace kavu::input {

// The key events of the key window's buttons; every one runs hidden. The recent-apps key keeps
// its trailing space.
inline constexpr FixedCommand kKeyPrevious{u"adb shell input keyevent 88", launch::kHidden, {}};
inline constexpr FixedCommand kKeyNext{u"adb shell input keyevent 87", launch::kHidden, {}};
inline constexpr FixedCommand kKeyPlayPause{u"adb shell input keyevent 86", launch::kHidden, {}};
inline constexpr FixedCommand kKeyLeft{u"adb shell input keyevent 21", launch::kHidden, {}};
inline constexpr FixedCommand kKeyRight{u"adb shell input keyevent 22", launch::kHidden, {}};
inline constexpr FixedCommand kKeyDown{u"adb shell input keyevent 20", launch::kHidden, {}};
inline constexpr FixedCommand kKeyEnter{u"adb shell input keyevent 66", launch::kHidden, {}};
inline constexpr FixedCommand kKeyUp{u"adb shell input keyevent 19", launch::kHidden, {}};
inline constexpr FixedCommand kKeyBack{u"adb shell input keyevent 4", launch::kHidden, {}};
inline constexpr FixedCommand kKeyRecentApps{u"adb shell input keyevent 187 ", launch::kHidden, {}};
inline constexpr FixedCommand kKeyHome{u"adb shell input keyevent 3", launch::kHidden, {}};
inline constexpr FixedCommand kKeyPower{u"adb shell input keyevent 26", launch::kHidden, {}};
inline constexpr FixedCommand kKeyVolumeDown{u"adb shell input keyevent 25", launch::kHidden, {}};
inline constexpr FixedCommand kKeyVolumeUp{u"adb shell input keyevent 24", launch::kHidden, {}};
inline constexpr FixedCommand kKeyMute{u"adb shell input keyevent 164", launch::kHidden, {}};

// The typed text for the phone's focused input field, one argument of the input tool.
Command textCommand(const QString& typed);

// A press from the first point to the second for duration milliseconds; a tap or long press is
// a swipe from a point to itself.
Command swipeCommand(double x1, double y1, double x2, double y2, int duration);
Command tapCommand(double x, double y, int duration);
// The same press as the phone's shell runs it, for an open shell ("input swipe …").
Command swipeOnPhone(double x1, double y1, double x2, double y2, int duration);

// Intervals below this start a run only after a warning: shorter ones let commands pile up.
inline constexpr double kShortestSafeInterval = 80;
inline constexpr int kLongestInterval = 65535;

// The interval (or the pause between the presses of a two-point tap) made whole, or nothing when it
// lies outside 0 … 65535 milliseconds.
std::optional<int> wholeInterval(double interval);

// What a run takes from the boxes when it starts.
struct RunBases {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    std::int16_t y2 = 0;
    std::int16_t duration = 0;
    int interval = 0; // milliseconds; 0 never repeats
};

// The numeric values of the boxes as a run starts from them, or nothing when one is out of range:
// a coordinate that is not finite, Y2 or the duration made whole outside 16 bits, the interval
// made whole outside 0 … 65535.
std::optional<RunBases> runBases(double x1, double y1, double x2, double y2, double duration,
                                 double interval);

// One random offset within radius: floor(r × u1) − floor(r × u2), for draws u1, u2 in [0, 1).
double randomOffset(double radius, double u1, double u2);

// The points of one cycle: each base moved by its offset (x1, y1, x2, y2). Y2 stays a 16-bit
// whole number; nothing when a point would not be finite or Y2 would leave 16 bits.
struct CyclePoints {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    std::int16_t y2 = 0;
};
// A two-point tap as the phone's shell runs it: the first point, the pause (in seconds, on the
// phone), the second point.
Command tapPairOnPhone(const CyclePoints& points, int duration, int pauseMs);
std::optional<CyclePoints> shiftedPoints(const RunBases& bases,
                                         const std::array<double, 4>& offsets);

// Whether a run ends after its cycle number `cycles`: the typed count is reached, or the 16-bit
// cycle count is full.
bool runEnds(int cycles, double count);

// The cycle indicator shows 0, 1 … 8, then 1 … 8 again.
int nextIndicator(int shown);

} // namespace kavu::input
