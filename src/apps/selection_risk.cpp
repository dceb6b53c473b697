#include "apps/selection_risk.h"

#include "ui_selection_risk.h"

#include "apps/risk_phrase.h"
#include "platform/services.h"

namespace kavu {

SelectionRisk::SelectionRisk(MessageBoxes& messages, apps::PackageAction action, int count,
                             int systemCount, QWidget* parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_ui(std::make_unique<Ui::SelectionRisk>()) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_ui->risk->setText(
        (action == apps::PackageAction::RemoveForUser0
             ? tr("将为用户 0 卸载所选的 %1 个应用，其中 %2 个是系统应用。卸载系统应用可能导致"
                  "手机无法进入桌面，且很不易解决。")
             : tr("将停用所选的 %1 个应用，其中 %2 个是系统应用。停用系统应用可能导致手机无法"
                  "进入桌面，且很不易解决。"))
            .arg(count)
            .arg(systemCount));
    m_ui->phraseShown->setText(riskPhrase());
    new TypedOnly(*m_ui->phrase, m_messages);
    // As in the risk dialog, a right click on the button fills the phrase in.
    m_ui->confirm->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->confirm, &QWidget::customContextMenuRequested, this,
            [this] { m_ui->phrase->setText(riskPhrase()); });
    connect(m_ui->confirm, &QPushButton::clicked, this, &SelectionRisk::confirm);
    connect(m_ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->phrase->setFocus();
}

SelectionRisk::~SelectionRisk() = default;

void SelectionRisk::confirm() {
    if (m_ui->phrase->text() != riskPhrase()) {
        m_messages.show(tr("输入错误！"), tr("警告!"), MessageIcon::Critical);
        return;
    }
    emit confirmed();
    accept();
}

} // namespace kavu
