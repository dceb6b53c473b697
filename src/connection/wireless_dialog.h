#pragma once

#include <QWidget>

#include <memory>

class QProcess;

namespace Ui {
class WirelessDialog;
}

namespace kavu {

class App;

// "无线连接": adb over Wi-Fi. "开启无线调试" makes the chosen USB device listen on the network;
// "连接" and "断开" connect to and drop a phone at HOST:PORT; "配对" pairs with Android 11's
// wireless debugging where the installed adb knows the pair command, which the dialog asks adb
// in the background when it opens. The addresses connected to are remembered, and "重新连接全部"
// connects to each of them again.
class WirelessDialog final : public QWidget {
    Q_OBJECT

public:
    explicit WirelessDialog(App& app, QWidget* parent = nullptr);
    ~WirelessDialog() override;

private:
    void askForPairing();
    void pairingKnown(bool canPair);
    QStringList remembered() const;
    void remember(const QString& address);
    void showRemembered();
    void reconnectAll();

    App& m_app;
    std::unique_ptr<Ui::WirelessDialog> m_ui;
    QProcess* m_help = nullptr;
    // "重新连接全部" under way: how many ended, and how many of them connected.
    int m_reconnecting = 0;
    int m_reconnected = 0;
    int m_reconnectFailed = 0;
};

} // namespace kavu
