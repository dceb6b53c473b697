#include "apps/package_list_model.h"

#include "platform/shown_text.h"

#include <algorithm>

namespace kavu {

namespace {

constexpr std::size_t kStandings = 5;

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return lower;
}

} // namespace

PackageListModel::PackageListModel(QObject* parent)
    : QAbstractTableModel(parent) {
    for (const bool system : {false, true}) {
        for (std::size_t standing = 0; standing < kStandings; ++standing) {
            m_stateTexts[system ? 1 : 0][standing] = QString::fromStdString(
                apps::stateText(system, static_cast<apps::Standing>(standing), translatedText));
        }
    }
}

void PackageListModel::setPackages(const std::vector<adb::Package>& packages) {
    std::vector<Row> rows;
    rows.reserve(packages.size());
    for (const adb::Package& package : packages) {
        Row row{package.name, {}, package.system, apps::standingOf(package), {}};
        if (std::string folded = lowerAscii(row.name); folded != row.name) {
            row.folded = std::move(folded);
        }
        rows.push_back(std::move(row));
    }
    const auto byName = [](const Row& a, const Row& b) { return a.name < b.name; };
    if (!std::is_sorted(rows.begin(), rows.end(), byName)) {
        std::sort(rows.begin(), rows.end(), byName);
    }
    // The kind of disabling read before stands until it is read again. Both lists are sorted.
    auto before = m_rows.cbegin();
    for (Row& row : rows) {
        while (before != m_rows.cend() && before->name < row.name) {
            ++before;
        }
        if (before != m_rows.cend() && before->name == row.name &&
            row.standing == apps::Standing::Disabled && apps::isDisabled(before->standing)) {
            row.standing = before->standing;
        }
    }
    std::vector<int> sorted = sortedOrder(rows);
    std::vector<int> shown = filtered(rows, sorted);
    const bool sameRows =
        !shown.empty() && std::equal(shown.begin(), shown.end(), m_shown.begin(), m_shown.end(),
                                     [&rows, this](int index, int before) {
                                         return rows[static_cast<std::size_t>(index)].name ==
                                                m_rows[static_cast<std::size_t>(before)].name;
                                     });
    if (!sameRows) {
        beginResetModel();
    }
    m_rows = std::move(rows);
    m_sorted = std::move(sorted);
    setShown(std::move(shown));
    m_counts.clear();
    for (const Row& row : m_rows) {
        m_counts.add(row.system, row.standing);
    }
    if (sameRows) {
        emit dataChanged(index(0, State), index(rowCount() - 1, Note), {Qt::DisplayRole});
    } else {
        endResetModel();
    }
    emit countsChanged();
}

void PackageListModel::clear() {
    setPackages({});
}

void PackageListModel::setStateFilter(apps::StateFilter filter) {
    m_stateFilter = filter;
    showFiltered();
}

void PackageListModel::setTextFilter(const QString& text) {
    // The names are ASCII: a text with other characters is in none of them.
    m_textFilterMatchesNothing = !isAscii(text);
    m_textFilter = m_textFilterMatchesNothing ? std::string() : lowerAscii(text.toStdString());
    showFiltered();
}

void PackageListModel::setStanding(const QString& name, apps::Standing standing) {
    Row* row = find(name);
    if (row == nullptr || row->standing == standing) {
        return;
    }
    m_counts.remove(row->system, row->standing);
    row->standing = standing;
    m_counts.add(row->system, row->standing);
    changed(*row, State);
    emit countsChanged();
}

void PackageListModel::setNote(const QString& name, const QString& note) {
    if (Row* row = find(name); row != nullptr && row->note != note) {
        row->note = note;
        changed(*row, Note);
    }
}

int PackageListModel::rowOf(const QString& name) const {
    const Row* row = find(name);
    return row == nullptr ? -1 : m_shownAt[static_cast<std::size_t>(row - m_rows.data())];
}

QString PackageListModel::name(int row) const {
    return QString::fromStdString(shownRow(row).name);
}

int PackageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int PackageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PackageListModel::data(const QModelIndex& index, int role) const {
    // A text cut short by its column is read whole in its tool tip.
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const Row& row = shownRow(index.row());
    switch (index.column()) {
    case Name:
        return QString::fromStdString(row.name);
    case State:
        return m_stateTexts[row.system ? 1 : 0][static_cast<std::size_t>(row.standing)];
    default:
        return row.note;
    }
}

QVariant PackageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case Name:
        return tr("包名");
    case State:
        return tr("状态");
    default:
        return tr("结果");
    }
}

void PackageListModel::sort(int column, Qt::SortOrder order) {
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> before = m_shown;
    m_sorted = sortedOrder(m_rows);
    setShown(filtered(m_rows, m_sorted));
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& index : persistent) {
        const int row = m_shownAt[static_cast<std::size_t>(before.at(index.row()))];
        moved.append(row < 0 ? QModelIndex() : this->index(row, index.column()));
    }
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const PackageListModel::Row* PackageListModel::find(const QString& name) const {
    const std::string key = name.toStdString();
    const auto found = std::lower_bound(
        m_rows.begin(), m_rows.end(), key,
        [](const Row& row, const std::string& wanted) { return row.name < wanted; });
    return found != m_rows.end() && found->name == key ? &*found : nullptr;
}

PackageListModel::Row* PackageListModel::find(const QString& name) {
    return const_cast<Row*>(std::as_const(*this).find(name));
}

std::vector<int> PackageListModel::filtered(const std::vector<Row>& rows,
                                            const std::vector<int>& sorted) const {
    std::vector<int> shown;
    if (m_textFilterMatchesNothing) {
        return shown;
    }
    shown.reserve(sorted.size());
    for (const int index : sorted) {
        const Row& row = rows[static_cast<std::size_t>(index)];
        if (!apps::passes(m_stateFilter, row.system, row.standing)) {
            continue;
        }
        const std::string& text = row.folded.empty() ? row.name : row.folded;
        if (m_textFilter.empty() || text.find(m_textFilter) != std::string::npos) {
            shown.push_back(index);
        }
    }
    return shown;
}

std::vector<int> PackageListModel::sortedOrder(const std::vector<Row>& rows) const {
    std::vector<int> sorted(rows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        sorted[index] = static_cast<int>(index);
    }
    // The rows are sorted by name: a stable sort keeps the names in order within each state or
    // note.
    if (m_sortColumn == State) {
        std::stable_sort(sorted.begin(), sorted.end(), [&rows](int a, int b) {
            const Row& first = rows[static_cast<std::size_t>(a)];
            const Row& second = rows[static_cast<std::size_t>(b)];
            const int rankA = apps::sortRank(first.standing);
            const int rankB = apps::sortRank(second.standing);
            return rankA != rankB ? rankA < rankB : first.system && !second.system;
        });
    } else if (m_sortColumn == Note) {
        std::stable_sort(sorted.begin(), sorted.end(), [&rows](int a, int b) {
            return rows[static_cast<std::size_t>(a)].note < rows[static_cast<std::size_t>(b)].note;
        });
    }
    if (m_sortOrder == Qt::DescendingOrder) {
        std::reverse(sorted.begin(), sorted.end());
    }
    return sorted;
}

void PackageListModel::showFiltered() {
    beginResetModel();
    setShown(filtered(m_rows, m_sorted));
    endResetModel();
}

void PackageListModel::setShown(std::vector<int> shown) {
    m_shown = std::move(shown);
    m_shownAt.assign(m_rows.size(), -1);
    for (std::size_t row = 0; row < m_shown.size(); ++row) {
        m_shownAt[static_cast<std::size_t>(m_shown[row])] = static_cast<int>(row);
    }
}

void PackageListModel::changed(const Row& row, Column column) {
    const int shown = m_shownAt[static_cast<std::size_t>(&row - m_rows.data())];
    if (shown >= 0) {
        emit dataChanged(index(shown, column), index(shown, column), {Qt::DisplayRole});
    }
}

} // namespace kavu
