#include "display/display_commands.h"

#include "app/qt_text.h"
#include "core/numeric.h"

namespace kavu::display {

namespace {

// One dp is one pixel at this density.
constexpr double kBaselineDensity = 160.0;

} // namespace

Command overscanCommand(const std::array<QString, 4>& typedInsets, std::size_t movedEdge,
                        double movedInset) {
    Command command(u"adb shell wm overscan ");
    for (std::size_t edge = 0; edge < typedInsets.size(); ++edge) {
        if (edge > 0) {
            command.fixed(u",");
        }
        if (edge == movedEdge) {
            command.number(movedInset, -kLargestInset, kLargestInset);
        } else {
            command.typed(typedInsets[edge], Splice::PhoneBare)
                .inRange(numericValueOf(typedInsets[edge]), -kLargestInset, kLargestInset);
        }
    }
    return command;
}

std::optional<std::int16_t> densityForSmallestWidth(double dp, double widthPixels) {
    if (dp == 0.0) {
        return std::nullopt;
    }
    return toInt16(widthPixels * kBaselineDensity / dp);
}

Command densityCommand(double dpi) {
    return Command(u"adb shell wm density ").wholeNumber(dpi, kSmallestDensity, kLargestDensity);
}

Command resolutionCommand(double width, double height) {
    return Command(u"adb shell wm size ")
        .wholeNumber(width, 0, kLargestSize)
        .fixed(u"x")
        .wholeNumber(height, 0, kLargestSize);
}

Command animationScaleCommand(QStringView setting, double scale) {
    return Command(u"adb shell settings put global ").fixed(setting).fixed(u" ").number(scale);
}

Command fontScaleCommand(double scale) {
    return Command(u"adb shell settings put system font_scale ").number(scale);
}

} // namespace kavu::display
