#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class WARNING;
}

namespace kavu {

class App;

// "警告！": guards the removal of a system package. The user types the acknowledgement phrase
// (riskPhrase; pasting is refused) or right-clicks "确认", which fills it in; a matching phrase
// removes the package named in the apps window's package box at that moment.
class WARNING final : public QWidget {
    Q_OBJECT

public:
    explicit WARNING(App& app, QWidget* parent = nullptr);
    ~WARNING() override;

private:
    void confirm();
    void fillPhraseOnRightButton(int button);

    App& m_app;
    std::unique_ptr<Ui::WARNING> m_ui;
};

} // namespace kavu
