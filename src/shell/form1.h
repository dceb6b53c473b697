#pragma once

#include "app/app.h"
#include "core/notice.h"
#include "platform/tool_files.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QTimer;
namespace Ui {
class Form1;
}

namespace kavu {

class DeviceRow;

// The main window: the start-up check, the device-check console, the feature launcher, the
// scrolling notice, the screenshot sequence and the row that shows the connected devices. It owns
// the command box every window writes.
class Form1 final : public QWidget, public MainWindow {
    Q_OBJECT

public:
    explicit Form1(App& app, QWidget* parent = nullptr);
    ~Form1() override;

    // The window's load: the tool-file check (false, after its message, when a file is missing),
    // the notice, the device-check console (once this computer's adb server was started, where
    // one is watched), the caption, and showing the window.
    bool startUp();

    QLineEdit& commandBox() override;

protected:
    // The notice drifts only while someone can see it: not while the window is minimized or
    // hidden.
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void followVisibility();
    // The entries that open windows come from the App's registry; those that run an action are
    // wired here.
    void connectLauncher();
    // The journal's notices in the device row, and the device chosen for its entries.
    void connectJournal();
    void scrollNotice();
    void scheduleNotice();
    void startScreenshot();
    void screenshotTick();

    App& m_app;
    std::unique_ptr<Ui::Form1> m_ui;
    DeviceRow* m_deviceRow = nullptr;
    NoticeScroller m_notice;
    QTimer* m_noticeTimer;
    QTimer* m_screenshotTimer;
    qint16 m_screenshotStep = 0;
    Origin m_screenshotOrigin;
    int m_pendingNoticeTicks = 1;
};

// What the start-up box says of the tool files in folder that cannot serve: its first line, then
// one line for each file.
QString toolProblemsText(const QList<ToolProblem>& problems, const QString& folder);

// Makes the main window the one app loads: the one there, else a new one with its whole start-up.
void useForm1AsMainWindow(App& app);
// The main window, loaded when it is not there; null when its start-up check failed.
Form1* form1(App& app);

} // namespace kavu
