#include "connection/server_dialog.h"

#include "ui_server_dialog.h"

#include "app/app.h"
#include "app/placement.h"
#include "devices/adb_shell_client.h"
#include "devices/device_watch.h"

namespace kavu {

AdbServerDialog::AdbServerDialog(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::AdbServerDialog>()) {
    m_ui->setupUi(this);
    m_ui->Current->setTextFormat(Qt::PlainText);
    if (const DeviceWatch* watch = m_app.deviceWatch();
        watch != nullptr && watch->server().isSet()) {
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
    m_ui->Current->setText(tr("当前：") + (set ? watch->server().shown() : tr("本机")));
}

void AdbServerDialog::apply() {
    AdbServer server = localServerFromEnvironment();
    if (m_ui->Remote->value()) {
        const QString typed =
            m_ui->Host->text().trimmed() + QLatin1Char(':') + m_ui->Port->text().trimmed();
        const std::optional<HostAndPort> address = hostAndPort(typed.toStdString());
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
}

} // namespace kavu
