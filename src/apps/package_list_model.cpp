#include "apps/package_list_model.h"

#include "apps/package_read.h"
#include "platform/shown_text.h"

#include <algorithm>

namespace kavu {

void PackageListModel::setPackages(const std::vector<adb::Package>& packages) {
    std::vector<Row> rows;
    rows.reserve(packages.size());
    for (const adb::Package& package : packages) {
        rows.push_back({QString::fromStdString(package.name),
                        QString::fromStdString(apps::stateText(package, translatedText))});
    }
    const bool sameNames = std::equal(m_rows.begin(), m_rows.end(), rows.begin(), rows.end(),
                                      [](const Row& a, const Row& b) { return a.name == b.name; });
    if (sameNames && !rows.empty()) {
        m_rows = std::move(rows);
        emit dataChanged(index(0, State), index(rowCount() - 1, State), {Qt::DisplayRole});
        return;
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void PackageListModel::clear() {
    setPackages({});
}

int PackageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int PackageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PackageListModel::data(const QModelIndex& index, int role) const {
    // A text cut short by its column is read whole in its tool tip.
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const Row& row = m_rows.at(static_cast<std::size_t>(index.row()));
    return index.column() == Name ? row.name : row.state;
}

QVariant PackageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == Name ? tr("包名") : tr("状态");
}

} // namespace kavu
