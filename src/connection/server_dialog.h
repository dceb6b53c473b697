#pragma once

#include "devices/adb_server.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class AdbServerDialog;
}

namespace kavu {

class App;

// "adb 服务器": which adb server the device row, the phone reads and every console started from
// then on talk to: this computer's, or one on another computer (a lab's server on the machine
// with the USB hubs).
class AdbServerDialog final : public QWidget {
    Q_OBJECT

public:
    explicit AdbServerDialog(App& app, QWidget* parent = nullptr);
    ~AdbServerDialog() override;

private:
    void showCurrent();
    void apply();

    App& m_app;
    std::unique_ptr<Ui::AdbServerDialog> m_ui;
    // "本机" is this computer's server as the program found it, at its own port.
    AdbServer m_localServer;
};

// Turns the device watch, the shell client and the consoles to server: a set one goes to the
// consoles as ADB_SERVER_SOCKET, this computer's leaves the variable out (or names its port when
// adb would not find it). Another server's devices are other phones, so the chosen device is
// dropped when the server changes. The choice is remembered in the app's settings.
void useAdbServer(App& app, const AdbServer& server);
// The server chosen in an earlier run, when one on another computer was: the program turns to it
// at start unless ADB_SERVER_SOCKET names one.
std::optional<AdbServer> rememberedAdbServer(const App& app);

} // namespace kavu
