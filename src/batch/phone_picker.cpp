#include "batch/phone_picker.h"

#include "ui_phone_picker.h"

#include "app/app.h"
#include "app/placement.h"
#include "devices/device_state.h"
#include "devices/device_watch.h"
#include "platform/shown_text.h"

#include <QInputDialog>
#include <QSettings>

namespace kavu {

namespace {

constexpr int kSerialRole = Qt::UserRole + 1;
// No more groups are kept; the oldest go first.
constexpr qsizetype kMostGroups = 64;
constexpr qsizetype kMostGroupPhones = 1024;

} // namespace

QList<PhoneGroup> savedGroups(QSettings* settings) {
    QList<PhoneGroup> groups;
    if (settings == nullptr) {
        return groups;
    }
    const int count = settings->beginReadArray(QStringLiteral("phoneGroups"));
    for (int i = 0; i < count && groups.size() < kMostGroups; ++i) {
        settings->setArrayIndex(i);
        const std::optional<QString> name =
            groupName(settings->value(QStringLiteral("name")).toString());
        QStringList serials;
        for (const QString& serial : settings->value(QStringLiteral("serials")).toStringList()) {
            // A settings file is outside data: a serial that could not reach a console is dropped.
            if (serials.size() < kMostGroupPhones &&
                devices::isUsableSerial(serial.toStdString())) {
                serials << serial;
            }
        }
        if (name && !serials.isEmpty()) {
            groups.append({*name, serials});
        }
    }
    settings->endArray();
    return groups;
}

void saveGroups(QSettings* settings, const QList<PhoneGroup>& groups) {
    if (settings == nullptr) {
        return;
    }
    settings->remove(QStringLiteral("phoneGroups"));
    settings->beginWriteArray(QStringLiteral("phoneGroups"));
    const qsizetype first = std::max<qsizetype>(0, groups.size() - kMostGroups);
    for (qsizetype i = first; i < groups.size(); ++i) {
        settings->setArrayIndex(static_cast<int>(i - first));
        settings->setValue(QStringLiteral("name"), groups[i].name);
        settings->setValue(QStringLiteral("serials"), groups[i].serials);
    }
    settings->endArray();
    settings->sync();
}

std::optional<QString> groupName(const QString& typed) {
    QString name = typed.trimmed();
    if (name.isEmpty() || name.size() > kLongestGroupName) {
        return std::nullopt;
    }
    for (const QChar c : std::as_const(name)) {
        if (c.category() == QChar::Other_Control) {
            return std::nullopt;
        }
    }
    return name;
}

PhonePicker::PhonePicker(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::PhonePicker>()) {
    m_ui->setupUi(this);
    list();
    showGroups();
    centreOnScreen(*this);
    connect(m_ui->All, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_ui->Phones->count(); ++i) {
            m_ui->Phones->item(i)->setCheckState(Qt::Checked);
        }
    });
    connect(m_ui->None, &QPushButton::clicked, this, [this] { tick({}); });
    connect(m_ui->UseGroup, &QPushButton::clicked, this, &PhonePicker::useGroup);
    connect(m_ui->SaveGroup, &QPushButton::clicked, this, &PhonePicker::saveGroup);
    connect(m_ui->DeleteGroup, &QPushButton::clicked, this, &PhonePicker::deleteGroup);
    connect(m_ui->Accept, &QPushButton::clicked, this, &PhonePicker::accept);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &QWidget::close);
}

PhonePicker::~PhonePicker() = default;

void PhonePicker::list() {
    const DeviceChoice& choice = m_app.devices();
    if (const DeviceWatch* watch = m_app.deviceWatch()) {
        for (const adb::ListedDevice& device : watch->snapshot().devices) {
            if (devices::isUsableSerial(device.serial)) {
                addPhone(QString::fromStdString(device.serial),
                         QString::fromStdString(devices::itemText(device, translatedText)) +
                             QStringLiteral("  ") + QString::fromStdString(device.state));
            }
        }
    }
    for (const QString& serial : choice.fastbootSerials()) {
        addPhone(serial, tr("%1（Fastboot）").arg(serial));
    }
    if (choice.kind() == Target::Kind::Chosen) {
        tick(choice.chosen());
    } else if (const std::optional<QString> one = choice.serial()) {
        tick({*one});
    } else if (choice.kind() == Target::Kind::Every) {
        tick(choice.target().serials + choice.target().fastbootSerials);
    }
}

