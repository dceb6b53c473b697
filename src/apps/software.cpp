#include "apps/software.h"

#include "app/origin.h"
#include "ui_software.h"

#include "app/app.h"
#include "app/file_picker.h"
#include "app/fixed_buttons.h"
#include "app/qt_text.h"
#include "apps/apps_commands.h"
#include "apps/phone_apps.h"
#include "apps/warning.h"
#include "core/launch.h"

#include <optional>

namespace kavu {

namespace {

const QString kApkFilter = QStringLiteral("*.apk");
const QString kAllFilter = QStringLiteral("*.*");

// Each Google package's check button, in the order of apps::kGooglePackages.
constexpr std::array<CheckButton * Ui_Software::*, apps::kGooglePackageCount> kGoogleChecks{
    &Ui_Software::gsf,    &Ui_Software::store, &Ui_Software::bt, &Ui_Software::gms,
    &Ui_Software::sousuo, &Ui_Software::duo,   &Ui_Software::dy, &Ui_Software::map,
    &Ui_Software::xc,     &Ui_Software::dri,   &Ui_Software::yx, &Ui_Software::yy,
};

// "显示设置表" opens the three settings tables, one console each, in this order.
constexpr FixedButton<Ui_Software, N_Shape> kFixedButtons[] = {
    {&Ui_Software::N_Shapeqqq, &apps::kCurrentActivity},
    {&Ui_Software::xsszb, &apps::kSettingsTables[0]},
    {&Ui_Software::xsszb, &apps::kSettingsTables[1]},
    {&Ui_Software::xsszb, &apps::kSettingsTables[2]},
};

} // namespace

Software::Software(App& app)
    : m_app(app)
    , m_ui(std::make_unique<Ui::Software>()) {
    m_ui->setupUi(this);
    // The install mode is selected in the design, so the list starts with the packages.
    m_files = std::make_unique<FilePicker>(app,
                                           FilePicker::Controls{*m_ui->Fileapk, *m_ui->Labelappr,
                                                                *m_ui->Lab2el1, *m_ui->Label9,
                                                                *m_ui->Labelopenfile},
                                           ListSide::Right, PickedName::AlsoBare, kApkFilter);
    m_ui->Textpat->setFont(monospaceFont());
    m_ui->APPText5->setFont(monospaceFont());

    connect(m_ui->insapk, &OptionButton::Click, this, [this] {
        if (m_ui->insapk->value()) {
            m_files->showFolder(kApkFilter);
        }
    });
    connect(m_ui->insfile, &OptionButton::Click, this, [this] {
        if (m_ui->insfile->value()) {
            m_files->showFolder(kAllFilter);
        }
    });
    connect(m_ui->N_Shapeinsta, &N_Shape::Click, this, &Software::execute);

    connectPackageButtons();
    connect(m_ui->all, &CheckButton::Click, this, &Software::selectAllGoogle);
    connect(m_ui->blockgoogle, &N_Shape::Click, this,
            [this] { runGoogle(*m_ui->blockgoogle, true); });
    connect(m_ui->enablegoogle, &N_Shape::Click, this,
            [this] { runGoogle(*m_ui->enablegoogle, false); });
}

Software::~Software() = default;

QString Software::packageName() const {
    return m_ui->APPText5->text();
}

void Software::execute() {
    const std::optional<QString> picked = m_files->acceptedPath();
    if (!picked) {
        return;
    }
    const QString& path = *picked;
    const bool visible = m_ui->fhz->value() == 1;
    const launch::Form& form = visible ? launch::kConsole : launch::kHidden;
    const apps::Shown shown = visible ? apps::Shown::Live : apps::Shown::Hidden;
    const QString fileName = m_files->currentFileName();
    if (m_ui->insapk->value()) {
        m_app.console().run(apps::installCommand(path).from(originOf(*m_ui->N_Shapeinsta)), form,
                            apps::installSuffix(shown, fileName));
    }
    if (m_ui->insfile->value()) {
        m_app.console().run(
            apps::pushCommand(path, m_ui->Textpat->text()).from(originOf(*m_ui->N_Shapeinsta)),
            form, apps::pushSuffix(shown, fileName));
    }
}

void Software::connectPackageButtons() {
    const auto onClick = [this](N_Shape* button, apps::PackageAction action) {
        connect(button, &N_Shape::Click, this, [this, button, action] {
            m_app.console().run(apps::packageCommand(action, packageName()).from(originOf(*button)),
                                launch::kConsole);
        });
    };
    onClick(m_ui->FREEZE, apps::PackageAction::Freeze);
    onClick(m_ui->UNFREEZE, apps::PackageAction::Unfreeze);
    onClick(m_ui->CLCDATA, apps::PackageAction::ClearData);
    onClick(m_ui->N_Shaunspe1, apps::PackageAction::Uninstall);
    onClick(m_ui->N_Shape2fc, apps::PackageAction::ForceStop);
    connectFixedButtons<Ui_Software, N_Shape>(*this, m_app.console(), *m_ui, kFixedButtons);
    connect(m_ui->N_Shapeclo, &N_Shape::Click, this, &Software::openCommunityPage);
    // Without a shell client nothing can be read from the phone.
    m_ui->Labelreadapps->setVisible(m_app.shellClient() != nullptr);
    connect(m_ui->Labelreadapps, &ClickLabel::clicked, this, &Software::readPhoneApps);
    // The removal of a system package runs only from the risk dialog, once the user confirmed.
    connect(m_ui->unsinssys, &N_Shape::Click, this, [this] { m_app.open<WARNING>(); });
}

void Software::openCommunityPage() {
    if (m_app.console().run(
            apps::communityPageCommand(packageName()).from(originOf(*m_ui->N_Shapeclo)),
            launch::kHidden)) {
        m_app.messages().show(tr("已跳转！请查看手机"), tr("提示"), MessageIcon::None);
    }
}

void Software::readPhoneApps() {
    if (m_phoneApps == nullptr) {
        m_phoneApps = new PhoneApps(m_app, *m_app.shellClient(), *this);
        connect(m_phoneApps, &PhoneApps::chosen, m_ui->APPText5, &QLineEdit::setText);
        m_phoneApps->placeBeside(*this);
    }
    m_phoneApps->show();
    m_phoneApps->raise();
    m_phoneApps->activateWindow();
    m_phoneApps->read();
}

void Software::selectAllGoogle() {
    const int target = m_ui->all->value() == 1 ? 1 : 0;
    for (CheckButton* Ui_Software::*check : kGoogleChecks) {
        ((*m_ui).*check)->setValue(target);
    }
}

void Software::runGoogle(const QWidget& button, bool freeze) {
    const Origin origin = originOf(button);
    for (std::size_t row = 0; row < apps::kGooglePackageCount; ++row) {
        if (((*m_ui).*kGoogleChecks[row])->value() != 1) {
            continue;
        }
        // Freezing the services framework leaves its console open, minimized, to be read.
        const bool keepConsole = freeze && row == 0;
        m_app.console().run(apps::googleCommand(freeze, apps::kGooglePackages[row]).from(origin),
                            keepConsole ? launch::kConsoleMinimized : launch::kHidden);
    }
    // The packages' consoles run on their own; this one tells the user to check the phone.
    m_app.console().startLine(shownConsoleText(launch::kGoogleDoneLine), launch::WindowMode::Normal,
                              origin);
}

} // namespace kavu
