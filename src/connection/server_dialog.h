#pragma once

#include "devices/adb_server.h"

#include <QWidget>

#include <memory>

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
};

// Turns the device watch, the shell client and the consoles to server: a set one goes to the
// consoles as ADB_SERVER_SOCKET, this computer's leaves the variable out. Another server's devices
// are other phones, so the chosen device is dropped when the server changes.
void useAdbServer(App& app, const AdbServer& server);

} // namespace kavu
