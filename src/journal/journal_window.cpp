#include "journal/journal_window.h"

#include "ui_journal_window.h"

#include "app/app.h"
#include "journal/journal.h"
#include "journal/reversal.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QSaveFile>

namespace kavu::journal {

namespace {

QString reversalText(const Entry& entry, const QList<Entry>& all) {
    if (isUndone(entry, all)) {
        return QCoreApplication::translate("kavu::journal::JournalWindow", "已撤销");
    }
    // A line run with no phone chosen went wherever adb took it: its undo could go anywhere.
    const bool reversing = entry.reversal.state == Reversal::State::Reversible ||
                           entry.reversal.state == Reversal::State::OldValueUnknown;
    if (!entry.serial && reversing && !entry.reversal.command.isEmpty()) {
        return QCoreApplication::translate("kavu::journal::JournalWindow",
                                           "不可撤销（未指定设备）");
    }
    switch (entry.reversal.state) {
    case Reversal::State::Reversible:
        return QCoreApplication::translate("kavu::journal::JournalWindow", "可撤销（恢复为 %1）")
            .arg(shownRestores(entry.reversal.restores));
    case Reversal::State::OldValueUnknown:
        return entry.reversal.command.isEmpty()
                   ? QCoreApplication::translate("kavu::journal::JournalWindow", "原值未知")
                   : QCoreApplication::translate("kavu::journal::JournalWindow",
                                                 "原值未知（可重置为默认）");
    case Reversal::State::Unchanged:
        return QCoreApplication::translate("kavu::journal::JournalWindow", "无需撤销");
    case Reversal::State::Irreversible:
        break;
    }
    return QCoreApplication::translate("kavu::journal::JournalWindow", "不可撤销");
}

QString resultText(const Entry& entry) {
    if (entry.mode != launch::WindowMode::Hidden) {
        return QCoreApplication::translate("kavu::journal::JournalWindow", "在控制台中运行");
    }
    if (!entry.exitCode) {
        return QCoreApplication::translate("kavu::journal::JournalWindow", "运行中或结果未知");
    }
    return *entry.exitCode == 0
               ? QCoreApplication::translate("kavu::journal::JournalWindow", "成功")
               : QCoreApplication::translate("kavu::journal::JournalWindow", "失败（退出码 %1）")
                     .arg(*entry.exitCode);
}

} // namespace

EntryText entryText(const Entry& entry, const QList<Entry>& all) {
    const std::optional<QStringList> phone = phoneCommandOf(entry.line);
    QString what = phone ? phone->join(u' ') : entry.line;
    if (entry.undoes) {
        what = QCoreApplication::translate("kavu::journal::JournalWindow", "撤销：") + what;
    }
    QString source = entry.window;
    if (!entry.control.isEmpty()) {
        source += (source.isEmpty() ? QString() : QStringLiteral(" / ")) + entry.control;
    }
    if (!source.isEmpty()) {
        what = source + QCoreApplication::translate("kavu::journal::JournalWindow", "：") + what;
    }
    return {entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), what, resultText(entry),
            reversalText(entry, all)};
}

QString journalText(const std::optional<QString>& serial, const QList<Entry>& entries) {
    QString text =
        QCoreApplication::translate("kavu::journal::JournalWindow", "Kavu 操作记录：%1\n\n")
            .arg(serial
                     ? *serial
                     : QCoreApplication::translate("kavu::journal::JournalWindow", "未选择设备"));
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        const EntryText shown = entryText(*entry, entries);
        text += QStringLiteral("%1\t%2\t%3\t%4\n    %5\n")
                    .arg(shown.time, shown.what, shown.result, shown.reversal, entry->line);
        if (!entry->output.isEmpty()) {
            text += QCoreApplication::translate("kavu::journal::JournalWindow", "    输出：") +
                    entry->output.trimmed() + u'\n';
        }
    }
    return text;
}

