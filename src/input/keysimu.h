#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class keysimu;
}

namespace kavu {

class App;

// "按键模拟(Keyevent)": the phone's hardware, navigation and media keys, and a line of text typed
// into its focused field. Every command runs hidden.
class keysimu final : public QWidget {
    Q_OBJECT

public:
    explicit keysimu(App& app, QWidget* parent = nullptr);
    ~keysimu() override;

private:
    void sendText();

    App& m_app;
    std::unique_ptr<Ui::keysimu> m_ui;
};

} // namespace kavu
