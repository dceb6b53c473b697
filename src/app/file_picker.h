#pragma once

#include "app/text_layout.h"

#include <QObject>
#include <QString>

#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kavu {

class App;
class ClickLabel;

// Lays the refresh link over the run of blanks in its instruction line and the folder link after
// its text (all in one parent).
void placeInstructionLinks(QLabel& instruction, QLabel& link, QLabel& folderLink);

// How a picked file's name is used besides its full path in double quotes.
enum class PickedName {
    InPathOnly,
    AlsoBare, // in a console title, bare
};

// Which side of its window the list is on, as the message for "nothing picked yet" names it.
enum class ListSide { Left, Right };

// Whether a picked file can go into a command: its path in double quotes and, where the name also
// stands bare, its name.
bool isSpliceablePickedFile(const QString& path, PickedName name);

// The File folder list a window picks a file from: the plain files that match a filter, in a
// monospaced face, refreshed by a link laid over the blank run of the instruction line, and opened
// in the file manager by a link after that line's text. The picked
// file's full path is kept as the caption of a hidden label; the label's design caption means that
// nothing is picked yet. Refreshing or changing the filter keeps the pick. A folder that cannot be
// listed is named, with the reason, as the list's one entry, which cannot be picked; so is, in a
// list with nothing to pick, where the files go.
class FilePicker final : public QObject {
public:
    struct Controls {
        QListWidget& list;
        QLabel& selection;
        QLabel& instruction;
        ClickLabel& link;
        // "打开File文件夹", set after the instruction's text on its line.
        ClickLabel& folderLink;
    };

    FilePicker(App& app, const Controls& controls, ListSide side, PickedName name,
               const QString& filter);

    // Lists the File folder again through this filter.
    void showFolder(const QString& filter);
    // Lists the File folder again through the current filter.
    void refresh();

    // The name of the list's current entry; empty when the list has none (after a refresh).
    QString currentFileName() const;

    // The picked file's full path. None, after telling the user, when nothing is picked yet (or
    // the folder could not be listed) or when the picked file cannot go into a command and must
    // be renamed.
    std::optional<QString> acceptedPath() const;

private:
    void pickEntry();
    void pickCurrent(QListWidgetItem* current);
    void openFolder();
    void showWhereFilesGo(const QString& folder);

    App& m_app;
    Controls m_controls;
    ListSide m_side;
    PickedName m_name;
    QString m_filter;
    QString m_nothingPicked;
    // Why the File folder could not be listed at the last refresh; empty when it was listed.
    QString m_folderProblem;
};

} // namespace kavu
