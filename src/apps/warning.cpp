#include "apps/warning.h"

#include "app/origin.h"
#include "ui_warning.h"

#include "app/app.h"
#include "apps/apps_commands.h"
#include "apps/software.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace kavu {

namespace {

// What the user types to acknowledge the risk (a full-width comma), also shown in Label3.
const char* const kPhrase =
    QT_TRANSLATE_NOOP("kavu::WARNING", "我已知悉该风险，若造成卡机或数据损失等后果则与作者无关");
const char* const kGuardTitle = QT_TRANSLATE_NOOP("kavu::WARNING", "高风险功能警告");
constexpr int kRightButton = 2;

} // namespace

WARNING::WARNING(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::WARNING>()) {
    m_ui->setupUi(this);
    m_ui->Label3->setText(tr(kPhrase));
    m_ui->Label4->setVisible(false);
    m_ui->ala->installEventFilter(this);
    connect(m_ui->N_Shapefx, &N_Shape::MouseDown, this, &WARNING::fillPhraseOnRightButton);
    connect(m_ui->N_Shapefx, &N_Shape::Click, this, &WARNING::confirm);
}

WARNING::~WARNING() = default;

void WARNING::fillPhraseOnRightButton(int button) {
    if (button == kRightButton) {
        m_ui->ala->setText(tr(kPhrase));
    }
}

void WARNING::confirm() {
    if (m_ui->ala->text() != tr(kPhrase)) {
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

void WARNING::refusePaste() {
    m_ui->ala->setReadOnly(true);
    m_app.messages().show(tr("禁止粘贴！"), tr(kGuardTitle), MessageIcon::Critical);
    m_ui->ala->setReadOnly(false);
}

// The menu of a read-only box offers copying and selecting, and nothing that edits.
void WARNING::showMenuWithoutPaste(const QPoint& at) {
    m_ui->ala->setReadOnly(true);
    const std::unique_ptr<QMenu> menu(m_ui->ala->createStandardContextMenu());
    m_ui->ala->setReadOnly(false);
    menu->exec(at);
}

bool WARNING::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_ui->ala) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Every paste key of the platform (Ctrl+V, Shift+Insert, …).
        if (key->matches(QKeySequence::Paste)) {
            refusePaste();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            m_app.messages().show(tr("右键菜单不可用！"), tr(kGuardTitle), MessageIcon::Critical);
            return true;
        }
        [[fallthrough]];
    case QEvent::MouseButtonRelease:
        // The middle button pastes the desktop's selection.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            return true;
        }
        break;
    case QEvent::ContextMenu:
        // The menu is not offered to the mouse; the keyboard's menu key opens it without its
        // paste entry.
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse) {
            showMenuWithoutPaste(static_cast<QContextMenuEvent*>(event)->globalPos());
        }
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kavu
