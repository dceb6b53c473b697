#include "shell/device_row.h"

#include "app/device_choice.h"
#include "devices/device_watch.h"
#include "platform/shown_text.h"

#include <QComboBox>
#include <QLabel>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>

namespace kavu {

namespace {

constexpr int kToldForMs = 6000;
// The row's explanation takes two lines beside and below the drop-down.
constexpr int kExplanationLines = 2;
// Marks the drop-down's "全部设备", "已选 N 台设备" and "选择设备…" entries.
constexpr int kEntryRole = Qt::UserRole + 1;
enum class Entry { Phone, Every, Chosen, Pick };

} // namespace

DeviceRow::DeviceRow(QComboBox& list, QLabel& explanation, DeviceWatch& watch, DeviceChoice& choice,
                     QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_explanation(explanation)
    , m_watch(watch)
    , m_choice(choice)
    , m_toldFor(new QTimer(this)) {
    m_toldFor->setSingleShot(true);
    m_toldFor->setInterval(kToldForMs);
    connect(m_toldFor, &QTimer::timeout, this, &DeviceRow::explain);
    m_list.setPlaceholderText(tr("请选择设备"));
    // The explanation quotes what the adb server sent (a state word, a serial): data, never markup.
    m_explanation.setTextFormat(Qt::PlainText);
    // The choice hears of every change of the lists it follows (the adb server's and fastboot's).
    connect(&m_choice, &DeviceChoice::listed, this, &DeviceRow::refresh);
    connect(&m_choice, &DeviceChoice::changed, this, &DeviceRow::refresh);
    connect(&m_list, &QComboBox::activated, this, &DeviceRow::pick);
}

void DeviceRow::refresh() {
    const devices::Snapshot& snapshot = m_watch.snapshot();
    const QStringList fastboot = m_choice.fastbootSerials();
    const std::size_t ready =
        devices::readySerials(snapshot.devices).size() + static_cast<std::size_t>(fastboot.size());
    const Target::Kind kind = m_choice.kind();
    const std::optional<QString> chosen = m_choice.serial();
    const auto addEntry = [this](const QString& text, Entry entry, const QString& serial = {}) {
        m_list.addItem(text, serial.isEmpty() ? QVariant() : QVariant(serial));
        m_list.setItemData(m_list.count() - 1, static_cast<int>(entry), kEntryRole);
    };
    m_list.clear();
    bool chosenListed = false;
    int usable = 0;
    for (const adb::ListedDevice& device : snapshot.devices) {
        const QString text = QString::fromStdString(devices::itemText(device, translatedText));
        if (!devices::isUsableSerial(device.serial)) {
            // Listed so the user sees it, never chosen: it carries no serial and cannot be picked.
            m_list.addItem(text);
            if (auto* items = qobject_cast<QStandardItemModel*>(m_list.model())) {
                items->item(m_list.count() - 1)->setEnabled(false);
            }
            continue;
        }
        ++usable;
        const QString serial = QString::fromStdString(device.serial);
        addEntry(text, Entry::Phone, serial);
        if (chosen == serial) {
            m_list.setCurrentIndex(m_list.count() - 1);
            chosenListed = true;
        }
    }
    for (const QString& serial : fastboot) {
        ++usable;
        addEntry(tr("%1（Fastboot）").arg(serial), Entry::Phone, serial);
        if (chosen == serial && !chosenListed) {
            m_list.setCurrentIndex(m_list.count() - 1);
            chosenListed = true;
        }
    }
    // The chosen device stays in the list while it is away, so the user sees where the consoles
    // go and can pick another.
    if (chosen && !chosenListed) {
        addEntry(QString::fromStdString(
                     devices::departedItemText(chosen->toStdString(), translatedText)),
                 Entry::Phone, *chosen);
        m_list.setCurrentIndex(m_list.count() - 1);
    }
    if (kind == Target::Kind::Chosen) {
        addEntry(tr("已选 %1 台设备").arg(m_choice.chosen().size()), Entry::Chosen);
        m_list.setCurrentIndex(m_list.count() - 1);
    }
    if (usable >= 2 || kind == Target::Kind::Chosen) {
        addEntry(tr("选择设备…"), Entry::Pick);
    }
    // "全部设备" comes last (End picks it); it is offered with two ready phones, and stays while
    // chosen, whatever comes and goes.
    if (ready >= 2 || kind == Target::Kind::Every) {
        addEntry(QString::fromStdString(devices::everyDeviceItemText(ready, translatedText)),
                 Entry::Every);
        if (kind == Target::Kind::Every) {
            m_list.setCurrentIndex(m_list.count() - 1);
        }
    }
    if (kind == Target::Kind::None) {
        m_list.setCurrentIndex(-1);
    }
    m_list.setEnabled(m_list.count() > 1);
    // What the row was told stays its few seconds.
    if (!m_toldFor->isActive()) {
        explain();
    }
}

void DeviceRow::pick(int index) {
    switch (static_cast<Entry>(m_list.itemData(index, kEntryRole).toInt())) {
    case Entry::Every:
        m_choice.chooseEvery();
        break;
    case Entry::Chosen:
        return;
    case Entry::Pick:
        // The drop-down shows the choice again until the picking is done.
        refresh();
        emit pickWanted();
        return;
    case Entry::Phone:
        if (const QVariant serial = m_list.itemData(index); serial.isValid()) {
            m_choice.chooseOne(serial.toString());
            break;
        }
        return;
    }
    m_toldFor->stop();
    explain();
}

void DeviceRow::tell(const QString& text) {
    show(text);
    m_toldFor->start();
}

namespace {

// The lines text takes at width in font, broken as wrap allows.
QList<QTextLine> laidOut(QTextLayout& layout, int width, QTextOption::WrapMode wrap) {
    QTextOption option;
    option.setWrapMode(wrap);
    layout.setTextOption(option);
    QList<QTextLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << line;
    }
    layout.endLayout();
    return lines;
}

} // namespace

QString fittedText(const QString& text, const QFont& font, int width, int lines) {
    // As the label wraps it, at its words, when that fits.
    QTextLayout byWords(text, font);
    const QList<QTextLine> wrapped = laidOut(byWords, width, QTextOption::WordWrap);
    if (wrapped.size() <= lines && std::ranges::all_of(wrapped, [width](const QTextLine& line) {
            return line.naturalTextWidth() <= width;
        })) {
        return text;
    }
    // Else broken by hand, inside a word where it must, the rest on the last line.
    QTextLayout anywhere(text, font);
    const QList<QTextLine> broken =
        laidOut(anywhere, width, QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList shown;
    for (const QTextLine& line : broken) {
        if (shown.size() == lines - 1) {
            shown << QFontMetrics(font).elidedText(text.mid(line.textStart()).trimmed(),
                                                   Qt::ElideRight, width);
            break;
        }
        shown << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    return shown.join(u'\n');
}

void DeviceRow::show(const QString& text) {
    // Every explanation fits the row's lines whole; a longer text (many phones skipped, a long
    // serial, what adb said) ends in an ellipsis there and stays whole in the tool tip. Tool tips
    // take markup where they see some; this one is escaped.
    const int width = m_explanation.contentsRect().width() - std::max(m_explanation.indent(), 0);
    m_explanation.setText(fittedText(text, m_explanation.font(), width, kExplanationLines));
    m_explanation.setToolTip(Qt::convertFromPlainText(text));
}

void DeviceRow::explain() {
    if (m_choice.kind() == Target::Kind::Chosen) {
        show(chosenExplanation());
        return;
    }
    const std::optional<QString> serial = m_choice.serial();
    const QString text = QString::fromStdString(
        m_choice.kind() == Target::Kind::Every
            ? devices::everyDeviceExplanation(m_watch.snapshot(), translatedText)
            : devices::explanation(m_watch.snapshot(),
                                   serial ? std::optional<std::string>(serial->toStdString())
                                          : std::nullopt,
                                   translatedText));
    // "全部设备" counts the phones in fastboot mode too: fastboot lines go to them.
    const qsizetype inFastboot = m_choice.fastbootSerials().size();
    if (m_choice.kind() == Target::Kind::Every && inFastboot > 0) {
        show(tr("%1 另有 %2 台在 Fastboot 模式，接收 fastboot 命令。").arg(text).arg(inFastboot));
        return;
    }
    show(text);
}

QString DeviceRow::chosenExplanation() const {
    const QStringList& chosen = m_choice.chosen();
    QStringList away;
    for (const QString& serial : chosen) {
        const std::optional<QString> why = m_choice.whyNotReady(serial, launch::Tool::Adb);
        if (why && m_choice.whyNotReady(serial, launch::Tool::Fastboot)) {
            away << tr("%1（%2）").arg(serial, *why);
        }
    }
    const QString text = tr("命令将在选中的 %1 台设备上运行").arg(chosen.size());
    return away.isEmpty() ? text + tr("。") : tr("%1；跳过：").arg(text) + away.join(tr("、"));
}

} // namespace kavu
