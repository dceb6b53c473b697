#include "apps/software.h"

#include "ui_software.h"

#include "apps/apps_commands.h"
#include "apps/warning.h"
#include "core/launch.h"
#include "platform/file_list.h"
#include "shell/app.h"
#include "shell/qt_text.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace kavu {

namespace {

// The hidden selection label holds this while nothing is picked.
const QString kNothingPicked = QStringLiteral("1");
const QString kApkFilter = QStringLiteral("*.apk");
const QString kAllFilter = QStringLiteral("*.*");
// Lab2el1 leaves this many blanks for the refresh link drawn over them.
constexpr int kLinkBlanks = 19;

QFont monospaceFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Consolas"), font.family()});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// Each Google package's check button, in the order of apps::kGooglePackages.
constexpr std::array<CheckButton * Ui_Software::*, apps::kGooglePackageCount> kGoogleChecks{
    &Ui_Software::gsf,    &Ui_Software::store, &Ui_Software::bt, &Ui_Software::gms,
    &Ui_Software::sousuo, &Ui_Software::duo,   &Ui_Software::dy, &Ui_Software::map,
    &Ui_Software::xc,     &Ui_Software::dri,   &Ui_Software::yx, &Ui_Software::yy,
};

} // namespace

Software::Software(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::Software>()) {
    m_ui->setupUi(this);
    m_ui->Labelappr->setVisible(false);
    m_ui->Fileapk->setFont(monospaceFont());
    m_ui->Textpat->setFont(monospaceFont());
    m_ui->APPText5->setFont(monospaceFont());
    m_ui->Fileapk->setSelectionMode(QAbstractItemView::SingleSelection);

    placeRefreshLink();

    connect(m_ui->insapk, &OptionButton::Click, this, [this] {
        if (m_ui->insapk->value()) {
            showFolder(kApkFilter);
        }
    });
    connect(m_ui->insfile, &OptionButton::Click, this, [this] {
        if (m_ui->insfile->value()) {
            showFolder(kAllFilter);
        }
    });
    connect(m_ui->Label9, &ClickLabel::clicked, this, &Software::refreshList);
    connect(m_ui->Fileapk, &QListWidget::itemSelectionChanged, this, &Software::pickEntry);
    connect(m_ui->N_Shapeinsta, &N_Shape::Click, this, &Software::execute);

    connectPackageButtons();
    connect(m_ui->all, &CheckButton::Click, this, &Software::selectAllGoogle);
    connect(m_ui->blockgoogle, &N_Shape::Click, this, [this] { runGoogle(true); });
    connect(m_ui->enablegoogle, &N_Shape::Click, this, [this] { runGoogle(false); });

    m_ui->insapk->setValue(true);
    showFolder(kApkFilter);
}

Software::~Software() = default;

void Software::placeRefreshLink() {
    // The refresh link sits over the run of blanks in the instruction text. The line is laid out
    // for blanks half as wide as a Han character; where the window's face has narrower ones, the
    // line takes its blanks and Latin letters from a monospaced face, which has such blanks.
    const QString instruction = m_ui->Lab2el1->text();
    const QString blanks(kLinkBlanks, QLatin1Char(' '));
    const int linkWidth =
        QFontMetrics(m_ui->Label9->font()).horizontalAdvance(m_ui->Label9->text());
    if (QFontMetrics(m_ui->Lab2el1->font()).horizontalAdvance(blanks) < linkWidth) {
        QFont widened = m_ui->Lab2el1->font();
        widened.setFamilies({QFontInfo(monospaceFont()).family(), widened.family()});
        m_ui->Lab2el1->setFont(widened);
    }
    const QFontMetrics metrics(m_ui->Lab2el1->font());
    const int gapLeft = m_ui->Lab2el1->x() +
                        metrics.horizontalAdvance(instruction.left(instruction.indexOf(blanks)));
    const int gapWidth = metrics.horizontalAdvance(blanks);
    m_ui->Label9->setGeometry(gapLeft + (gapWidth - linkWidth) / 2, m_ui->Lab2el1->y(), linkWidth,
                              m_ui->Lab2el1->height());
    m_ui->Label9->raise();
}

QString Software::packageName() const {
    return m_ui->APPText5->text();
}

void Software::showFolder(const QString& filter) {
    m_filter = filter;
    refreshList();
}

void Software::refreshList() {
    m_ui->Fileapk->clear();
    m_ui->Fileapk->addItems(plainFilesMatching(m_app.fileFolder(), m_filter));
}

