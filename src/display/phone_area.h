#pragma once

#include <QString>
#include <QStringView>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace Ui {
class PhoneArea;
}

namespace kavu {

class App;
class FontScaleOffset;

// "无极调节": the phone's three animation scales set to any typed value, and its font scale moved
// in steps of 0.02 around 1.0. Every command runs hidden.
class PhoneArea final : public QWidget {
    Q_OBJECT

public:
    // The font-scale offset outlives the window: the program keeps it for its whole run.
    PhoneArea(App& app, FontScaleOffset& offset, QWidget* parent = nullptr);
    ~PhoneArea() override;

private:
    void sendAnimationScale(const QWidget& button, QStringView setting, const QLineEdit& box);
    void stepFontScale(const QWidget& button, void (FontScaleOffset::*step)());
    void resetFontScale();
    void showFontScale(const QString& scale);

    App& m_app;
    FontScaleOffset& m_offset;
    std::unique_ptr<Ui::PhoneArea> m_ui;
};

} // namespace kavu
