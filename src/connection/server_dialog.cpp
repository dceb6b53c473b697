#include "connection/server_dialog.h"

#include "ui_server_dialog.h"

#include "app/app.h"
#include "app/placement.h"
#include "devices/adb_shell_client.h"
#include "devices/device_watch.h"

#include <QSettings>

namespace kavu {

AdbServerDialog::AdbServerDialog(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::AdbServerDialog>()) {
    m_ui->setupUi(this);
    m_ui->Current->setTextFormat(Qt::PlainText);
    const DeviceWatch* watch = m_app.deviceWatch();
    m_localServer = watch != nullptr && !watch->server().isSet() ? watch->server()
                                                                 : localServerFromEnvironment();
    if (watch != nullptr && watch->server().isSet()) {
        m_ui->Remote->setValue(true);
        m_ui->Host->setText(QString::fromStdString(watch->server().host));
        m_ui->Port->setText(QString::number(watch->server().port));
    } else {
        m_ui->Local->setValue(true);
    }
    showCurrent();
    centreOnScreen(*this);
    connect(m_ui->Apply, &N_Shape::Click, this, &AdbServerDialog::apply);
}

AdbServerDialog::~AdbServerDialog() = default;

void AdbServerDialog::showCurrent() {
    const DeviceWatch* watch = m_app.deviceWatch();
    const bool set = watch != nullptr && watch->server().isSet();
    const QString local = m_localServer.port == AdbServer::kDefaultPort
                              ? tr("本机")
                              : tr("本机（端口 %1）").arg(m_localServer.port);
    m_ui->Current->setText(tr("当前：") + (set ? watch->server().shown() : local));
}

void AdbServerDialog::apply() {
    AdbServer server = m_localServer;
    if (m_ui->Remote->value()) {
        // An IPv6 address is typed bare or in brackets.
        const std::optional<HostAndPort> address = hostAndPort(
            m_ui->Host->text().trimmed().toStdString(), m_ui->Port->text().trimmed().toStdString());
        if (!address) {
            m_app.console().refuse(Refusal::NetworkAddress);
            return;
        }
        server = AdbServer(address->host, address->port);
    }
    useAdbServer(m_app, server);
    close();
}

void useAdbServer(App& app, const AdbServer& server) {
    DeviceWatch* watch = app.deviceWatch();
    // The devices of another server are other phones: the choice starts afresh there.
    if (watch == nullptr || watch->server() != server) {
        app.devices().useServer(server.socketSpec());
    }
    if (watch != nullptr) {
        watch->setServer(server);
    }
    if (AdbShellClient* client = app.shellClient()) {
        client->setServer(server);
    }
    if (QSettings* settings = app.settings()) {
        settings->setValue(QStringLiteral("adbServer/host"), QString::fromStdString(server.host));
        settings->setValue(QStringLiteral("adbServer/port"), server.port);
    }
}

std::optional<AdbServer> rememberedAdbServer(const App& app) {
    QSettings* settings = app.settings();
    if (settings == nullptr) {
        return std::nullopt;
    }
    // The settings file is outside data: the address is checked as a typed one is.
    const QString host = settings->value(QStringLiteral("adbServer/host")).toString();
    const QString port = settings->value(QStringLiteral("adbServer/port")).toString();
    if (host.isEmpty()) {
        return std::nullopt;
    }
    if (const std::optional<HostAndPort> address =
            hostAndPort(host.toStdString(), port.toStdString())) {
        return AdbServer(address->host, address->port);
    }
    return std::nullopt;
}

} // namespace kavu
