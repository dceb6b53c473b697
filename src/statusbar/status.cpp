#include "statusbar/status.h"

#include "ui_status.h"

#include "core/launch.h"
#include "shell/app.h"
#include "shell/placement.h"
#include "statusbar/status_commands.h"

#include <QLineEdit>

#include <array>
#include <utility>

namespace kavu {

namespace {

using statusbar::Icon;

constexpr QStringView kClockSecondsOn = u"adb shell settings put secure clock_seconds 1";
constexpr QStringView kClockSecondsOff = u"adb shell settings put secure clock_seconds 0";

constexpr QStringView kShowNotCharging = u"adb shell dumpsys battery set status 1";
constexpr QStringView kShowAcCharging = u"adb shell dumpsys battery set ac 1";
constexpr QStringView kShowUsbCharging = u"adb shell dumpsys battery set usb 1";
constexpr QStringView kShowWirelessCharging = u"adb shell dumpsys battery set wireless 1";
constexpr QStringView kBatteryInfo = u"adb shell dumpsys battery ";
constexpr QStringView kBatteryReset = u"adb shell dumpsys battery reset";

constexpr QStringView kImmersiveOff = u"adb shell settings put global policy_control null";
constexpr QStringView kIconPaddingDefault =
    u"adb shell settings delete secure sysui_rounded_content_padding";

constexpr QStringView kConnectivityCheckOn =
    u"adb shell settings put global captive_portal_detection_enabled 1";
constexpr QStringView kConnectivityCheckOff =
    u"adb shell settings put global captive_portal_detection_enabled 0";
const QString kServerChangedNote = QStringLiteral("请开关飞行模式以验证是否成功！");

const QString kStatusBarNote =
    QStringLiteral("此功能可以临时隐藏状态栏并通过滑动呼出。 \r\n\r\n"
                   "对于不想隐藏的应用，可以输入包名。若想恢复隐藏，则包名框不填，直接点击“状态栏”"
                   "按钮即可。");
const QString kNavigationBarNote =
    QStringLiteral("此功能可以临时隐藏导航栏并通过滑动呼出。 \r\n\r\n"
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

} // namespace

Status::Status(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::Status>()) {
    m_ui->setupUi(this);
    m_ui->INTERTEXT->setVisible(false);
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
    connect(m_ui->N_Shape1ons, &N_Shape::Click, this, [this] { runHidden(kClockSecondsOn); });
    connect(m_ui->N_Shape2ofs, &N_Shape::Click, this, [this] { runHidden(kClockSecondsOff); });
}

void Status::connectBattery() {
    const auto onSelected = [this](OptionButton* option, QStringView command) {
        connect(option, &OptionButton::Click, this,
                [this, option, command] { chargeOptionClicked(option, command); });
    };
    onSelected(m_ui->Option6shownocharge, kShowNotCharging);
    onSelected(m_ui->Option5acchagre, kShowAcCharging);
    onSelected(m_ui->Option4usbcharge, kShowUsbCharging);
    onSelected(m_ui->Option3wirelesscharge, kShowWirelessCharging);

    connect(m_ui->N_Shape2battper, &N_Shape::Click, this,
            [this] { runHidden(statusbar::batteryLevelCommand(m_ui->Text10battper->text())); });
    connect(m_ui->N_Shape3_BATTINFO, &N_Shape::Click, this,
            [this] { m_app.console().run(Command(kBatteryInfo), launch::kConsole); });
    connect(m_ui->N_Shape4_reset, &N_Shape::Click, this, [this] { runHidden(kBatteryReset); });
}

void Status::connectImmersive() {
    const auto hideBar = [this](statusbar::Bar bar, const QLineEdit* box) {
        runHidden(statusbar::immersiveCommand(bar, box->text()));
    };
    connect(m_ui->STATUSBAR, &N_Shape::Click, this,
            [this, hideBar] { hideBar(statusbar::Bar::Status, m_ui->Text10noncj); });
    connect(m_ui->NAVIBAR, &N_Shape::Click, this,
            [this, hideBar] { hideBar(statusbar::Bar::Navigation, m_ui->Text10noncjn); });
    connect(m_ui->INIBAR, &N_Shape::Click, this, [this] { runHidden(kImmersiveOff); });
    connect(m_ui->N_Shapedefaut, &N_Shape::Click, this, [this] { runHidden(kImmersiveOff); });
    connect(m_ui->N_Shape2notice, &N_Shape::Click, this,
            [this] { m_app.messages().show(kStatusBarNote, QString(), MessageIcon::None); });
    connect(m_ui->N_Shape2notesofhidenav, &N_Shape::Click, this,
            [this] { m_app.messages().show(kNavigationBarNote, QString(), MessageIcon::None); });
}

void Status::connectIconSettings() {
    connect(m_ui->QSNUM, &N_Shape::Click, this,
            [this] { runHidden(statusbar::quickSettingsCountCommand(m_ui->QSNUMS->text())); });
    connect(m_ui->N_Shapedq, &N_Shape::Click, this,
            [this] { runHidden(statusbar::iconPaddingCommand(m_ui->Textdq->text())); });
    connect(m_ui->N_Shapedqhf, &N_Shape::Click, this, [this] { runHidden(kIconPaddingDefault); });
}

void Status::connectConnectivity() {
    connect(m_ui->N_Shape2cpon, &N_Shape::Click, this,
            [this] { runConnectivity(kConnectivityCheckOn); });
    connect(m_ui->N_Shape3cpoff, &N_Shape::Click, this,
            [this] { runConnectivity(kConnectivityCheckOff); });
    connect(m_ui->MIUIC, &N_Shape::Click, this, [this] {
        runConnectivity(statusbar::connectivityServerCommand());
        m_app.messages().show(kServerChangedNote, QString(), MessageIcon::None);
    });
}

void Status::writeIconBlacklist() {
    statusbar::HiddenIcons hidden{};
    for (const auto& [icon, check] : kIconChecks) {
        hidden[static_cast<std::size_t>(icon)] = ((*m_ui).*check)->isChecked();
    }
    runHidden(statusbar::iconBlacklistCommand(hidden));
}

void Status::chargeOptionClicked(OptionButton* option, QStringView command) {
    // The option raises Click also for a Space press before it is selected, and for one on the
    // option already selected; only the option becoming selected shows a new charging state.
    if (!option->value() || option == m_chargeShown) {
        return;
    }
    m_chargeShown = option;
    runHidden(Command(command));
}

void Status::runHidden(QStringView command) {
    runHidden(Command(command));
}

void Status::runHidden(const Command& command) {
    m_app.console().run(command, launch::kHidden);
}

void Status::runConnectivity(QStringView command) {
    runConnectivity(Command(command));
}

void Status::runConnectivity(const Command& command) {
    m_app.console().runThrough(*m_ui->INTERTEXT, command, launch::kHidden);
}

} // namespace kavu
