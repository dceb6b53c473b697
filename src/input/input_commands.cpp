#include "input/input_commands.h"

#include "core/numeric.h"

#include <cmath>

namespace kavu::input {

Command textCommand(const QString& typed) {
    return Command(u"adb shell input text ").typed(typed, Splice::PhoneInputText);
}

Command swipeOnPhone(double x1, double y1, double x2, double y2, int duration) {
    Command command(u"input swipe ");
    command.number(x1).fixed(u" ").number(y1).fixed(u" ").number(x2).fixed(u" ").number(y2);
    return command.fixed(u" ").number(duration);
}

Command swipeCommand(double x1, double y1, double x2, double y2, int duration) {
    return Command(u"adb shell ").append(swipeOnPhone(x1, y1, x2, y2, duration));
}

Command tapPairOnPhone(const CyclePoints& points, int duration, int pauseMs) {
    return Command()
        .append(swipeOnPhone(points.x1, points.y1, points.x1, points.y1, duration))
        .fixed(u"; sleep ")
        .number(pauseMs / 1000.0)
        .fixed(u"; ")
        .append(swipeOnPhone(points.x2, points.y2, points.x2, points.y2, duration));
}

Command tapCommand(double x, double y, int duration) {
    return swipeCommand(x, y, x, y, duration);
}

std::optional<int> wholeInterval(double interval) {
    const double whole = roundHalfEven(interval);
    if (!(whole >= 0 && whole <= kLongestInterval)) {
        return std::nullopt;
    }
    return static_cast<int>(whole);
}

std::optional<RunBases> runBases(double x1, double y1, double x2, double y2, double duration,
                                 double interval) {
    const std::optional<std::int16_t> wholeY2 = toInt16(y2);
    const std::optional<std::int16_t> wholeDuration = toInt16(duration);
    const std::optional<int> whole = wholeInterval(interval);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !wholeY2 ||
        !wholeDuration || !whole) {
        return std::nullopt;
    }
    return RunBases{x1, y1, x2, *wholeY2, *wholeDuration, *whole};
}

double randomOffset(double radius, double u1, double u2) {
    return std::floor(radius * u1) - std::floor(radius * u2);
}

std::optional<CyclePoints> shiftedPoints(const RunBases& bases,
                                         const std::array<double, 4>& offsets) {
    const double x1 = bases.x1 + offsets[0];
    const double y1 = bases.y1 + offsets[1];
    const double x2 = bases.x2 + offsets[2];
    // The offsets are whole, so Y2 stays whole: only its range can fail.
    const std::optional<std::int16_t> y2 = toInt16(bases.y2 + offsets[3]);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !y2) {
        return std::nullopt;
    }
    return CyclePoints{x1, y1, x2, *y2};
}

bool runEnds(int cycles, double count) {
    return !(count > cycles) || cycles >= kInt16Max;
}

int nextIndicator(int shown) {
    return shown == 8 ? 1 : shown + 1;
}

} // namespace kavu::input
