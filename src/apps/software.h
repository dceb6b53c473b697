#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class Software;
}

namespace kavu {

class App;
class FilePicker;
class PhoneApps;

// "软件操作": package management by package name ("软件调试"), install and push from the File
// folder ("安装软件+传输文件") and the twelve Google packages ("冻结Google"). When App has a shell
// client the link "读取手机应用" lists the chosen device's packages beside it, to fill the package
// box.
class Software final : public QWidget {
    Q_OBJECT

public:
    explicit Software(App& app);
    ~Software() override;

    // The package box APPText5, as the risk dialog reads it when the removal is confirmed.
    QString packageName() const;

private:
    // Install and push.
    void execute();

    // Package management.
    void connectPackageButtons();
    void openCommunityPage();
    void readPhoneApps();

    // Google packages.
    void selectAllGoogle();
    void runGoogle(const QWidget& button, bool freeze);

    App& m_app;
    std::unique_ptr<Ui::Software> m_ui;
    std::unique_ptr<FilePicker> m_files;
    // The list of the phone's packages, made at the first read; a window of its own.
    PhoneApps* m_phoneApps = nullptr;
};

} // namespace kavu