void PhonePicker::addPhone(const QString& serial, const QString& text) {
    for (int i = 0; i < m_ui->Phones->count(); ++i) {
        if (m_ui->Phones->item(i)->data(kSerialRole).toString() == serial) {
            return;
        }
    }
    auto* item = new QListWidgetItem(text, m_ui->Phones);
    item->setData(kSerialRole, serial);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
}

QStringList PhonePicker::ticked() const {
    QStringList serials;
    for (int i = 0; i < m_ui->Phones->count(); ++i) {
        const QListWidgetItem* item = m_ui->Phones->item(i);
        if (item->checkState() == Qt::Checked) {
            serials << item->data(kSerialRole).toString();
        }
    }
    return serials;
}

void PhonePicker::tick(const QStringList& serials) {
    for (const QString& serial : serials) {
        addPhone(serial, tr("%1（不在列表中）").arg(serial));
    }
    for (int i = 0; i < m_ui->Phones->count(); ++i) {
        QListWidgetItem* item = m_ui->Phones->item(i);
        item->setCheckState(serials.contains(item->data(kSerialRole).toString()) ? Qt::Checked
                                                                                 : Qt::Unchecked);
    }
}

void PhonePicker::accept() {
    const QStringList serials = ticked();
    if (serials.size() == 1) {
        m_app.devices().chooseOne(serials.front());
    } else {
        m_app.devices().chooseSeveral(serials);
    }
    close();
}

void PhonePicker::showGroups() {
    const QList<PhoneGroup> groups = savedGroups(m_app.settings());
    m_ui->Groups->clear();
    for (const PhoneGroup& group : groups) {
        m_ui->Groups->addItem(tr("%1（%2 台）").arg(group.name).arg(group.serials.size()),
                              group.name);
    }
    const bool kept = m_app.settings() != nullptr;
    m_ui->SaveGroup->setEnabled(kept);
    m_ui->UseGroup->setEnabled(!groups.isEmpty());
    m_ui->DeleteGroup->setEnabled(!groups.isEmpty());
}

void PhonePicker::useGroup() {
    const QString name = m_ui->Groups->currentData().toString();
    for (const PhoneGroup& group : savedGroups(m_app.settings())) {
        if (group.name == name) {
            tick(group.serials);
        }
    }
}

void PhonePicker::saveGroup() {
    const QStringList serials = ticked();
    if (serials.isEmpty()) {
        m_app.messages().show(tr("请先勾选要保存的设备。"), QString(), MessageIcon::Exclamation);
        return;
    }
    bool accepted = false;
    const QString typed = QInputDialog::getText(this, tr("保存为组"), tr("组名："),
                                                QLineEdit::Normal, QString(), &accepted);
    if (!accepted) {
        return;
    }
    const std::optional<QString> name = groupName(typed);
    if (!name) {
        m_app.messages().show(tr("组名不能为空，也不能超过 %1 个字符。").arg(kLongestGroupName),
                              QString(), MessageIcon::Exclamation);
        return;
    }
    QList<PhoneGroup> groups = savedGroups(m_app.settings());
    groups.removeIf([&name](const PhoneGroup& group) { return group.name == *name; });
    groups.append({*name, serials});
    saveGroups(m_app.settings(), groups);
    showGroups();
    m_ui->Groups->setCurrentIndex(m_ui->Groups->findData(*name));
}

void PhonePicker::deleteGroup() {
    const QString name = m_ui->Groups->currentData().toString();
    QList<PhoneGroup> groups = savedGroups(m_app.settings());
    groups.removeIf([&name](const PhoneGroup& group) { return group.name == name; });
    saveGroups(m_app.settings(), groups);
    showGroups();
}

} // namespace kavu
