#include "shell/support_window.h"

#include "ui_support_window.h"

namespace kavu {

SupportWindow::SupportWindow(App& /*app*/, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::SupportWindow>()) {
    m_ui->setupUi(this);
}

SupportWindow::~SupportWindow() = default;

} // namespace kavu
