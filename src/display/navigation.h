#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace Ui {
class Navigation;
}

namespace kavu {

class App;

// "显示操作(Windows Manager)": the window manager's overscan insets of the four screen edges,
// the density (in dpi, or from a smallest width in dp) and the resolution. Every command runs
// hidden; nothing is read back from the phone.
class Navigation final : public QWidget {
    Q_OBJECT

public:
    explicit Navigation(App& app, QWidget* parent = nullptr);
    ~Navigation() override;

private:
    enum class Move { Inwards, Outwards };

    void connectEdges();
    void moveEdge(const QWidget& arrow, QLineEdit& edge, Move move);
    void resetEdges();
    void chooseDpi();
    void chooseDp();
    void setDensity();
    void setResolution();
    void refuse(const QString& message);

    App& m_app;
    std::unique_ptr<Ui::Navigation> m_ui;
};

} // namespace kavu
