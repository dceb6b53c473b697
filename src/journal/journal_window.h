#pragma once

#include "journal/journal_reader.h"

#include <QWidget>

#include <memory>

namespace Ui {
class JournalWindow;
}

namespace kavu {

class App;

namespace journal {

class Journal;

// The words the journal window shows for an entry.
struct EntryText {
    QString time;
    QString what;
    QString result;
    QString reversal;
};
EntryText entryText(const Entry& entry, const QList<Entry>& all);
// The journal as plain text, newest first, for export.
QString journalText(const std::optional<QString>& serial, const QList<Entry>& entries);

// The chosen device's journal, newest first: when, what, how it ended, whether it can be taken
// back. "撤销所选" takes back the selected entries, "撤销本次全部" (after a confirmation in the
// window that names the count) every change made since the program started; the selected entry's
// line and output show below. The journal can be saved as text.
class JournalWindow final : public QWidget {
    Q_OBJECT

public:
    JournalWindow(App& app, Journal& journal);
    ~JournalWindow() override;

    // Reads the chosen device's journal again.
    void refresh();
    // Writes the journal shown as text into the file; false, with why in the window, on failure.
    bool exportTo(const QString& path);

private:
    void showSelected();
    void undoSelected();
    void askUndoSession();
    void undoSession();
    void chooseExportFile();
    QList<Entry> sessionChanges() const;

    App& m_app;
    Journal& m_journal;
    std::unique_ptr<Ui::JournalWindow> m_ui;
    std::optional<QString> m_serial;
    QList<Entry> m_entries;
};

} // namespace journal
} // namespace kavu
