#pragma once

#include "input/input_commands.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QTimer;

namespace Ui {
class touchsimu;
}

namespace kavu {

class App;

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

    App& m_app;
    std::unique_ptr<Ui::touchsimu> m_ui;
    // Counts the indicator on while a run goes ("Timercj").
    QTimer* m_indicatorTimer;
    // One cycle of a tap run, or of a swipe run, each interval ("Timerdur", "Timerdur2").
    QTimer* m_tapTimer;
    QTimer* m_swipeTimer;
    input::RunBases m_bases;
    int m_cycles = 0;
    int m_indicator = 0;
};

} // namespace kavu
