#pragma once

#include "journal/journal_reader.h"
#include "journal/undone_index.h"

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
EntryText entryText(const Entry& entry, const UndoneIndex& undone);
// The line as started, without the interpreter's prefix ("cmd /c ", "cmd /k ").
QString withoutInterpreter(const QString& line);
// The journal as plain text, newest first, for export.
QString journalText(const std::optional<QString>& serial, const QList<Entry>& entries);

// The chosen device's journal, newest first: when, what, how it ended, whether it can be taken
// back, in columns that fit the window (a long text is cut short there and shown whole in its
// tool tip and, for the selected entry, below with its line and output). "撤销所选" takes back
// the selected entries, "撤销本次全部" (after a confirmation in the window that names the count)
// every change made since the program started; "停止撤销" stops an undo under way. The journal
// can be saved as text. The window follows the journal: each write, another phone chosen, or
// the window brought to the front reads what was appended since the last read.
class JournalWindow final : public QWidget {
    Q_OBJECT

public:
    JournalWindow(App& app, Journal& journal);
    ~JournalWindow() override;

    // Reads what the chosen device's journal gained since the last read (all of it for another
    // device).
    void refresh();
    // Writes the journal shown as text into the file; false, with why in the window, on failure.
    bool exportTo(const QString& path);

protected:
    void changeEvent(QEvent* event) override;

private:
    void rebuild();
    void showUndoing(bool undoing);
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
    JournalFollower m_journalRead;
    UndoneIndex m_undone;
};

} // namespace journal
} // namespace kavu
