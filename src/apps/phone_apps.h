#pragma once

#include "app/command.h"
#include "apps/apps_commands.h"
#include "apps/package_read.h"
#include "apps/package_state_reader.h"
#include "platform/services.h"

#include <QHash>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QModelIndex;

namespace Ui {
class PhoneApps;
}

namespace kavu {

class AdbShellClient;
class App;
class PackageListModel;
class PackageReader;
class PackageRuns;

// "手机应用": the chosen device's packages with their states, read in the background, filtered by
// state and by a part of the name, sorted by name or state. A chosen row names the package for the
// apps window's buttons. On a selection of rows it disables, enables, removes for user 0 or
// installs again, each package its own hidden run through the console launcher (so each is
// journaled and can be taken back on its own), asking once for the risk phrase when system
// packages would be disabled or removed; each row then shows its package's state read again and
// what the change came to. The selection can be written to a list file, and rows selected from
// one. Where there is no list (no device chosen, a device that cannot be read, a failed read) it
// says why.
class PhoneApps final : public QWidget {
    Q_OBJECT

public:
    // A window of its own that belongs to `companion` (the apps window) and goes with it.
    PhoneApps(App& app, AdbShellClient& client, QWidget& companion);
    ~PhoneApps() override;

    // Reads the packages of the device chosen in the main window, replacing a read under way.
    void read();
    // Moves the window beside the companion, on the side of the screen where it fits.
    void placeBeside(const QWidget& companion);

signals:
    // The user chose this package's row (a click, or Enter).
    void chosen(const QString& package);

private:
    // A change that ran and waits for its package's state to be read again.
    struct Ended {
        apps::PackageAction action;
        int exitCode;
        QString said; // the first line of what the run wrote
    };

    void showRead(const apps::PackageRead& read);
    void choose(const QModelIndex& index);
    bool listsChosenDevice();
    void showNotice(const QString& text);
    void summarize();
    void showCounts();
    void updateButtons();
    std::optional<std::string> chosenSerial() const;

    // The filters, keeping the selection of the rows they still show.
    void filterByText(const QString& text);
    void filterByState(int filter);
    // The selected rows, in order, and their packages.
    std::vector<int> selectedRows() const;
    QStringList selectedNames() const;
    // Selects the rows of these packages (and only them) that are shown.
    void select(const QStringList& names, const QString& current = {});

    // The actions on the selection.
    void act(apps::PackageAction action, const QAbstractButton& button);
    void run(apps::PackageAction action, const QStringList& names, const Origin& origin);
    void runEnded(const QString& name, const std::optional<RunEnd>& end);
    void stateRead(const PackageStateRead& read);

    // The list files.
    void chooseExportFile();
    void chooseListFile();
    void exportTo(const QString& path, const QStringList& names);
    void selectFrom(const QString& path);

    App& m_app;
    std::unique_ptr<Ui::PhoneApps> m_ui;
    PackageReader* m_reader;
    PackageStateReader* m_states;
    PackageRuns* m_runs;
    PackageListModel* m_packages;
    QButtonGroup* m_stateFilters;
    // The device whose packages are listed or being read; empty while none is.
    std::string m_serial;
    // The packages whose change runs or waits to, and those whose change ended, until their state
    // is read again.
    QHash<QString, apps::PackageAction> m_acting;
    QHash<QString, Ended> m_ended;
};

} // namespace kavu
