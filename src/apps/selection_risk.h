#pragma once

#include "apps/apps_commands.h"

#include <QDialog>

#include <memory>

namespace Ui {
class SelectionRisk;
}

namespace kavu {

class MessageBoxes;

// "警告！" before the package list disables or removes for the user a selection that holds system
// packages: it names how many packages are selected and how many of them are system packages, and
// asks once for the whole selection for the risk dialog's phrase, typed (pasting is refused; a
// right click on "确认" fills it in, as in the risk dialog). A matching phrase confirms and closes
// the dialog; it runs nothing itself.
class SelectionRisk final : public QDialog {
    Q_OBJECT

public:
    // action: apps::PackageAction::Freeze or RemoveForUser0.
    SelectionRisk(MessageBoxes& messages, apps::PackageAction action, int count, int systemCount,
                  QWidget* parent);
    ~SelectionRisk() override;

signals:
    void confirmed();

private:
    void confirm();

    MessageBoxes& m_messages;
    std::unique_ptr<Ui::SelectionRisk> m_ui;
};

} // namespace kavu
