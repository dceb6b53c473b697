#pragma once

#include "input/input_commands.h"
#include "platform/services.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLineEdit;
class QTimer;

namespace Ui {
class touchsimu;
}

namespace kavu {

class App;
class TapRun;

namespace adb {
struct ShellResult;
}

// "触摸模拟": taps, long presses and swipes sent once or repeated on a timer (an auto-clicker),
// each cycle moved by a small random offset so that repeated taps do not hit the same pixel.
class touchsimu final : public QWidget {
    Q_OBJECT

public:
    explicit touchsimu(App& app, QWidget* parent = nullptr);
    ~touchsimu() override;

private:
    void connectModes();
    void connectPresets();
    void connectRun();

    void start();
    void startRepeating(QTimer& timer);
    void stop();
    void cycle(QTimer& timer);
    void showIndicator();
    // Runs the indicator's timer while the run is on and the indicator can be seen.
    void followIndicator();
    void reveal();
    void swapPoints();

    void tapModeChosen();
    void swipeModeChosen();
    void fastPageTurning();
    void normalMode();
    void turboMode();
    void showSecondPoint(bool shown);
    // Stops every run and says that the values were out of range.
    void cancelRun();

    // Opens a shell on each phone of the device choice for a repeating run, the timer to start
    // once they are open; false when there is no phone to open one on (the run then starts at
    // once, with a hidden line per tap).
    bool openShells(QTimer& timer);
    void shellsReady(QTimer& timer);
    // Ends the run through the shells, if any: its journal entries get their end, and the taps
    // the phones had no room for are told. lost: the phone with this serial went away.
    void closeShells(const std::optional<QString>& lost = std::nullopt);
    // One cycle's press as the phone's shell runs it.
    Command phoneCommand(const QTimer& timer, const input::CyclePoints& points, bool twoPoints,
                         int pause) const;

    App& m_app;
    std::unique_ptr<Ui::touchsimu> m_ui;
    // Counts the indicator on while a run goes and the indicator is revealed ("Timercj").
    QTimer* m_indicatorTimer;
    // One cycle of a tap run, or of a swipe run, each interval ("Timerdur", "Timerdur2").
    QTimer* m_tapTimer;
    QTimer* m_swipeTimer;
    // The run's open shells, while a repeating run goes through them.
    TapRun* m_tapRun = nullptr;
    // Each phone's journal entry of the run, ended when the run ends.
    std::vector<std::pair<QString, ProcessStarter::RunEnded>> m_runJournal;
    input::RunBases m_bases;
    int m_cycles = 0;
    int m_indicator = 0;
    // A run is on: the indicator counts while it can be seen.
    bool m_indicatorOn = false;
};

} // namespace kavu
