#pragma once

#include <QWidget>

#include <memory>
#include <string_view>

namespace Ui {
class About;
}

namespace kavu {

class App;

// "关于": the version (with a hidden message on every fifth click), credits and links. Kavu has
// no chat group, download drive or community page of its own: the window says so instead of
// opening anything.
class About final : public QWidget {
    Q_OBJECT

public:
    explicit About(App& app, QWidget* parent = nullptr);
    ~About() override;

private:
    void countVersionClick();
    void openAddress(std::string_view address);

    App& m_app;
    std::unique_ptr<Ui::About> m_ui;
    qint16 m_versionClicks = 0;
};

} // namespace kavu
