#include "display/display_commands.h"

#include "app/phone_changes.h"
#include "app/qt_text.h"
#include "core/numeric.h"

namespace kavu::display {

namespace {

// One dp is one pixel at this density.
constexpr double kBaselineDensity = 160.0;

} // namespace

Command overscanCommand(const std::array<QString, 4>& typedInsets, std::size_t movedEdge,
                        double movedInset) {
    Command insets;
    for (std::size_t edge = 0; edge < typedInsets.size(); ++edge) {
        if (edge > 0) {
            insets.fixed(u",");
        }
        if (edge == movedEdge) {
            insets.number(movedInset, -kLargestInset, kLargestInset);
        } else {
            insets.typed(typedInsets[edge], Splice::PhoneBare)
                .inRange(numericValueOf(typedInsets[edge]), -kLargestInset, kLargestInset);
        }
    }
    return wmCommand(u"overscan", insets);
}

std::optional<std::int16_t> densityForSmallestWidth(double dp, double widthPixels) {
    if (dp == 0.0) {
        return std::nullopt;
    }
    return toInt16(widthPixels * kBaselineDensity / dp);
}

Command densityCommand(double dpi) {
    return wmCommand(u"density", Command().wholeNumber(dpi, kSmallestDensity, kLargestDensity));
}

Command resolutionCommand(double width, double height) {
    return wmCommand(u"size", Command()
                                  .wholeNumber(width, 0, kLargestSize)
                                  .fixed(u"x")
                                  .wholeNumber(height, 0, kLargestSize));
}

Command animationScaleCommand(QStringView setting, double scale) {
    return settingCommand(u"global", setting, Command().number(scale));
}

Command fontScaleCommand(double scale) {
    return settingCommand(u"system", u"font_scale", Command().number(scale));
}

QList<Command> changingCommands() {
    QList<Command> commands;
    for (const FixedCommand* fixed :
         {&kOverscanReset, &kDensityReset, &kSizeReset, &kFontScaleReset}) {
        commands.append(commandOf(*fixed));
    }
    commands << overscanCommand({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                 QStringLiteral("0")},
                                1, 20)
             << densityCommand(420) << resolutionCommand(1080, 2340)
             << animationScaleCommand(kWindowAnimationScale, 0.5)
             << animationScaleCommand(kTransitionAnimationScale, 0.5)
             << animationScaleCommand(kAnimatorDurationScale, 0.5) << fontScaleCommand(1.1);
    return commands;
}

} // namespace kavu::display
