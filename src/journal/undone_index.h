#pragma once

#include "journal/journal_reader.h"

#include <QList>

#include <optional>
#include <unordered_set>

namespace kavu::journal {

// The entries of a journal that were taken back: each one a later entry undoes and that undo
// ended well (exit code 0). Built once per read, so that asking about every row stays linear.
class UndoneIndex {
public:
    UndoneIndex() = default;
    explicit UndoneIndex(const QList<Entry>& all);

    // Counts the entry in, again when its run has ended since; when it is an undo that ended
    // well, the id of the entry it took back.
    std::optional<EntryId> add(const Entry& entry);
    bool contains(const EntryId& id) const { return m_undone.contains(id); }

private:
    std::unordered_set<EntryId, EntryIdHash> m_undone;
};

// canUndo over the journal's index instead of the journal: the same answer.
bool canUndo(const Entry& entry, const UndoneIndex& undone);

} // namespace kavu::journal
