#pragma once

#include <QWidget>

#include <memory>
#include <string_view>

namespace Ui {
class About;
}

namespace kavu {

class App;
class Command;

// "关于": the version (with a hidden message on every fifth click), credits and links. Its phone
// commands go through its own hidden box Text1, not the main window's command box.
class About final : public QWidget {
    Q_OBJECT

public:
    explicit About(App& app, QWidget* parent = nullptr);
    ~About() override;

private:
    void countVersionClick();
    void openAddress(std::string_view address);
    void openOnPhone(const Command& page);

    App& m_app;
    std::unique_ptr<Ui::About> m_ui;
    qint16 m_versionClicks = 0;
};

} // namespace kavu
