#include "connection/wireless_dialog.h"

#include "app/origin.h"
#include "ui_wireless_dialog.h"

#include "app/app.h"
#include "app/fixed_buttons.h"
#include "app/placement.h"
#include "connection/connection_commands.h"
#include "core/launch.h"
#include "platform/tool_files.h"

#include <QCompleter>
#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QTimer>

namespace kavu {

namespace {

constexpr FixedButton<Ui_WirelessDialog, N_Shape> kFixedButtons[] = {
    {&Ui_WirelessDialog::WirelessOn, &connection::kWirelessOn},
};

// adb's help is about 8 KiB; more is not a help text.
constexpr qint64 kLongestHelp = 256 * 1024;
constexpr int kHelpTimeLimitMs = 10000;

const char* const kTooOldForPairing = QT_TRANSLATE_NOOP(
    "kavu::WirelessDialog",
    "此 adb 版本过旧，不支持配对（Android 11 的无线调试）。请用数据线连接手机，点“开启无线调试”，"
    "再填写手机的 IP 地址和端口 5555 后点“连接”。");

} // namespace

WirelessDialog::WirelessDialog(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::WirelessDialog>()) {
    m_ui->setupUi(this);
    m_ui->PairNote->setTextFormat(Qt::PlainText);
    m_ui->Pair->setEnabled(false);
    centreOnScreen(*this);
    connectFixedButtons<Ui_WirelessDialog, N_Shape>(*this, m_app.console(), *m_ui, kFixedButtons);
    connect(m_ui->Connect, &N_Shape::Click, this, [this] {
        const QString address = m_ui->Address->text().trimmed();
        if (m_app.console().run(connection::connectCommand(address).from(originOf(*m_ui->Connect)),
                                launch::kConsole)) {
            remember(address);
        }
    });
    connect(m_ui->ReconnectAll, &N_Shape::Click, this, &WirelessDialog::reconnectAll);
    m_ui->Remembered->setTextFormat(Qt::PlainText);
    showRemembered();
    connect(m_ui->Disconnect, &N_Shape::Click, this, [this] {
        m_app.console().run(connection::disconnectCommand(m_ui->Address->text().trimmed())
                                .from(originOf(*m_ui->Disconnect)),
                            launch::kConsole);
    });
    connect(m_ui->Pair, &N_Shape::Click, this, [this] {
        m_app.console().run(
            connection::pairCommand(m_ui->Address->text().trimmed(), m_ui->Code->text().trimmed())
                .from(originOf(*m_ui->Pair)),
            launch::kConsole);
    });
    askForPairing();
}

WirelessDialog::~WirelessDialog() {
    if (m_help != nullptr) {
        m_help->disconnect(this);
        m_help->kill();
        m_help->waitForFinished(1000);
    }
}

// The program folder's adb, the one the consoles run, tells in its help whether it pairs.
void WirelessDialog::askForPairing() {
    m_help = new QProcess(this);
    m_help->setProcessChannelMode(QProcess::MergedChannels);
    m_help->setWorkingDirectory(m_app.programFolder());
    connect(m_help, &QProcess::readyRead, this, [this] {
        if (m_help->bytesAvailable() > kLongestHelp) {
            m_help->kill();
        }
    });
    connect(m_help, &QProcess::finished, this, [this] {
        const QByteArray help = m_help->readAll();
        pairingKnown(connection::listsPairCommand(
            std::string_view(help.constData(), std::size_t(help.size()))));
    });
    connect(m_help, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            pairingKnown(false);
        }
    });
    QTimer::singleShot(kHelpTimeLimitMs, m_help, &QProcess::kill);
    m_help->start(QDir(m_app.programFolder()).filePath(adbToolFile()), {QStringLiteral("help")});
}

QStringList WirelessDialog::remembered() const {
    QSettings* settings = m_app.settings();
    // The settings file is outside data: what is not an address is dropped.
    return settings != nullptr
               ? connection::rememberedAfter(
                     settings->value(QStringLiteral("wireless/addresses")).toStringList(), {})
               : QStringList();
}

void WirelessDialog::remember(const QString& address) {
    if (QSettings* settings = m_app.settings()) {
        settings->setValue(QStringLiteral("wireless/addresses"),
                           connection::rememberedAfter(remembered(), address));
    }
    showRemembered();
}

void WirelessDialog::showRemembered() {
    const QStringList addresses = remembered();
    m_ui->ReconnectAll->setEnabled(!addresses.isEmpty() && m_reconnecting == 0);
    if (m_reconnecting == 0 && m_reconnected + m_reconnectFailed == 0) {
        m_ui->Remembered->setText(addresses.isEmpty()
                                      ? tr("还没有记住的地址")
                                      : tr("已记住 %1 个地址").arg(addresses.size()));
    }
    auto* completer = new QCompleter(addresses, m_ui->Address);
    delete m_ui->Address->completer();
    m_ui->Address->setCompleter(completer);
}

// Each remembered address is connected to as a hidden run; the label counts how they ended.
void WirelessDialog::reconnectAll() {
    const QStringList addresses = remembered();
    m_reconnected = 0;
    m_reconnectFailed = 0;
    m_reconnecting = 0;
    const QPointer<WirelessDialog> self(this);
    for (const QString& address : addresses) {
        // Counted first: a run that cannot start is told at once.
        ++m_reconnecting;
        const bool accepted = m_app.console().runOn(
            m_app.devices().target(),
            connection::connectCommand(address).from(originOf(*m_ui->ReconnectAll)),
            launch::kHidden, Command(), [self](const std::optional<RunEnd>& end) {
                if (self == nullptr) {
                    return;
                }
                --self->m_reconnecting;
                ++(end && end->exitCode == 0 ? self->m_reconnected : self->m_reconnectFailed);
                self->m_ui->Remembered->setText(tr("重新连接：%1 成功，%2 失败")
                                                    .arg(self->m_reconnected)
                                                    .arg(self->m_reconnectFailed));
                self->showRemembered();
            });
        if (!accepted) {
            --m_reconnecting;
        }
    }
    showRemembered();
}

void WirelessDialog::pairingKnown(bool canPair) {
    m_ui->Pair->setEnabled(canPair);
    m_ui->PairNote->setText(canPair ? QString() : tr(kTooOldForPairing));
}

} // namespace kavu
