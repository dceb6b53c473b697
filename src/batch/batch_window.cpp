#include "batch/batch_window.h"

#include "ui_batch_window.h"

#include "app/app.h"
#include "app/batch_runner.h"
#include "app/placement.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QSaveFile>
#include <QTimer>

namespace kavu {

BatchRowsModel::BatchRowsModel(const BatchRunner& runner, QObject* parent)
    : QAbstractTableModel(parent)
    , m_runner(runner) {}

const Batch* BatchRowsModel::batch() const {
    for (const Batch& batch : m_runner.batches()) {
        if (batch.id == m_batchId) {
            return &batch;
        }
    }
    return nullptr;
}

void BatchRowsModel::show(int batchId) {
    beginResetModel();
    m_batchId = batchId;
    const Batch* shown = batch();
    m_rows = shown != nullptr ? static_cast<int>(shown->rows.size()) : 0;
    endResetModel();
}

void BatchRowsModel::refresh() {
    const Batch* shown = batch();
    const int rows = shown != nullptr ? static_cast<int>(shown->rows.size()) : 0;
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        show(shown != nullptr ? m_batchId : 0);
        return;
    }
    if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1), {Qt::DisplayRole});
    }
}

int BatchRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int BatchRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchRowsModel::data(const QModelIndex& index, int role) const {
    const Batch* shown = batch();
    if (role != Qt::DisplayRole || shown == nullptr || index.row() >= m_rows ||
        static_cast<std::size_t>(index.row()) >= shown->rows.size()) {
        return {};
    }
    const BatchRow& row = shown->rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case Serial:
        return row.serial;
    case Model:
        return row.model;
    case State:
        return row.state;
    case Line:
        return row.line;
    case Result:
        return statusText(row);
    case LastOutput:
        return row.lastOutputLine;
    default:
        return {};
    }
}

QVariant BatchRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case Serial:
        return tr("设备");
    case Model:
        return tr("型号");
    case State:
        return tr("状态");
    case Line:
        return tr("命令");
    case Result:
        return tr("结果");
    case LastOutput:
        return tr("最后输出");
    default:
        return {};
    }
}

BatchWindow::BatchWindow(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_runner(app.console().batches())
    , m_ui(std::make_unique<Ui::BatchWindow>())
    , m_rows(new BatchRowsModel(m_runner, this))
    , m_refresh(new QTimer(this)) {
    m_ui->setupUi(this);
    m_ui->Rows->setModel(m_rows);
    m_ui->Rows->verticalHeader()->setVisible(false);
    QHeaderView* header = m_ui->Rows->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(BatchRowsModel::LastOutput, QHeaderView::Stretch);
    m_ui->Limit->setRange(1, BatchRunner::kMostLimit);
    m_ui->Limit->setValue(m_runner.limit());
    m_ui->Consoles->setChecked(m_runner.consoles());
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(kRefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &BatchWindow::refresh);
    connect(&m_runner, &BatchRunner::changed, this, &BatchWindow::changed);
    connect(&m_runner, &BatchRunner::opened, this, &BatchWindow::showBatch);
    connect(m_ui->Rows->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_outputShown = -1;
        showOutput();
    });
    connect(m_ui->RetryFailed, &QPushButton::clicked, this,
            [this] { m_runner.retryFailed(m_rows->batchId()); });
    connect(m_ui->Stop, &QPushButton::clicked, &m_runner, &BatchRunner::stop);
    connect(m_ui->Export, &QPushButton::clicked, this, &BatchWindow::chooseExportFile);
    connect(m_ui->Limit, &QSpinBox::valueChanged, &m_runner, &BatchRunner::setLimit);
    connect(m_ui->Consoles, &QCheckBox::toggled, this,
            [this](bool consoles) { m_runner.setConsoles(consoles); });
    showBatch(m_runner.latest() != nullptr ? m_runner.latest()->id : 0);
    centreOnScreen(*this);
}

BatchWindow::~BatchWindow() = default;

void BatchWindow::showBatch(int batchId) {
    m_rows->show(batchId);
    m_outputShown = -1;
    refresh();
}

void BatchWindow::changed() {
    if (!m_refresh->isActive()) {
        m_refresh->start();
    }
}

void BatchWindow::refresh() {
    ++m_refreshes;
    m_rows->refresh();
    const Batch* batch = m_rows->batch();
    setWindowTitle(batch != nullptr ? tr("批量运行 — %1").arg(countsText(*batch)) : tr("批量运行"));
    m_ui->RetryFailed->setEnabled(batch != nullptr);
    m_ui->Export->setEnabled(batch != nullptr);
    showOutput();
}

void BatchWindow::showOutput() {
    const Batch* batch = m_rows->batch();
    const int row = m_ui->Rows->currentIndex().row();
    if (batch == nullptr || row < 0 || static_cast<std::size_t>(row) >= batch->rows.size()) {
        if (m_outputShown != 0) {
            m_ui->Output->clear();
            m_outputShown = 0;
        }
        return;
    }
    const QByteArray& output = batch->rows[static_cast<std::size_t>(row)].output;
    if (output.size() != m_outputShown) {
        // What the phone wrote is data: shown as plain text.
        m_ui->Output->setPlainText(QString::fromUtf8(output));
        m_outputShown = output.size();
    }
}

void BatchWindow::chooseExportFile() {
    auto* dialog = new QFileDialog(this, tr("导出批量运行结果"), QString(),
                                   tr("CSV 文件 (*.csv);;所有文件 (*)"));
    dialog->setObjectName(QStringLiteral("exportFile"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    connect(dialog, &QFileDialog::fileSelected, this, &BatchWindow::exportTo);
    dialog->open();
}

bool BatchWindow::exportTo(const QString& path) {
    const Batch* batch = m_rows->batch();
    if (batch == nullptr) {
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(batchCsv(*batch)) >= 0 && file.commit()) {
        return true;
    }
    m_app.messages().show(
        tr("无法写入 %1：%2").arg(QDir::toNativeSeparators(path), file.errorString()), QString(),
        MessageIcon::Critical);
    return false;
}

} // namespace kavu
