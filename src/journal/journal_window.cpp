#include "journal/journal_window.h"

#include "ui_journal_window.h"

#include "app/app.h"
#include "journal/journal.h"
#include "journal/reversal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>

namespace kavu::journal {

namespace {

enum Column { kTime, kWhat, kResult, kReversal };

// A tool tip shows this much of a text at most.
constexpr qsizetype kLongestTip = 2000;
// Room around a cell's text.
constexpr int kCellMargin = 16;

QString reversalText(const Entry& entry, const UndoneIndex& undone) {
    if (undone.contains(entry.id)) {
        return QCoreApplication::translate("kavu::journal::JournalWindow", "已撤销");
    }
    // A hidden run that failed, or a line that never started, changed nothing: there is nothing
    // to take back.
    if (entry.exitCode.value_or(0) != 0 || entry.notStarted) {
        return QCoreApplication::translate("kavu::journal::JournalWindow", "无需撤销（命令失败）");
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
    if (entry.notStarted) {
        return QCoreApplication::translate("kavu::journal::JournalWindow", "未启动");
    }
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

QString whatText(const Entry& entry);

QString timeText(const Entry& entry) {
    return entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The text of one column for the entry: only that one is made.
QString columnText(const Entry& entry, const UndoneIndex& undone, int column) {
    switch (column) {
    case kTime:
        return timeText(entry);
    case kWhat:
        return whatText(entry);
    case kResult:
        return resultText(entry);
    case kReversal:
        return reversalText(entry, undone);
    default:
        return {};
    }
}

// One entry's row. Its texts are made when the view asks for them (the rows on screen), so that
// a journal of any length costs one small item a row, and a row shows its entry as it is now.
class EntryRow final : public QTreeWidgetItem {
public:
    EntryRow(const JournalFollower& journal, const UndoneIndex& undone, qsizetype at)
        : QTreeWidgetItem(UserType)
        , m_journal(journal)
        , m_undone(undone)
        , m_at(at) {}

    qsizetype at() const { return m_at; }
    // Its entry has changed: the view asks again.
    void changed() { emitDataChanged(); }

    QVariant data(int column, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
            return QTreeWidgetItem::data(column, role);
        }
        const QString text = columnText(m_journal.journal().entries.at(m_at), m_undone, column);
        if (role == Qt::DisplayRole) {
            return text;
        }
        // Always plain text, whatever the journal holds.
        return Qt::convertFromPlainText(text.size() > kLongestTip ? text.left(kLongestTip) + u'…'
                                                                  : text);
    }

private:
    const JournalFollower& m_journal;
    const UndoneIndex& m_undone;
    qsizetype m_at;
};

} // namespace

QString withoutInterpreter(const QString& line) {
    for (const QStringView prefix : {u"cmd /k  ", u"cmd /c ", u"cmd /k "}) {
        if (line.startsWith(prefix)) {
            return line.sliced(prefix.size());
        }
    }
    return line;
}

namespace {

QString whatText(const Entry& entry) {
    QString what = withoutInterpreter(entry.line);
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
    return what;
}

} // namespace

EntryText entryText(const Entry& entry, const UndoneIndex& undone) {
    return {timeText(entry), whatText(entry), resultText(entry), reversalText(entry, undone)};
}

QString journalText(const std::optional<QString>& serial, const QList<Entry>& entries) {
    QString text =
        QCoreApplication::translate("kavu::journal::JournalWindow", "Kavu 操作记录：%1\n\n")
            .arg(serial
                     ? *serial
                     : QCoreApplication::translate("kavu::journal::JournalWindow", "未选择设备"));
    const UndoneIndex undone(entries);
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        const EntryText shown = entryText(*entry, undone);
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
    // The time, result and undo columns are as wide as their longest usual words (in the language
    // shown), the line takes the rest; a longer text is cut short in its cell.
    QHeaderView* header = m_ui->entries->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kWhat, QHeaderView::Stretch);
    const QFontMetrics metrics = m_ui->entries->fontMetrics();
    const auto widest = [&metrics, this](const QStringList& texts) {
        int width = 0;
        for (const QString& text : texts) {
            width = std::max(width, metrics.horizontalAdvance(text) + kCellMargin);
        }
        return std::min(width, m_ui->entries->width() / 4);
    };
    header->resizeSection(kTime, widest({QStringLiteral("0000-00-00 00:00:00")}));
    header->resizeSection(kResult, widest({tr("失败（退出码 %1）").arg(255), tr("在控制台中运行"),
                                           tr("运行中或结果未知")}));
    header->resizeSection(kReversal,
                          widest({tr("不可撤销（未指定设备）"), tr("原值未知（可重置为默认）"),
                                  tr("无需撤销（命令失败）")}));
    connect(&m_journal, &Journal::written, this, &JournalWindow::refresh);
    connect(&m_journal, &Journal::notice, m_ui->status, &QLabel::setText);
    connect(&m_journal, &Journal::undoingChanged, this, &JournalWindow::showUndoing);
    connect(&m_app.devices(), &DeviceChoice::changed, this, &JournalWindow::refresh);
    connect(m_ui->entries, &QTreeWidget::itemSelectionChanged, this, &JournalWindow::showSelected);
    connect(m_ui->undoSelected, &QPushButton::clicked, this, &JournalWindow::undoSelected);
    connect(m_ui->undoSession, &QPushButton::clicked, this, &JournalWindow::askUndoSession);
    connect(m_ui->confirmUndo, &QPushButton::clicked, this, &JournalWindow::undoSession);
    connect(m_ui->cancelUndo, &QPushButton::clicked, m_ui->confirmation, &QWidget::hide);
    connect(m_ui->stopUndo, &QPushButton::clicked, &m_journal, &Journal::cancelUndo);
    connect(m_ui->exportText, &QPushButton::clicked, this, &JournalWindow::chooseExportFile);
    showUndoing(m_journal.undoing());
    refresh();
}

JournalWindow::~JournalWindow() {
    // The rows read the journal held here, which goes before the widgets do.
    m_ui->entries->clear();
}

void JournalWindow::changeEvent(QEvent* event) {
    // Brought to the front (opened again, or clicked): the journal may have grown meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        refresh();
    }
    QWidget::changeEvent(event);
}

void JournalWindow::refresh() {
    const std::optional<QString> serial = m_journal.chosenDevice();
    if (serial != m_serial) {
        m_serial = serial;
        m_journalRead.clear();
    }
    const JournalGrowth growth = m_journalRead.follow(m_journal.pathFor(m_serial));
    const JournalRead& read = m_journalRead.journal();
    if (growth.fromStart) {
        rebuild();
    } else {
        const QList<Entry>& entries = read.entries;
        QList<QTreeWidgetItem*> rows;
        for (qsizetype at = entries.size() - 1; at >= growth.firstNew; --at) {
            rows.append(new EntryRow(m_journalRead, m_undone, at));
        }
        m_ui->entries->insertTopLevelItems(0, rows);
        // Rows read before show what changed for them: their run ended, or an undo of them did.
        QList<qsizetype> changed = growth.ended;
        for (const qsizetype at : growth.ended) {
            if (const std::optional<EntryId> undone = m_undone.add(entries.at(at))) {
                changed.append(m_journalRead.positionOf(*undone));
            }
        }
        for (qsizetype at = growth.firstNew; at < entries.size(); ++at) {
            if (const std::optional<EntryId> undone = m_undone.add(entries.at(at))) {
                changed.append(m_journalRead.positionOf(*undone));
            }
        }
        const int count = m_ui->entries->topLevelItemCount();
        for (const qsizetype at : std::as_const(changed)) {
            if (at >= 0 && at < growth.firstNew) {
                static_cast<EntryRow*>(m_ui->entries->topLevelItem(count - 1 - int(at)))->changed();
            }
        }
    }
    QString device =
        m_serial ? tr("设备：%1").arg(*m_serial) : tr("未选择设备：显示未指定设备时运行的命令");
    if (!read.error.isEmpty()) {
        device += tr("（无法读取操作记录：%1）").arg(read.error);
    }
    if (read.unreadableLines > 0) {
        device += tr("（%1 行无法读取，已跳过）").arg(read.unreadableLines);
    }
    if (read.tornLastLine) {
        device += tr("（最后一行不完整，已跳过）");
    }
    m_ui->device->setText(device);
    showSelected();
}

void JournalWindow::rebuild() {
    const QList<Entry>& entries = m_journalRead.journal().entries;
    m_undone = UndoneIndex(entries);
    m_ui->entries->clear();
    // Newest first; each row keeps its entry's place in the journal.
    QList<QTreeWidgetItem*> rows;
    rows.reserve(entries.size());
    for (qsizetype at = entries.size() - 1; at >= 0; --at) {
        rows.append(new EntryRow(m_journalRead, m_undone, at));
    }
    m_ui->entries->addTopLevelItems(rows);
}

void JournalWindow::showUndoing(bool undoing) {
    m_ui->stopUndo->setVisible(undoing);
    m_ui->undoSelected->setEnabled(!undoing);
    m_ui->undoSession->setEnabled(!undoing);
    if (undoing) {
        m_ui->confirmation->hide();
    }
}

void JournalWindow::showSelected() {
    const QList<QTreeWidgetItem*> rows = m_ui->entries->selectedItems();
    if (rows.isEmpty()) {
        m_ui->output->clear();
        return;
    }
    const Entry& entry =
        m_journalRead.journal().entries.at(static_cast<EntryRow*>(rows.constFirst())->at());
    const EntryText shown = entryText(entry, m_undone);
    QString text = shown.what + u'\n' + shown.time + u' ' + shown.result + u' ' + shown.reversal +
                   QStringLiteral("\n\n") + entry.line;
    if (!entry.output.isEmpty()) {
        text += QStringLiteral("\n\n") + entry.output;
    }
    // A write to the journal leaves the box as the user scrolled it when its entry is unchanged.
    if (m_ui->output->toPlainText() != text) {
        m_ui->output->setPlainText(text);
    }
}

void JournalWindow::undoSelected() {
    QList<qsizetype> places;
    for (const QTreeWidgetItem* row : m_ui->entries->selectedItems()) {
        places.append(static_cast<const EntryRow*>(row)->at());
    }
    std::sort(places.begin(), places.end());
    const QList<Entry>& entries = m_journalRead.journal().entries;
    QList<Entry> chosen;
    for (const qsizetype at : places) {
        // What the index says cannot be taken back is not handed on.
        if (canUndo(entries.at(at), m_undone)) {
            chosen.append(entries.at(at));
        }
    }
    m_journal.undo(chosen, entries);
}

QList<Entry> JournalWindow::sessionChanges() const {
    QList<Entry> changes;
    for (const Entry& entry : m_journalRead.journal().entries) {
        // Undoing the session takes back changes, not the undos among them.
        if (entry.id.session == m_journal.session() && !entry.undoes && canUndo(entry, m_undone)) {
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
    m_journal.undo(sessionChanges(), m_journalRead.journal().entries);
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
        file.write(journalText(m_serial, m_journalRead.journal().entries).toUtf8()) < 0 ||
        !file.commit()) {
        m_ui->status->setText(tr("无法导出到 %1：%2").arg(path, file.errorString()));
        return false;
    }
    m_ui->status->setText(tr("已导出到 %1").arg(path));
    return true;
}

} // namespace kavu::journal
