#include "apps/phone_apps.h"

#include "ui_phone_apps.h"

#include "app/app.h"
#include "app/origin.h"
#include "app/qt_text.h"
#include "app/target.h"
#include "apps/package_list_file.h"
#include "apps/package_list_model.h"
#include "apps/package_reader.h"
#include "apps/package_runs.h"
#include "apps/package_states.h"
#include "apps/selection_risk.h"
#include "devices/device_watch.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QSaveFile>
#include <QScreen>

#include <algorithm>
#include <array>

namespace kavu {

namespace {

constexpr int kNameColumnWidth = 300;
constexpr int kStateColumnWidth = 170;
constexpr int kGap = 8;
// How many disabled packages have the way they were disabled read after a list arrives; the
// others show as disabled.
constexpr int kMostKindsRead = 300;

// Each state filter's button and its text, in the order of apps::StateFilter.
constexpr std::array<QRadioButton * Ui_PhoneApps::*, apps::kStateFilterCount> kFilterButtons{
    &Ui_PhoneApps::allPackages, &Ui_PhoneApps::systemPackages, &Ui_PhoneApps::thirdPartyPackages,
    &Ui_PhoneApps::disabledPackages, &Ui_PhoneApps::uninstalledPackages};
constexpr std::array<const char*, apps::kStateFilterCount> kFilterTexts{
    QT_TRANSLATE_NOOP("kavu::PhoneApps", "全部 %1"),
    QT_TRANSLATE_NOOP("kavu::PhoneApps", "系统 %1"),
    QT_TRANSLATE_NOOP("kavu::PhoneApps", "第三方 %1"),
    QT_TRANSLATE_NOOP("kavu::PhoneApps", "已停用 %1"),
    QT_TRANSLATE_NOOP("kavu::PhoneApps", "已卸载（用户 0） %1"),
};

} // namespace

PhoneApps::PhoneApps(App& app, AdbShellClient& client, QWidget& companion)
    : QWidget(&companion, Qt::Window)
    , m_app(app)
    , m_ui(std::make_unique<Ui::PhoneApps>())
    , m_reader(new PackageReader(client, this))
    , m_states(new PackageStateReader(client, this))
    , m_runs(new PackageRuns(app.console(), this))
    , m_packages(new PackageListModel(this))
    , m_stateFilters(new QButtonGroup(this)) {
    m_ui->setupUi(this);
    QTreeView& view = *m_ui->packages;
    view.setModel(m_packages);
    view.setColumnWidth(PackageListModel::Name, kNameColumnWidth);
    view.setColumnWidth(PackageListModel::State, kStateColumnWidth);
    view.header()->setStretchLastSection(true);
    view.header()->setSortIndicator(PackageListModel::Name, Qt::AscendingOrder);
    view.setSortingEnabled(true);
    for (std::size_t filter = 0; filter < apps::kStateFilterCount; ++filter) {
        m_stateFilters->addButton((*m_ui).*kFilterButtons[filter], static_cast<int>(filter));
    }
    m_ui->invalidNames->hide();
    m_ui->filter->setFocus();

    connect(m_reader, &PackageReader::finished, this, &PhoneApps::showRead);
    connect(m_ui->refresh, &ClickLabel::clicked, this, &PhoneApps::read);
    connect(m_ui->filter, &QLineEdit::textChanged, this, &PhoneApps::filterByText);
    connect(m_stateFilters, &QButtonGroup::idClicked, this, &PhoneApps::filterByState);
    // Only the user's own choice names a package: the current row can also move when the filter
    // hides it, and that must not change the package the buttons act on.
    connect(&view, &QAbstractItemView::clicked, this, &PhoneApps::choose);
    connect(&view, &QAbstractItemView::activated, this, &PhoneApps::choose);
    connect(view.selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        updateButtons();
        summarize();
    });
    connect(m_packages, &PackageListModel::countsChanged, this, &PhoneApps::showCounts);
    connect(m_states, &PackageStateReader::stateRead, this, &PhoneApps::stateRead);
    connect(m_runs, &PackageRuns::ended, this, &PhoneApps::runEnded);
    connect(m_runs, &PackageRuns::finished, this, [this] {
        updateButtons();
        summarize();
    });

