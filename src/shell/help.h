#pragma once

#include <QWidget>

#include <memory>

class QFrame;
namespace Ui {
class Help;
}

namespace kavu {

class App;

// "帮助支持": three pages (introduction, connection and drivers, special cases) chosen by the
// labels on the left, driver download links, and the registry repair for dragging files.
class Help final : public QWidget {
    Q_OBJECT

public:
    explicit Help(App& app, QWidget* parent = nullptr);
    ~Help() override;

private:
    void showPage(QFrame* page);
    void openAddress(std::string_view address);
    void repairRegistry();

    App& m_app;
    std::unique_ptr<Ui::Help> m_ui;
};

} // namespace kavu
