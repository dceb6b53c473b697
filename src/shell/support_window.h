#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class SupportWindow;
}

namespace kavu {

class App;

// "捐赠作者": a static page that thanks the user and asks for support. It has no actions.
class SupportWindow final : public QWidget {
    Q_OBJECT

public:
    explicit SupportWindow(App& app, QWidget* parent = nullptr);
    ~SupportWindow() override;

private:
    std::unique_ptr<Ui::SupportWindow> m_ui;
};

} // namespace kavu