    const auto onClick = [this](QPushButton* button, apps::PackageAction action) {
        connect(button, &QPushButton::clicked, this,
                [this, button, action] { act(action, *button); });
    };
    onClick(m_ui->disable, apps::PackageAction::Freeze);
    onClick(m_ui->enable, apps::PackageAction::Unfreeze);
    onClick(m_ui->removeForUser, apps::PackageAction::RemoveForUser0);
    onClick(m_ui->reinstall, apps::PackageAction::Reinstall);
    connect(m_ui->exportList, &QPushButton::clicked, this, &PhoneApps::chooseExportFile);
    connect(m_ui->selectFromList, &QPushButton::clicked, this, &PhoneApps::chooseListFile);
    showCounts();
    updateButtons();
}

PhoneApps::~PhoneApps() = default;

void PhoneApps::read() {
    const std::optional<std::string> serial = chosenSerial();
    const DeviceWatch* watch = m_app.deviceWatch();
    if (std::optional<std::string> why = apps::whyNoRead(
            watch ? watch->snapshot() : devices::Snapshot{}, serial, translatedText)) {
        m_reader->stop();
        m_serial.clear();
        showRead({{}, std::move(*why), 0});
        return;
    }
    if (*serial != m_serial || m_ui->pages->currentWidget() != m_ui->listPage) {
        // Another device's packages must not stay listed while this one's are read; the same
        // device's stay until the new states arrive.
        m_packages->clear();
        m_states->stop();
        m_acting.clear();
        m_ended.clear();
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
        m_ui->invalidNames->hide();
        showNotice(tr("无法读取手机应用。\n") + QString::fromStdString(read.failure));
        return;
    }
    const QStringList selected = selectedNames();
    const QModelIndex current = m_ui->packages->currentIndex();
    const QString currentName = current.isValid() ? m_packages->name(current.row()) : QString();
    m_packages->setPackages(read.packages);
    select(selected, currentName);
    m_ui->pages->setCurrentWidget(m_ui->listPage);
    // The phone's list is data: names that could not be taken are counted, not shown.
    m_ui->invalidNames->setText(tr("%1 个名称无效，已忽略").arg(read.invalidNames));
    m_ui->invalidNames->setVisible(read.invalidNames > 0);
    // The list tells only that a package is disabled; its own state tells by whom.
    QStringList disabled;
    for (const adb::Package& package : read.packages) {
        if (package.disabled && !package.uninstalledForUser && disabled.size() < kMostKindsRead) {
            disabled.append(QString::fromStdString(package.name));
        }
    }
    m_states->read(m_serial, disabled);
    updateButtons();
    summarize();
}

void PhoneApps::choose(const QModelIndex& index) {
    if (index.isValid() && listsChosenDevice()) {
        emit chosen(m_packages->name(index.row()));
    }
}

bool PhoneApps::listsChosenDevice() {
    if (!m_serial.empty() && chosenSerial() == m_serial) {
        return true;
    }
    // The buttons act on the device chosen now, which is not the one these rows came from.
    m_packages->clear();
    m_states->stop();
    m_serial.clear();
    m_ui->invalidNames->hide();
    showNotice(tr("主窗口选择的设备已更换，请点击“刷新”读取它的应用。"));
    return false;
}

void PhoneApps::showNotice(const QString& text) {
    m_ui->notice->setText(text);
    m_ui->pages->setCurrentWidget(m_ui->noticePage);
    updateButtons();
    summarize();
}

void PhoneApps::summarize() {
    QString text;
    const QString serial = QString::fromStdString(m_serial);
    if (m_reader->reading()) {
        text = tr("正在读取 %1 的应用……").arg(serial);
    } else if (m_ui->pages->currentWidget() == m_ui->listPage) {
        text = tr("%1：共 %2 个应用，显示 %3 个，已选 %4 个")
                   .arg(serial)
                   .arg(m_packages->packageCount())
                   .arg(m_packages->rowCount())
                   .arg(selectedRows().size());
    }
    if (const int left = m_runs->left(); left > 0) {
        text += tr("；还有 %1 个应用正在处理").arg(left);
    }
    m_ui->summary->setText(text);
}

void PhoneApps::showCounts() {
    const apps::StateCounts& counts = m_packages->counts();
    for (std::size_t filter = 0; filter < apps::kStateFilterCount; ++filter) {
        ((*m_ui).*kFilterButtons[filter])
            ->setText(
                tr(kFilterTexts[filter]).arg(counts.of(static_cast<apps::StateFilter>(filter))));
    }
}

