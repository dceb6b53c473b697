#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Status;
}

namespace kavu {

class App;
class Command;
struct FixedCommand;
class OptionButton;

// "状态栏操作": hidden status-bar icons and clock seconds, immersive modes, the quick-settings
// count, the icon padding, the connectivity check and a simulated battery display. Every action
// is one adb command; the connectivity frame runs its commands through the window's own hidden
// command box, all others through the main window's.
class Status final : public QWidget {
    Q_OBJECT

public:
    explicit Status(App& app, QWidget* parent = nullptr);
    ~Status() override;

private:
    void connectIcons();
    void connectBattery();
    void connectImmersive();
    void connectIconSettings();
    void connectConnectivity();

    void writeIconBlacklist();
    void chargeOptionClicked(OptionButton* option, const FixedCommand& command);
    // Runs hidden, asked for by the button.
    void runHidden(const QWidget& button, Command command);
    // Through the window's own command box.
    void runConnectivity(const QWidget& button, Command command);

    App& m_app;
    std::unique_ptr<Ui::Status> m_ui;
    // The charging option whose command ran last; selecting it again runs nothing.
    OptionButton* m_chargeShown = nullptr;
};

} // namespace kavu
