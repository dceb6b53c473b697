#pragma once

#include "apps/package_read.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QModelIndex;
class QSortFilterProxyModel;

namespace Ui {
class PhoneApps;
}

namespace kavu {

class AdbShellClient;
class App;
class PackageListModel;
class PackageReader;

// "手机应用": the chosen device's packages with their states, read in the background, and a filter
// box. A chosen row names the package for the apps window's buttons; the list runs nothing. Where
// there is no list (no device chosen, a device that cannot be read, a failed read) it says why.
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
    void showRead(const apps::PackageRead& read);
    void choose(const QModelIndex& index);
    void showNotice(const QString& text);
    void summarize();
    std::optional<std::string> chosenSerial() const;

    App& m_app;
    std::unique_ptr<Ui::PhoneApps> m_ui;
    PackageReader* m_reader;
    PackageListModel* m_packages;
    QSortFilterProxyModel* m_filtered;
    // The device whose packages are listed or being read; empty while none is.
    std::string m_serial;
};

} // namespace kavu