void PhoneApps::updateButtons() {
    const bool listed = m_ui->pages->currentWidget() == m_ui->listPage && !m_serial.empty();
    const bool selected = listed && m_ui->packages->selectionModel()->hasSelection();
    // One change at a time per package: no new ones while the last are under way.
    const bool idle = m_runs->left() == 0;
    for (QPushButton* action :
         {m_ui->disable, m_ui->enable, m_ui->removeForUser, m_ui->reinstall}) {
        action->setEnabled(selected && idle);
    }
    m_ui->exportList->setEnabled(selected);
    m_ui->selectFromList->setEnabled(listed);
}

std::optional<std::string> PhoneApps::chosenSerial() const {
    const std::optional<QString> serial = m_app.devices().serial();
    return serial ? std::optional<std::string>(serial->toStdString()) : std::nullopt;
}

void PhoneApps::filterByText(const QString& text) {
    const QStringList selected = selectedNames();
    const QModelIndex current = m_ui->packages->currentIndex();
    const QString currentName = current.isValid() ? m_packages->name(current.row()) : QString();
    m_packages->setTextFilter(text);
    select(selected, currentName);
    updateButtons();
    summarize();
}

void PhoneApps::filterByState(int filter) {
    const QStringList selected = selectedNames();
    const QModelIndex current = m_ui->packages->currentIndex();
    const QString currentName = current.isValid() ? m_packages->name(current.row()) : QString();
    m_packages->setStateFilter(static_cast<apps::StateFilter>(filter));
    select(selected, currentName);
    updateButtons();
    summarize();
}

std::vector<int> PhoneApps::selectedRows() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_ui->packages->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    // Ranges may overlap, and each row spans several columns.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QStringList PhoneApps::selectedNames() const {
    QStringList names;
    for (const int row : selectedRows()) {
        names.append(m_packages->name(row));
    }
    return names;
}

void PhoneApps::select(const QStringList& names, const QString& current) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        if (const int row = m_packages->rowOf(name); row >= 0) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    QItemSelection selection;
    const int lastColumn = PackageListModel::ColumnCount - 1;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] <= rows[last] + 1) {
            ++last;
        }
        selection.select(m_packages->index(rows[first], 0),
                         m_packages->index(rows[last], lastColumn));
        first = last + 1;
    }
    QItemSelectionModel& model = *m_ui->packages->selectionModel();
    model.select(selection, QItemSelectionModel::ClearAndSelect);
    if (const int row = current.isEmpty() ? -1 : m_packages->rowOf(current); row >= 0) {
        model.setCurrentIndex(m_packages->index(row, 0), QItemSelectionModel::NoUpdate);
    }
}

void PhoneApps::act(apps::PackageAction action, const QAbstractButton& button) {
    if (!listsChosenDevice()) {
        return;
    }
    QStringList names;
    int system = 0;
    for (const int row : selectedRows()) {
        names.append(m_packages->name(row));
        system += m_packages->isSystem(row) ? 1 : 0;
    }
    if (names.isEmpty()) {
        return;
    }
    const Origin origin = originOf(button);
    const bool risky =
        action == apps::PackageAction::Freeze || action == apps::PackageAction::RemoveForUser0;
    if (!risky || system == 0) {
        run(action, names, origin);
        return;
    }
    auto* risk =
        new SelectionRisk(m_app.messages(), action, static_cast<int>(names.size()), system, this);
    connect(risk, &SelectionRisk::confirmed, this, [this, action, names, origin] {
        // The dialog left the rest of the program open: the list may be another's by now.
        if (listsChosenDevice()) {
            run(action, names, origin);
        }
    });
    risk->open();
}

void PhoneApps::run(apps::PackageAction action, const QStringList& names, const Origin& origin) {
    // Each change goes to the phone the rows came from, and only there.
    const Target target =
        Target::one(QString::fromStdString(m_serial), m_app.devices().serverSocket());
    QList<PackageRuns::Run> runs;
    for (const QString& name : names) {
        m_acting.insert(name, action);
        m_ended.remove(name);
        m_packages->setNote(name, tr("正在执行……"));
        runs.append({name, apps::packageCommand(action, name).from(origin)});
    }
    m_ui->status->clear();
    m_runs->run(target, runs);
    updateButtons();
    summarize();
}

