#include "flash/okc.h"

#include "app/origin.h"
#include "ui_okc.h"

#include "app/app.h"
#include "app/fastboot_watch.h"
#include "app/file_picker.h"
#include "app/fixed_buttons.h"
#include "app/placement.h"
#include "flash/flash_commands.h"

#include <array>
#include <optional>
#include <utility>

namespace kavu {

namespace {

using flash::Partition;

// The partition options in the order "刷入" tests them.
constexpr std::array<std::pair<OptionButton * Ui_OKC::*, Partition>, 5> kPartitions{{
    {&Ui_OKC::recf, Partition::Recovery},
    {&Ui_OKC::sysf, Partition::System},
    {&Ui_OKC::perf, Partition::Persist},
    {&Ui_OKC::botf, Partition::Boot},
    {&Ui_OKC::zdyf, Partition::Custom},
}};

constexpr FixedButton<Ui_OKC, N_Shape> kFixedButtons[] = {
    {&Ui_OKC::N_Shapetefb1, &flash::kFastbootDevices},
    {&Ui_OKC::REC, &flash::kRebootRecovery},
    {&Ui_OKC::FB, &flash::kRebootBootloader},
    {&Ui_OKC::EDL, &flash::kRebootEdl},
    {&Ui_OKC::DOWNLOAD, &flash::kRebootDownload},
    {&Ui_OKC::N_Shaperebfb, &flash::kFastbootReboot},
    {&Ui_OKC::N_ShapeADB, &flash::kAdbReboot},
    {&Ui_OKC::ACTHY, &flash::kBreventStart},
    {&Ui_OKC::SHIZUKU, &flash::kShizukuStart},
};

} // namespace

OKC::OKC(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::OKC>()) {
    m_ui->setupUi(this);
    m_images = std::make_unique<FilePicker>(
        app,
        FilePicker::Controls{*m_ui->File1, *m_ui->Labelappr, *m_ui->Label6ml22h, *m_ui->Label9,
                             *m_ui->Labelopenfile},
        ListSide::Left, PickedName::InPathOnly, QStringLiteral("*.img"));
    m_ui->Textzdy->setFont(monospaceFont());
    m_ui->Textzdy->setVisible(false);
    centreOnScreen(*this);

    connectPartitions();
    connect(m_ui->N_Shapeshuaru, &N_Shape::Click, this, &OKC::flash);
    connectFixedButtons<Ui_OKC, N_Shape>(*this, m_app.console(), *m_ui, kFixedButtons);
    // Phones in fastboot mode are listed while the window is open: its lines are for them.
    m_fastboot = m_app.fastbootWatch();
    if (m_fastboot != nullptr) {
        m_fastboot->hold();
    }
}

OKC::~OKC() {
    if (m_fastboot != nullptr) {
        m_fastboot->release();
    }
}

void OKC::connectPartitions() {
    for (const auto& [option, partition] : kPartitions) {
        OptionButton* button = (*m_ui).*option;
        connect(button, &OptionButton::Click, this, [this, button] { partitionClicked(button); });
    }
}

void OKC::partitionClicked(const OptionButton* option) {
    m_ui->Textzdy->setVisible(option == m_ui->zdyf);
}

void OKC::flash() {
    // Before a pick the selection holds the label's design caption, which is no image.
    const std::optional<QString> image = m_images->acceptedPath();
    if (!image) {
        return;
    }
    for (const auto& [option, partition] : kPartitions) {
        if (!((*m_ui).*option)->value()) {
            continue;
        }
        // fastboot would read the image's path as the partition's name.
        if (partition == Partition::Custom && m_ui->Textzdy->text().isEmpty()) {
            m_app.messages().show(tr("请填写分区名！"), tr("警告!"), MessageIcon::Critical);
            return;
        }
        const bool flashed =
            m_app.console().run(flash::flashCommand(partition, *image, m_ui->Textzdy->text())
                                    .from(originOf(*m_ui->N_Shapeshuaru)),
                                launch::kConsole, flash::flashSuffix(partition));
        if (flashed && partition == Partition::Recovery) {
            // Boots the new recovery once; the window does not answer meanwhile.
            m_app.console().pause(flash::kBootDelayMilliseconds);
            m_app.console().run(flash::bootCommand(*image).from(originOf(*m_ui->N_Shapeshuaru)),
                                launch::kHidden);
        }
        return;
    }
}

} // namespace kavu
