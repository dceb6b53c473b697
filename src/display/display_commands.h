#pragma once

#include "app/command.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// The command lines of the display and scaling windows, and the density rule.
namespace kavu::display {

// The resets run hidden.
inline constexpr FixedCommand kOverscanReset{u"adb shell wm overscan 0,0,0,0",
                                             launch::kHidden,
                                             {},
                                             FixedChange::wm(Change::Kind::Overscan, u"0,0,0,0")};
inline constexpr FixedCommand kDensityReset{u"adb shell wm density reset",
                                            launch::kHidden,
                                            {},
                                            FixedChange::wm(Change::Kind::Density, std::nullopt)};
inline constexpr FixedCommand kSizeReset{u"adb shell wm size reset",
                                         launch::kHidden,
                                         {},
                                         FixedChange::wm(Change::Kind::Size, std::nullopt)};
// The reset sends "1.0" literally, while a step that lands on 1 sends "1".
inline constexpr FixedCommand kFontScaleReset{
    u"adb shell settings put system font_scale 1.0",
    launch::kHidden,
    {},
    FixedChange::setting(u"system", u"font_scale", u"1.0")};

// The window manager reads densities and sizes as whole numbers; no screen comes near these
// limits, so a command beyond them is refused.
inline constexpr double kLargestDensity = 100000;
// Android takes no density below this (its lowest screen density, ldpi × 0.6).
inline constexpr double kSmallestDensity = 72;
inline constexpr double kLargestSize = 100000;
// An overscan inset moves an edge by at most this many pixels, either way.
inline constexpr double kLargestInset = 10000;

// The overscan insets in the command's order (left, top, right, bottom). The moved edge carries
// the value the program worked out; the other three go into the command as the user typed them.
// The command is refused when an inset (a typed one read as its numeric value) lies beyond
// kLargestInset either way.
Command overscanCommand(const std::array<QString, 4>& typedInsets, std::size_t movedEdge,
                        double movedInset);

// The density whose smallest width is dp for a screen widthPixels wide (pixels × 160 / dp), or
// nothing when dp is 0 or the density leaves the 16-bit range.
std::optional<std::int16_t> densityForSmallestWidth(double dp, double widthPixels);
// Refused unless every number is whole and within kSmallestDensity…kLargestDensity (a size
// within 0…kLargestSize).
Command densityCommand(double dpi);
Command resolutionCommand(double width, double height);

// The three animation scales of the global table.
inline constexpr QStringView kWindowAnimationScale = u"window_animation_scale";
inline constexpr QStringView kTransitionAnimationScale = u"transition_animation_scale";
inline constexpr QStringView kAnimatorDurationScale = u"animator_duration_scale";

// One of the three animation scales.
Command animationScaleCommand(QStringView setting, double scale);
Command fontScaleCommand(double scale);

// Every command of the two windows that changes the phone, typed ones with a sample value: the
// journal reads the values they change, and the tests take each through its undo.
QList<Command> changingCommands();

} // namespace kavu::display