JournalWindow::JournalWindow(App& app, Journal& journal)
    : m_app(app)
    , m_journal(journal)
    , m_ui(std::make_unique<Ui::JournalWindow>()) {
    m_ui->setupUi(this);
    m_ui->confirmation->setVisible(false);
    connect(&m_journal, &Journal::written, this, &JournalWindow::refresh);
    connect(&m_journal, &Journal::notice, m_ui->status, &QLabel::setText);
    connect(m_ui->entries, &QTreeWidget::itemSelectionChanged, this, &JournalWindow::showSelected);
    connect(m_ui->undoSelected, &QPushButton::clicked, this, &JournalWindow::undoSelected);
    connect(m_ui->undoSession, &QPushButton::clicked, this, &JournalWindow::askUndoSession);
    connect(m_ui->confirmUndo, &QPushButton::clicked, this, &JournalWindow::undoSession);
    connect(m_ui->cancelUndo, &QPushButton::clicked, m_ui->confirmation, &QWidget::hide);
    connect(m_ui->exportText, &QPushButton::clicked, this, &JournalWindow::chooseExportFile);
    refresh();
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::refresh() {
    m_serial = m_journal.chosenDevice();
    const JournalRead read = m_journal.read(m_serial);
    m_entries = read.entries;
    QString device =
        m_serial ? tr("设备：%1").arg(*m_serial) : tr("未选择设备：显示未指定设备时运行的命令");
    if (!read.error.isEmpty()) {
        device += tr("（无法读取操作记录：%1）").arg(read.error);
    }
    m_ui->device->setText(device);
    m_ui->entries->clear();
    // Newest first; each row keeps its entry's place in m_entries.
    for (qsizetype at = m_entries.size() - 1; at >= 0; --at) {
        const EntryText shown = entryText(m_entries.at(at), m_entries);
        auto* row = new QTreeWidgetItem(
            m_ui->entries, QStringList{shown.time, shown.what, shown.result, shown.reversal});
        row->setData(0, Qt::UserRole, at);
    }
    for (int column = 0; column < m_ui->entries->columnCount(); ++column) {
        m_ui->entries->resizeColumnToContents(column);
    }
}

void JournalWindow::showSelected() {
    const QList<QTreeWidgetItem*> rows = m_ui->entries->selectedItems();
    if (rows.isEmpty()) {
        m_ui->output->clear();
        return;
    }
    const Entry& entry = m_entries.at(rows.constFirst()->data(0, Qt::UserRole).toInt());
    QString text = entry.line;
    if (!entry.output.isEmpty()) {
        text += QStringLiteral("\n\n") + entry.output;
    }
    m_ui->output->setPlainText(text);
}

void JournalWindow::undoSelected() {
    QList<qsizetype> places;
    for (const QTreeWidgetItem* row : m_ui->entries->selectedItems()) {
        places.append(row->data(0, Qt::UserRole).toInt());
    }
    std::sort(places.begin(), places.end());
    QList<Entry> chosen;
    for (const qsizetype at : places) {
        chosen.append(m_entries.at(at));
    }
    m_journal.undo(chosen, m_entries);
}

QList<Entry> JournalWindow::sessionChanges() const {
    QList<Entry> changes;
    for (const Entry& entry : m_entries) {
        // Undoing the session takes back changes, not the undos among them.
        if (entry.id.session == m_journal.session() && !entry.undoes && canUndo(entry, m_entries)) {
            changes.append(entry);
        }
    }
    return changes;
}

void JournalWindow::askUndoSession() {
    const qsizetype count = sessionChanges().size();
    if (count == 0) {
        m_ui->status->setText(tr("本次启动以来没有可以撤销的更改。"));
        return;
    }
    m_ui->confirmText->setText(tr("撤销本次启动以来的 %1 项更改？").arg(count));
    m_ui->confirmation->setVisible(true);
}

void JournalWindow::undoSession() {
    m_ui->confirmation->setVisible(false);
    m_journal.undo(sessionChanges(), m_entries);
}

void JournalWindow::chooseExportFile() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("导出操作记录"), QString(), tr("文本文件 (*.txt)"));
    if (!path.isEmpty()) {
        exportTo(path);
    }
}

bool JournalWindow::exportTo(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(journalText(m_serial, m_entries).toUtf8()) < 0 || !file.commit()) {
        m_ui->status->setText(tr("无法导出到 %1：%2").arg(path, file.errorString()));
        return false;
    }
    m_ui->status->setText(tr("已导出到 %1").arg(path));
    return true;
}

} // namespace kavu::journal