void Software::pickEntry() {
    const QList<QListWidgetItem*> picked = m_ui->Fileapk->selectedItems();
    if (picked.isEmpty()) {
        return;
    }
    // The program folder, "\File\" and the name, with the platform's own separators.
    m_ui->Labelappr->setText(
        QDir::toNativeSeparators(QDir(m_app.fileFolder()).filePath(picked.first()->text())));
}

QString Software::currentFileName() const {
    const QList<QListWidgetItem*> picked = m_ui->Fileapk->selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->text();
}

bool Software::acceptPickedFile(const QString& path) {
    if (apps::isSpliceablePickedFile(path, QFileInfo(path).fileName())) {
        return true;
    }
    m_app.messages().show(
        QStringLiteral("所选文件的名称或路径含有不允许的字符（& | < > ^ % \" 或换行），"
                       "请重命名该文件后点击“点击此处刷新”重新选择！"),
        QStringLiteral("警告！"), MessageIcon::Critical);
    return false;
}

void Software::execute() {
    const QString path = m_ui->Labelappr->text();
    if (path == kNothingPicked) {
        m_app.messages().show(QStringLiteral(" 请从右侧选定一个文件！"), QStringLiteral("警告！"),
                              MessageIcon::Critical);
        return;
    }
    if (!acceptPickedFile(path)) {
        return;
    }
    const bool visible = m_ui->fhz->value() == 1;
    const launch::Form& form = visible ? launch::kConsole : launch::kHidden;
    const apps::Shown shown = visible ? apps::Shown::Live : apps::Shown::Hidden;
    const QString fileName = currentFileName();
    if (m_ui->insapk->value()) {
        m_app.console().run(apps::installCommand(path), form, apps::installSuffix(shown, fileName));
    }
    if (m_ui->insfile->value()) {
        m_app.console().run(apps::pushCommand(path, m_ui->Textpat->text()), form,
                            apps::pushSuffix(shown, fileName));
    }
}

void Software::connectPackageButtons() {
    const auto onClick = [this](N_Shape* button, apps::PackageAction action) {
        connect(button, &N_Shape::Click, this, [this, action] {
            m_app.console().run(apps::packageCommand(action, packageName()), launch::kConsole);
        });
    };
    onClick(m_ui->FREEZE, apps::PackageAction::Freeze);
    onClick(m_ui->UNFREEZE, apps::PackageAction::Unfreeze);
    onClick(m_ui->CLCDATA, apps::PackageAction::ClearData);
    onClick(m_ui->N_Shaunspe1, apps::PackageAction::Uninstall);
    onClick(m_ui->N_Shape2fc, apps::PackageAction::ForceStop);
    connect(m_ui->N_Shapeqqq, &N_Shape::Click, this,
            [this] { m_app.console().run(Command(apps::kCurrentActivity), launch::kConsole); });
    connect(m_ui->xsszb, &N_Shape::Click, this, [this] {
        for (const QStringView table : apps::kSettingsTables) {
            m_app.console().run(Command(table), launch::kConsole);
        }
    });
    connect(m_ui->N_Shapeclo, &N_Shape::Click, this, &Software::openCommunityPage);
    // The removal of a system package runs only from the risk dialog, once the user confirmed.
    connect(m_ui->unsinssys, &N_Shape::Click, this, [this] { m_app.open<WARNING>(); });
}

void Software::openCommunityPage() {
    if (m_app.console().run(apps::communityPageCommand(packageName()), launch::kHidden)) {
        m_app.messages().show(QStringLiteral("已跳转！请查看手机"), QStringLiteral("提示"),
                              MessageIcon::None);
    }
}

void Software::selectAllGoogle() {
    const int target = m_ui->all->value() == 1 ? 1 : 0;
    for (CheckButton* Ui_Software::*check : kGoogleChecks) {
        ((*m_ui).*check)->setValue(target);
    }
}

void Software::runGoogle(bool freeze) {
    for (std::size_t row = 0; row < apps::kGooglePackageCount; ++row) {
        if (((*m_ui).*kGoogleChecks[row])->value() != 1) {
            continue;
        }
        // Freezing the services framework leaves its console open, minimized, to be read.
        const bool keepConsole = freeze && row == 0;
        m_app.console().run(apps::googleCommand(freeze, apps::kGooglePackages[row]),
                            keepConsole ? launch::kConsoleMinimized : launch::kHidden);
    }
    // The packages' consoles run on their own; this one tells the user to check the phone.
    m_app.console().startLine(qtText(launch::kGoogleDoneLine), launch::WindowMode::Normal);
}

} // namespace kavu
