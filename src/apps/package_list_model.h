#pragma once

#include "devices/package_list.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace kavu {

// The phone's packages as rows of two columns, the name and its state, as plain text.
class PackageListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, State, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows these packages. When the names are those shown, only the states change, so the view
    // keeps its place and its selection after a refresh.
    void setPackages(const std::vector<adb::Package>& packages);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString name(int row) const { return m_rows.at(row).name; }

private:
    struct Row {
        QString name;
        QString state;
    };
    std::vector<Row> m_rows;
};

} // namespace kavu
