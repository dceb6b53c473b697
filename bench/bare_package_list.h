#pragma once

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

// The least a program could do to show a phone's packages and filter them, for the package list's
// benchmarks to time against: a line edit and five state buttons over a plain list view of the
// names, sorted. A state button refills the list with the names of the packages it lists (the
// rows selected before selected again by name); a filter proxy hides the rows whose name does not
// hold the typed text, in any case (keeping the selection of those it still shows).
namespace kavu::bench {

// A package as the bare list keeps it: its name, and the state buttons that list it.
struct BarePackage {
    enum State : unsigned { System = 1, ThirdParty = 2, Disabled = 4, Uninstalled = 8 };
    QString name;
    unsigned states = 0;
};

class BarePackageList final : public QWidget {
    // Hides the rows whose name does not hold the text, in any case.
    class TextFilter final : public QSortFilterProxyModel {
    public:
        // The names of the source's rows.
        void setNames(const QStringList& names) { m_names = names; }
        void setText(const QString& text) {
            m_text = text;
            invalidateFilter();
        }

    protected:
        bool filterAcceptsRow(int row, const QModelIndex&) const override {
            return m_names.at(row).contains(m_text, Qt::CaseInsensitive);
        }

    private:
        QStringList m_names;
        QString m_text;
    };

    // Before the widgets, which go first.
    QStringListModel m_chosen; // the packages the chosen state button lists
    TextFilter m_filtered;
    QButtonGroup m_states;
    QStringList m_names;
    std::vector<unsigned> m_packageStates;

    // Lists the packages of these states; the rows selected before stay selected where they are
    // still shown.
    void choose(unsigned states) {
        QSet<QString> selected;
        for (const QModelIndex& index : view.selectionModel()->selectedIndexes()) {
            selected.insert(index.data().toString());
        }
        QStringList chosen;
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            if ((m_packageStates[static_cast<std::size_t>(i)] & states) != 0) {
                chosen.append(m_names.at(i));
            }
        }
        m_filtered.setNames(chosen);
        m_chosen.setStringList(chosen);
        if (selected.isEmpty()) {
            return;
        }
        QItemSelection selection;
        for (int row = 0; row < m_filtered.rowCount(); ++row) {
            const QModelIndex index = m_filtered.index(row, 0);
            if (selected.contains(index.data().toString())) {
                selection.select(index, index);
            }
        }
        view.selectionModel()->select(selection, QItemSelectionModel::Select);
    }

public:
    // The state buttons, in this order; the first lists every package.
    static constexpr std::array<unsigned, 5> kButtonStates = {
        ~0U, BarePackage::System, BarePackage::ThirdParty, BarePackage::Disabled,
        BarePackage::Uninstalled};

    BarePackageList() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(&filter);
        const std::array<QString, kButtonStates.size()> texts = {
            QStringLiteral("全部"), QStringLiteral("系统"), QStringLiteral("第三方"),
            QStringLiteral("已停用"), QStringLiteral("已卸载")};
        // In a row, each as wide as its text: a click lands on it.
        auto* row = new QHBoxLayout;
        for (std::size_t i = 0; i < kButtonStates.size(); ++i) {
            buttons[i] = new QRadioButton(texts[i], this);
            row->addWidget(buttons[i]);
            m_states.addButton(buttons[i], static_cast<int>(i));
        }
        row->addStretch();
        layout->addLayout(row);
        buttons[0]->setChecked(true);
        layout->addWidget(&view);
        m_filtered.setSourceModel(&m_chosen);
        view.setModel(&m_filtered);
        view.setUniformItemSizes(true);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(&filter, &QLineEdit::textChanged, &m_filtered, &TextFilter::setText);
        connect(&m_states, &QButtonGroup::idClicked, &m_chosen,
                [this](int id) { choose(kButtonStates[static_cast<std::size_t>(id)]); });
    }

    // Shows these packages, sorted by name, under the state button checked.
    void setPackages(std::vector<BarePackage> packages) {
        std::sort(packages.begin(), packages.end(),
                  [](const BarePackage& a, const BarePackage& b) { return a.name < b.name; });
        m_names.clear();
        m_names.reserve(static_cast<qsizetype>(packages.size()));
        m_packageStates.clear();
        m_packageStates.reserve(packages.size());
        for (BarePackage& package : packages) {
            m_names.append(std::move(package.name));
            m_packageStates.push_back(package.states);
        }
        choose(kButtonStates[static_cast<std::size_t>(m_states.checkedId())]);
    }

    // The rows shown.
    int rows() const { return m_filtered.rowCount(); }

    QLineEdit filter;
    std::array<QRadioButton*, kButtonStates.size()> buttons{};
    QListView view;
};

} // namespace kavu::bench