void PhoneApps::runEnded(const QString& name, const std::optional<RunEnd>& end) {
    const auto acting = m_acting.constFind(name);
    if (acting == m_acting.cend()) {
        return; // another device's, listed before
    }
    const apps::PackageAction action = *acting;
    m_acting.erase(acting);
    if (!end) {
        m_packages->setNote(name, tr("未能运行"));
        return;
    }
    m_ended.insert(name, {action, end->exitCode,
                          QString::fromStdString(apps::quotedLine(end->outputTail.toStdString()))});
    m_packages->setNote(name, tr("正在读取状态……"));
    m_states->read(m_serial, {name}, true);
}

void PhoneApps::stateRead(const PackageStateRead& read) {
    std::optional<apps::Standing> standing;
    if (read.state) {
        standing = apps::standingOf(*read.state);
        m_packages->setStanding(read.name, *standing);
    }
    const auto ended = m_ended.constFind(read.name);
    if (ended == m_ended.cend()) {
        return;
    }
    const Ended run = *ended;
    m_ended.erase(ended);
    QString note;
    switch (apps::outcomeOf(run.action, run.exitCode, standing)) {
    case apps::Outcome::Done:
        note = tr("完成");
        break;
    case apps::Outcome::Failed:
        note = run.said.isEmpty() ? tr("失败（退出码 %1）").arg(run.exitCode)
                                  : tr("失败：%1").arg(run.said);
        break;
    case apps::Outcome::NoEffect:
        note = run.said.isEmpty() ? tr("未生效：状态没有改变") : tr("未生效：%1").arg(run.said);
        break;
    case apps::Outcome::Unknown:
        note = tr("已运行，无法读取新状态：%1").arg(read.failure);
        break;
    }
    m_packages->setNote(read.name, note);
}

void PhoneApps::chooseExportFile() {
    const QStringList names = selectedNames();
    if (names.isEmpty()) {
        return;
    }
    auto* dialog =
        new QFileDialog(this, tr("导出所选"), QString(), tr("文本文件 (*.txt);;所有文件 (*)"));
    dialog->setObjectName(QStringLiteral("listFile"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    connect(dialog, &QFileDialog::fileSelected, this,
            [this, names](const QString& path) { exportTo(path, names); });
    dialog->open();
}

void PhoneApps::chooseListFile() {
    auto* dialog =
        new QFileDialog(this, tr("按列表选择"), QString(), tr("文本文件 (*.txt);;所有文件 (*)"));
    dialog->setObjectName(QStringLiteral("listFile"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, this, &PhoneApps::selectFrom);
    dialog->open();
}

void PhoneApps::exportTo(const QString& path, const QStringList& names) {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        list.push_back(name.toStdString());
    }
    const std::string text = apps::listFileText(list);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) < 0 || !file.commit()) {
        m_ui->status->setText(tr("无法导出到 %1：%2").arg(path, file.errorString()));
        return;
    }
    m_ui->status->setText(tr("已将 %1 个应用导出到 %2").arg(names.size()).arg(path));
}

void PhoneApps::selectFrom(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_ui->status->setText(tr("无法读取 %1：%2").arg(path, file.errorString()));
        return;
    }
    // Read up to one byte past the limit, to tell a file that is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(apps::kLargestListFile) + 1);
    if (bytes.size() > static_cast<qsizetype>(apps::kLargestListFile)) {
        m_ui->status->setText(tr("%1 超过 %2 MiB，不像应用列表，未读取。")
                                  .arg(path)
                                  .arg(apps::kLargestListFile >> 20));
        return;
    }
    const apps::ListFile list = apps::readListFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QStringList present;
    int absent = 0;
    for (const std::string& name : list.names) {
        const QString shown = QString::fromStdString(name);
        if (m_packages->holds(shown)) {
            present.append(shown);
        } else {
            ++absent;
        }
    }
    // Every row is shown, so that every package of the list can be selected.
    {
        const QSignalBlocker quiet(m_ui->filter);
        m_ui->filter->clear();
    }
    m_ui->allPackages->setChecked(true);
    m_packages->setTextFilter({});
    m_packages->setStateFilter(apps::StateFilter::All);
    select(present, present.isEmpty() ? QString() : present.first());
    if (!present.isEmpty()) {
        m_ui->packages->scrollTo(m_ui->packages->currentIndex());
    }
    QString said = tr("已按列表选择 %1 个应用。").arg(present.size());
    if (absent > 0) {
        said += tr("%1 个不在这部手机上。").arg(absent);
    }
    if (list.invalidLines > 0) {
        said += tr("%1 行不是有效的包名，已跳过。").arg(list.invalidLines);
    }
    m_ui->status->setText(said);
    updateButtons();
    summarize();
}

} // namespace kavu
