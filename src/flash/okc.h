#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class OKC;
}

namespace kavu {

class App;
class FastbootWatch;
class OptionButton;
class FilePicker;

// "刷机功能合集": flashing a picked image with fastboot ("Fastboot线刷"), reboots into the phone's
// modes ("重启到指定模式") and the start scripts of two on-phone services ("激活脚本").
class OKC final : public QWidget {
    Q_OBJECT

public:
    explicit OKC(App& app, QWidget* parent = nullptr);
    ~OKC() override;

private:
    void connectPartitions();
    void partitionClicked(const OptionButton* option);
    void flash();

    App& m_app;
    // Held while the window is open; may go before it.
    QPointer<FastbootWatch> m_fastboot;
    std::unique_ptr<Ui::OKC> m_ui;
    std::unique_ptr<FilePicker> m_images;
};

} // namespace kavu
