// The touch window repeating a tap every 80 ms for 200 cycles, each command recorded with the
// moment it was started: how far each period lies from 80 ms, and how far the last tap drifted
// from where 200 exact periods after the start would put it; beside a bare precise Qt timer of
// 80 ms running in the same event loop at the same time, the baseline.
#include "app/app.h"
#include "inert_services.h"
#include "input/touchsimu.h"
#include "widgets/n_shape.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCycles = 200;
constexpr double kIntervalMs = 80;

// Records when each tap was started; the start-up's device check is not a tap.
class TimedStarter final : public kavu::ProcessStarter {
public:
    std::vector<Clock::time_point> started;

protected:
    bool launch(const QString& line, kavu::launch::WindowMode, const kavu::StartEnvironment&,
                RunEnded) override {
        if (!line.contains(QStringLiteral("input swipe"))) {
            return true;
        }
        started.push_back(Clock::now());
        return true;
    }
};

double milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// The mean and worst distance of the periods from the interval, and the drift of the last tick
// from where exact periods after the start would put it.
std::tuple<double, double, double> periodErrors(Clock::time_point begun,
                                                const std::vector<Clock::time_point>& ticks) {
    double sumError = 0;
    double worst = 0;
    Clock::time_point previous = begun;
    for (const Clock::time_point tick : ticks) {
        const double error = std::abs(milliseconds(tick - previous) - kIntervalMs);
        sumError += error;
        worst = std::max(worst, error);
        previous = tick;
    }
    const double drift =
        milliseconds(ticks.back() - begun) - static_cast<double>(ticks.size()) * kIntervalMs;
    return {sumError / static_cast<double>(ticks.size()), worst, drift};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    TimedStarter processes;
    kavu::bench::InertWorld world(&processes);
    kavu::App& app = world.app();
    app.mainWindow();

    auto* window = app.open<kavu::touchsimu>();
    const auto type = [window](const char* box, const char* text) {
        window->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QString::fromLatin1(text));
    };
    type("X1", "540");
    type("Y1", "1600");
    type("DURA", "1");
    type("Textdely", "80");
    type("Textcishu", "200");
    Clock::time_point begun;
    QTimer bare;
    bare.setTimerType(Qt::PreciseTimer);
    std::vector<Clock::time_point> bareTicks;
    QObject::connect(&bare, &QTimer::timeout, &bare, [&bare, &bareTicks] {
        bareTicks.push_back(Clock::now());
        if (bareTicks.size() == kCycles) {
            bare.stop();
            // The window's timer started first: its last tap is in by then.
            QTimer::singleShot(static_cast<int>(2 * kIntervalMs), QCoreApplication::instance(),
                               &QCoreApplication::quit);
        }
    });
    QTimer::singleShot(0, window, [window, &begun, &bare] {
        emit window->findChild<kavu::N_Shape*>(QStringLiteral("SWIPEGO"))->Click();
        begun = Clock::now();
        bare.start(static_cast<int>(kIntervalMs));
    });
    // A run that never finishes is reported as such, not waited for.
    QTimer::singleShot(static_cast<int>(kCycles * kIntervalMs * 3), &application,
                       &QCoreApplication::quit);
    application.exec();

    const std::vector<Clock::time_point>& taps = processes.started;
    if (taps.size() != kCycles || bareTicks.size() != kCycles) {
        std::printf("%zu of %d taps were started, the bare timer ran out %zu times\n", taps.size(),
                    kCycles, bareTicks.size());
        return 1;
    }
    const auto [meanError, worst, drift] = periodErrors(begun, taps);
    const auto [bareError, bareWorst, bareDrift] = periodErrors(begun, bareTicks);
    std::printf("touchsimu, %d taps at %.0f ms, beside a bare precise timer\n", kCycles,
                kIntervalMs);
    std::printf("  mean |period - %.0f ms|: %.3f ms (worst %.3f), bare timer %.3f ms (worst %.3f): "
                "%.2fx\n",
                kIntervalMs, meanError, worst, bareError, bareWorst, meanError / bareError);
    std::printf("  cumulative drift after %d periods: %+.3f ms, bare timer %+.3f ms (goal within "
                "one interval)\n",
                kCycles, drift, bareDrift);
    return 0;
}
