#include "apps/warning.h"

#include "app/origin.h"
#include "ui_warning.h"

#include "app/app.h"
#include "apps/apps_commands.h"
#include "apps/risk_phrase.h"
#include "apps/software.h"

namespace kavu {

namespace {

constexpr int kRightButton = 2;

} // namespace

WARNING::WARNING(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::WARNING>()) {
    m_ui->setupUi(this);
    m_ui->Label3->setText(riskPhrase());
    m_ui->Label4->setVisible(false);
    new TypedOnly(*m_ui->ala, m_app.messages());
    connect(m_ui->N_Shapefx, &N_Shape::MouseDown, this, &WARNING::fillPhraseOnRightButton);
    connect(m_ui->N_Shapefx, &N_Shape::Click, this, &WARNING::confirm);
}

WARNING::~WARNING() = default;

void WARNING::fillPhraseOnRightButton(int button) {
    if (button == kRightButton) {
        m_ui->ala->setText(riskPhrase());
    }
}

void WARNING::confirm() {
    if (m_ui->ala->text() != riskPhrase()) {
        m_app.messages().show(tr("输入错误！"), tr("警告!"), MessageIcon::Critical);
        return;
    }
    // The package box is read now, not when the dialog opened; a closed apps window is loaded
    // again (not shown) and gives its empty box.
    const QString package = m_app.loaded<Software>()->packageName();
    if (m_app.console().run(apps::packageCommand(apps::PackageAction::RemoveForUser0, package)
                                .from(originOf(*m_ui->N_Shapefx)),
                            launch::kConsole)) {
        m_ui->Label4->setVisible(true);
    }
}

} // namespace kavu
