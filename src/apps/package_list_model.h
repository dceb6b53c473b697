#pragma once

#include "apps/package_states.h"
#include "devices/package_list.h"

#include <QAbstractTableModel>
#include <QString>

#include <string>
#include <vector>

namespace kavu {

// The phone's packages as rows of three columns, the name, its state and what the last change of
// it came to, as plain text. It holds every package the phone listed and shows those that pass the
// state filter and the text filter (a part of the name, in any case), sorted by name or by state.
// Made for tens of thousands of packages: the filters walk the rows once, with no text made.
class PackageListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, State, Note, ColumnCount };

    explicit PackageListModel(QObject* parent = nullptr);

    // Shows these packages, sorted and filtered as before. When the rows shown stay the same
    // names, only their states change (the view keeps its place); otherwise the model is reset.
    // A package still disabled keeps the kind of disabling read before. Notes are cleared.
    void setPackages(const std::vector<adb::Package>& packages);
    void clear();

    void setStateFilter(apps::StateFilter filter);
    apps::StateFilter stateFilter() const { return m_stateFilter; }
    // A part of the package name, in any case; empty shows every row.
    void setTextFilter(const QString& text);

    // A package's state as its own read told it, and the note on its row. Its row stays where it
    // is, whatever the filters say now, until they are applied again.
    void setStanding(const QString& name, apps::Standing standing);
    void setNote(const QString& name, const QString& note);

    // How many of all the packages each state filter lets through.
    const apps::StateCounts& counts() const { return m_counts; }
    int packageCount() const { return static_cast<int>(m_rows.size()); }
    // Whether the phone listed this package (shown or not).
    bool holds(const QString& name) const { return find(name) != nullptr; }
    // The row that shows the package; -1 when none does.
    int rowOf(const QString& name) const;

    QString name(int row) const;
    bool isSystem(int row) const { return shownRow(row).system; }
    apps::Standing standing(int row) const { return shownRow(row).standing; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // By name, by state (enabled, disabled by the user, by another, disabled, removed; system
    // packages first) or by note, and then by name; the rows keep their selection.
    void sort(int column, Qt::SortOrder order) override;

signals:
    // A package's state changed, so the counts may have.
    void countsChanged();

private:
    struct Row {
        std::string name;   // ASCII: the phone's names are
        std::string folded; // the name in lower case; empty when it is the name itself
        bool system = false;
        apps::Standing standing = apps::Standing::Enabled;
        QString note;
    };

    const Row* find(const QString& name) const;
    Row* find(const QString& name);
    const Row& shownRow(int row) const { return m_rows[static_cast<std::size_t>(m_shown.at(row))]; }
    // The rows' indexes in the sort's order.
    std::vector<int> sortedOrder(const std::vector<Row>& rows) const;
    // Which of those the filters let through, in that order.
    std::vector<int> filtered(const std::vector<Row>& rows, const std::vector<int>& sorted) const;
    void showFiltered();
    void setShown(std::vector<int> shown);
    void changed(const Row& row, Column column);

    std::vector<Row> m_rows;    // sorted by name
    std::vector<int> m_sorted;  // m_rows' indexes in the sort's order
    std::vector<int> m_shown;   // those the filters let through
    std::vector<int> m_shownAt; // each of m_rows' shown row, or -1
    apps::StateCounts m_counts;
    apps::StateFilter m_stateFilter = apps::StateFilter::All;
    std::string m_textFilter; // in lower case
    bool m_textFilterMatchesNothing = false;
    int m_sortColumn = Name;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    // The state column's texts, one for each kind and state.
    QString m_stateTexts[2][5];
};

} // namespace kavu
