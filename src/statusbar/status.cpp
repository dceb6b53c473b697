#include "statusbar/status.h"

#include "app/origin.h"
#include "ui_status.h"

#include "app/app.h"
#include "app/fixed_buttons.h"
#include "app/placement.h"
#include "core/launch.h"
#include "statusbar/status_commands.h"

#include <QLineEdit>

#include <array>
#include <utility>

namespace kavu {

namespace {

using statusbar::Icon;

const char* const kServerChangedNote =
    QT_TRANSLATE_NOOP("kavu::Status", "请开关飞行模式以验证是否成功！");

const char* const kStatusBarNote = QT_TRANSLATE_NOOP(
    "kavu::Status", "此功能可以临时隐藏状态栏并通过滑动呼出。 \r\n\r\n"
                    "对于不想隐藏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“状态栏”"
                    "按钮即可。");
const char* const kNavigationBarNote = QT_TRANSLATE_NOOP(
    "kavu::Status", "此功能可以临时隐藏导航栏并通过滑动呼出。 \r\n\r\n"
                    "对于不想隐藏导航栏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“"
                    "导航栏”按钮即可。\r\n\r\n"
                    "若要永久隐藏，请使用工具内的显示调节的边界调整功能！");

// Each icon's check button, in the order of the blacklist tokens.
constexpr std::array<std::pair<Icon, CheckButton * Ui_Status::*>, statusbar::kIconCount>
    kIconChecks{{
        {Icon::Volume, &Ui_Status::CheckButtonZEN},
        {Icon::Battery, &Ui_Status::CheckButtonBAT},
        {Icon::Clock, &Ui_Status::CheckButtontime},
        {Icon::Mobile, &Ui_Status::CheckButtonMOBILE},
        {Icon::Wifi, &Ui_Status::CheckButtonWLAN},
        {Icon::AlarmClock, &Ui_Status::CheckButtonALARM},
        {Icon::Headset, &Ui_Status::CheckButtonear},
        {Icon::Airplane, &Ui_Status::CheckButtonAIR},
        {Icon::Bluetooth, &Ui_Status::CheckButtonBT},
        {Icon::Location, &Ui_Status::CheckButtonLOC},
        {Icon::Cast, &Ui_Status::CheckButtoncast},
    }};

// Which command box a fixed button's command goes through.
constexpr FixedButton<Ui_Status, N_Shape> kFixedButtons[] = {
    {&Ui_Status::N_Shape1ons, &statusbar::kClockSecondsOn},
    {&Ui_Status::N_Shape2ofs, &statusbar::kClockSecondsOff},
    {&Ui_Status::N_Shape3_BATTINFO, &statusbar::kBatteryInfo},
    {&Ui_Status::N_Shape4_reset, &statusbar::kBatteryReset},
    {&Ui_Status::INIBAR, &statusbar::kImmersiveOff},
    {&Ui_Status::N_Shapedefaut, &statusbar::kImmersiveOff},
    {&Ui_Status::N_Shapedqhf, &statusbar::kIconPaddingDefault},
};

// The connectivity frame runs its commands through the window's own command box.
constexpr FixedButton<Ui_Status, N_Shape> kConnectivityButtons[] = {
    {&Ui_Status::N_Shape2cpon, &statusbar::kConnectivityCheckOn},
    {&Ui_Status::N_Shape3cpoff, &statusbar::kConnectivityCheckOff},
};

// The simulated charging states, one for each option.
constexpr std::array<std::pair<OptionButton * Ui_Status::*, const FixedCommand*>, 4> kChargeOptions{
    {
        {&Ui_Status::Option6shownocharge, &statusbar::kShowNotCharging},
        {&Ui_Status::Option5acchagre, &statusbar::kShowAcCharging},
        {&Ui_Status::Option4usbcharge, &statusbar::kShowUsbCharging},
        {&Ui_Status::Option3wirelesscharge, &statusbar::kShowWirelessCharging},
    }};

} // namespace

Status::Status(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::Status>()) {
    m_ui->setupUi(this);
    m_ui->INTERTEXT->setVisible(false);
    connectFixedButtons<Ui_Status, N_Shape>(*this, m_app.console(), *m_ui, kFixedButtons);
    connectFixedButtons<Ui_Status, N_Shape>(*this, m_app.console(), *m_ui, kConnectivityButtons,
                                            m_ui->INTERTEXT);
    connectIcons();
    connectBattery();
    connectImmersive();
    connectIconSettings();
    connectConnectivity();
    centreOnScreen(*this);
}

Status::~Status() = default;

void Status::connectIcons() {
    connect(m_ui->N_Shapehide, &N_Shape::Click, this, &Status::writeIconBlacklist);
}

void Status::connectBattery() {
    for (const auto& [member, command] : kChargeOptions) {
        OptionButton* option = (*m_ui).*member;
        connect(option, &OptionButton::Click, this,
                [this, option, command] { chargeOptionClicked(option, *command); });
    }
    connect(m_ui->N_Shape2battper, &N_Shape::Click, this, [this] {
        runHidden(*m_ui->N_Shape2battper,
                  statusbar::batteryLevelCommand(m_ui->Text10battper->text()));
    });
}

void Status::connectImmersive() {
    const auto hideBar = [this](const QWidget& button, statusbar::Bar bar, const QLineEdit* box) {
        runHidden(button, statusbar::immersiveCommand(bar, box->text()));
    };
    connect(m_ui->STATUSBAR, &N_Shape::Click, this, [this, hideBar] {
        hideBar(*m_ui->STATUSBAR, statusbar::Bar::Status, m_ui->Text10noncj);
    });
    connect(m_ui->NAVIBAR, &N_Shape::Click, this, [this, hideBar] {
        hideBar(*m_ui->NAVIBAR, statusbar::Bar::Navigation, m_ui->Text10noncjn);
    });
    connect(m_ui->N_Shape2notice, &N_Shape::Click, this,
            [this] { m_app.messages().show(tr(kStatusBarNote), QString(), MessageIcon::None); });
    connect(m_ui->N_Shape2notesofhidenav, &N_Shape::Click, this, [this] {
        m_app.messages().show(tr(kNavigationBarNote), QString(), MessageIcon::None);
    });
}

void Status::connectIconSettings() {
    connect(m_ui->QSNUM, &N_Shape::Click, this, [this] {
        runHidden(*m_ui->QSNUM, statusbar::quickSettingsCountCommand(m_ui->QSNUMS->text()));
    });
    connect(m_ui->N_Shapedq, &N_Shape::Click, this, [this] {
        runHidden(*m_ui->N_Shapedq, statusbar::iconPaddingCommand(m_ui->Textdq->text()));
    });
}

void Status::connectConnectivity() {
    connect(m_ui->MIUIC, &N_Shape::Click, this, [this] {
        runConnectivity(*m_ui->MIUIC, statusbar::connectivityServerCommand());
        m_app.messages().show(tr(kServerChangedNote), QString(), MessageIcon::None);
    });
}

void Status::writeIconBlacklist() {
    statusbar::HiddenIcons hidden{};
    for (const auto& [icon, check] : kIconChecks) {
        hidden[static_cast<std::size_t>(icon)] = ((*m_ui).*check)->isChecked();
    }
    runHidden(*m_ui->N_Shapehide, statusbar::iconBlacklistCommand(hidden));
}

void Status::chargeOptionClicked(OptionButton* option, const FixedCommand& command) {
    // Click comes once the option is selected; the state it shows already is not sent again.
    if (option == m_chargeShown) {
        return;
    }
    m_chargeShown = option;
    m_app.console().run(command, originOf(*option));
}

void Status::runHidden(const QWidget& button, Command command) {
    m_app.console().run(command.from(originOf(button)), launch::kHidden);
}

void Status::runConnectivity(const QWidget& button, Command command) {
    m_app.console().runThrough(*m_ui->INTERTEXT, command.from(originOf(button)), launch::kHidden);
}

} // namespace kavu
