#include "journal/undone_index.h"

#include "journal/journal.h"

namespace kavu::journal {

UndoneIndex::UndoneIndex(const QList<Entry>& all) {
    for (const Entry& entry : all) {
        add(entry);
    }
}

std::optional<EntryId> UndoneIndex::add(const Entry& entry) {
    if (!entry.undoes || entry.exitCode != 0) {
        return std::nullopt;
    }
    m_undone.insert(*entry.undoes);
    return entry.undoes;
}

bool canUndo(const Entry& entry, const UndoneIndex& undone) {
    // Against a journal of no other entry, canUndo asks everything but whether one took this
    // entry back, which the index answers.
    return !undone.contains(entry.id) && canUndo(entry, QList<Entry>{});
}

} // namespace kavu::journal
