#include "apps/phone_apps.h"

#include "ui_phone_apps.h"

#include "app/app.h"
#include "app/qt_text.h"
#include "apps/package_list_model.h"
#include "apps/package_reader.h"
#include "devices/device_watch.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSortFilterProxyModel>

#include <algorithm>

namespace kavu {

namespace {

constexpr int kNameColumnWidth = 236;
constexpr int kGap = 8;

} // namespace

PhoneApps::PhoneApps(App& app, AdbShellClient& client, QWidget& companion)
    : QWidget(&companion, Qt::Window)
    , m_app(app)
    , m_ui(std::make_unique<Ui::PhoneApps>())
    , m_reader(new PackageReader(client, this))
    , m_packages(new PackageListModel(this))
    , m_filtered(new QSortFilterProxyModel(this)) {
    m_ui->setupUi(this);
    m_filtered->setSourceModel(m_packages);
    m_filtered->setFilterKeyColumn(PackageListModel::Name);
    m_filtered->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_ui->packages->setModel(m_filtered);
    m_ui->packages->setColumnWidth(PackageListModel::Name, kNameColumnWidth);
    m_ui->packages->header()->setStretchLastSection(true);
    m_ui->filter->setFocus();

    connect(m_reader, &PackageReader::finished, this, &PhoneApps::showRead);
    connect(m_ui->refresh, &ClickLabel::clicked, this, &PhoneApps::read);
    connect(m_ui->filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filtered->setFilterFixedString(text);
        summarize();
    });
    // Only the user's own choice names a package: the current row can also move when the filter
    // hides it, and that must not change the package the buttons act on.
    connect(m_ui->packages, &QAbstractItemView::clicked, this, &PhoneApps::choose);
    connect(m_ui->packages, &QAbstractItemView::activated, this, &PhoneApps::choose);
}

PhoneApps::~PhoneApps() = default;

void PhoneApps::read() {
    const std::optional<std::string> serial = chosenSerial();
    const DeviceWatch* watch = m_app.deviceWatch();
    if (std::optional<std::string> why = apps::whyNoRead(
            watch ? watch->snapshot() : devices::Snapshot{}, serial, translatedText)) {
        m_reader->stop();
        m_serial.clear();
        showRead({{}, std::move(*why)});
        return;
    }
    if (*serial != m_serial || m_ui->pages->currentWidget() != m_ui->listPage) {
        // Another device's packages must not stay listed while this one's are read; the same
        // device's stay until the new states arrive.
        m_packages->clear();
        showNotice(tr("正在读取……"));
    }
    m_serial = *serial;
    m_reader->start(m_serial);
    summarize();
}

void PhoneApps::placeBeside(const QWidget& companion) {
    const QRect beside = companion.frameGeometry();
    const QScreen* screen =
        companion.screen() ? companion.screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    QPoint place(beside.right() + kGap, beside.top());
    if (room.isValid() && place.x() + frameGeometry().width() > room.right()) {
        place.setX(std::max(room.left(), beside.left() - kGap - frameGeometry().width()));
    }
    move(place);
}

void PhoneApps::showRead(const apps::PackageRead& read) {
    if (!read.failure.empty()) {
        m_packages->clear();
        showNotice(tr("无法读取手机应用。\n") + QString::fromStdString(read.failure));
        return;
    }
    m_packages->setPackages(read.packages);
    m_ui->pages->setCurrentWidget(m_ui->listPage);
    summarize();
}

void PhoneApps::choose(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    if (chosenSerial() != m_serial) {
        // The buttons act on the device chosen now, which is not the one these rows came from.
        m_packages->clear();
        m_serial.clear();
        showNotice(tr("主窗口选择的设备已更换，请点击“刷新”读取它的应用。"));
        return;
    }
    emit chosen(m_packages->name(m_filtered->mapToSource(index).row()));
}

void PhoneApps::showNotice(const QString& text) {
    m_ui->notice->setText(text);
    m_ui->pages->setCurrentWidget(m_ui->noticePage);
    summarize();
}

void PhoneApps::summarize() {
    QString text;
    const QString serial = QString::fromStdString(m_serial);
    if (m_reader->reading()) {
        text = tr("正在读取 %1 的应用……").arg(serial);
    } else if (m_ui->pages->currentWidget() == m_ui->listPage) {
        text = tr("%1：共 %2 个应用").arg(serial).arg(m_packages->rowCount());
        if (!m_ui->filter->text().isEmpty()) {
            text += tr("，筛选后 %1 个").arg(m_filtered->rowCount());
        }
    }
    m_ui->summary->setText(text);
}

std::optional<std::string> PhoneApps::chosenSerial() const {
    const std::optional<QString> serial = m_app.devices().serial();
    return serial ? std::optional<std::string>(serial->toStdString()) : std::nullopt;
}

} // namespace kavu
