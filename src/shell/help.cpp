#include "shell/help.h"

#include "app/origin.h"
#include "ui_help.h"

#include "app/addresses.h"
#include "app/app.h"
#include "app/placement.h"
#include "app/qt_text.h"
#include "app/text_layout.h"
#include "shell/picture.h"
#include "shell/shell_commands.h"

#include <QFrame>

namespace kavu {

namespace {

// Every page stands at (1560, 8) twips in the window.
const QPoint kPageTopLeft(1560 / 15, 1);

const char* const kNoV3Edition =
    QT_TRANSLATE_NOOP("kavu::Help", "Kavu 没有单独的 V3 版：电脑端的功能都已包含在本程序中。");

} // namespace

Help::Help(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::Help>()) {
    m_ui->setupUi(this);
    m_ui->Textz->setVisible(false);
    m_ui->Textz->setText(shell::kRegistryRepair.toString());

    // The answer to the dragging question leaves two runs of blanks for the labels set into them.
    const QString dragAnswer = tr("A：一般为注册表问题。先将本工具箱退出，") +
                               QString(38, QLatin1Char(' ')) + tr("再") +
                               QString(25, QLatin1Char(' ')) + tr("即可。");
    m_ui->Labeldraganswer->setText(dragAnswer);
    const qsizetype firstRun = dragAnswer.indexOf(QString(38, QLatin1Char(' ')));
    placeInBlankRuns(*m_ui->Labeldraganswer,
                     {{*m_ui->Labeladmin, firstRun, 38}, {*m_ui->Label7, firstRun + 38 + 1, 25}});
    // Each picture has its words drawn in; the translation names the picture in its language.
    //: The help picture of the phone's USB debugging prompt, drawn with this language's words.
    showPicture(*m_ui->Imageauth, tr(":/pictures/usb_debugging_prompt.png"));
    //: The help picture of the apps allowed on top, drawn with this language's words.
    showPicture(*m_ui->Imageontop, tr(":/pictures/apps_on_top.png"));

    connect(m_ui->INTRO1, &ClickLabel::clicked, this, [this] { showPage(m_ui->INTRO); });
    connect(m_ui->INTRO2, &ClickLabel::clicked, this, [this] { showPage(m_ui->USBQA); });
    connect(m_ui->INTRO3, &ClickLabel::clicked, this, [this] { showPage(m_ui->COMMONQA); });
    connect(m_ui->DOWNOLD1, &N_Shape::Click, this,
            [this] { openAddress(addresses::kUsbDriverArchive); });
    connect(m_ui->DOWNLOAD2, &N_Shape::Click, this,
            [this] { openAddress(addresses::kUsbDriverInstallers); });
    // This program has no other edition to download; the button says so instead.
    connect(m_ui->V3, &N_Shape::Click, this,
            [this] { m_app.messages().show(tr(kNoV3Edition), tr("提示"), MessageIcon::None); });
    connect(m_ui->Label7, &ClickLabel::clicked, this, &Help::repairRegistry);

    showPage(m_ui->INTRO);
    centreOnScreen(*this);
}

Help::~Help() = default;

void Help::showPage(QFrame* page) {
    for (QFrame* each : {m_ui->INTRO, m_ui->USBQA, m_ui->COMMONQA}) {
        each->setVisible(each == page);
    }
    page->move(kPageTopLeft);
}

void Help::openAddress(std::string_view address) {
    m_app.browser().open(qtText(address));
}

void Help::repairRegistry() {
    m_app.console().startLine(shell::registryRepairLine(m_ui->Textz->text()),
                              launch::WindowMode::Normal, originOf(*m_ui->Label7));
}

} // namespace kavu
