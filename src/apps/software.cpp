#include "apps/software.h"

#include "ui_software.h"

#include "apps/community.h"
#include "apps/warning.h"
#include "core/launch.h"
#include "core/typed_text.h"
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

// Shows the lines of the focused window's dump that name the current activity; findstr runs on
// the PC, on the output of adb.
const QString kCurrentActivity =
    QStringLiteral("adb shell dumpsys window windows | findstr \"Current\"");
// Lab2el1 leaves this many blanks for the refresh link drawn over them.
constexpr int kLinkBlanks = 19;

QFont monospaceFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Consolas"), font.family()});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

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
    // The path goes into the command in double quotes, the name bare into the console title.
    const QString name = QFileInfo(path).fileName();
    if (isSafeToSplice(path.toStdString(), Splice::Quoted) &&
        isSafeToSplice(name.toStdString(), Splice::Unquoted)) {
        return true;
    }
    m_app.messages().show(
        QStringLiteral("所选文件的名称或路径含有不允许的字符（& | < > ^ \" 或换行），"
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
    if (m_ui->insapk->value()) {
        const QString fileName = currentFileName();
        m_app.run(QStringLiteral("adb install ") + quoted(path), form,
                  visible ? qtText(launch::installLiveSuffix(fileName.toStdString()))
                          : qtText(launch::kInstallResultSuffix));
    }
    if (m_ui->insfile->value()) {
        const QString destination = m_ui->Textpat->text();
        if (!m_app.acceptTyped(destination)) {
            return;
        }
        const QString fileName = currentFileName();
        // Both ends are quoted, so a blank in either reaches adb as part of one argument.
        m_app.run(QStringLiteral("adb push ") + quoted(path) + QStringLiteral("   ") +
                      quoted(QStringLiteral("/sdcard/") + destination),
                  form,
                  visible ? qtText(launch::pushLiveSuffix(fileName.toStdString()))
                          : qtText(launch::kPushResultSuffix));
    }
}

void Software::connectPackageButtons() {
    const auto onClick = [this](N_Shape* button, const QString& commandLead) {
        connect(button, &N_Shape::Click, this, [this, commandLead] { runForPackage(commandLead); });
    };
    onClick(m_ui->FREEZE, QStringLiteral("adb shell pm disable-user "));
    onClick(m_ui->UNFREEZE, QStringLiteral("adb shell pm enable "));
    onClick(m_ui->CLCDATA, QStringLiteral("adb shell pm clear "));
    onClick(m_ui->N_Shaunspe1, QStringLiteral("adb shell pm uninstall "));
    onClick(m_ui->N_Shape2fc, QStringLiteral("adb shell am force-stop "));
    connect(m_ui->N_Shapeqqq, &N_Shape::Click, this,
            [this] { m_app.run(kCurrentActivity, launch::kConsole); });
    connect(m_ui->xsszb, &N_Shape::Click, this, &Software::showSettingsTables);
    connect(m_ui->N_Shapeclo, &N_Shape::Click, this, &Software::openCommunityPage);
    // The removal of a system package runs only from the risk dialog, once the user confirmed.
    connect(m_ui->unsinssys, &N_Shape::Click, this, [this] { m_app.open<WARNING>(); });
}

void Software::runForPackage(const QString& commandLead) {
    const QString package = packageName();
    if (!m_app.acceptTyped(package)) {
        return;
    }
    m_app.run(commandLead + package, launch::kConsole);
}

void Software::showSettingsTables() {
    m_app.run(QStringLiteral("adb shell settings list global && title GLOBAL"), launch::kConsole);
    m_app.run(QStringLiteral("adb shell settings list secure && title SECURE"), launch::kConsole);
    m_app.run(QStringLiteral("adb shell settings list system && title SYSTEM"), launch::kConsole);
}

void Software::openCommunityPage() {
    const QString package = packageName();
    if (!m_app.acceptTyped(package)) {
        return;
    }
    m_app.run(QStringLiteral("adb shell am start -a android.intent.action.VIEW -d ") +
                  qtText(community::kSiteAddress) + qtText(community::kPackagePagePath) + package +
                  QStringLiteral(" -p ") + qtText(community::kAppPackage),
              launch::kHidden);
    m_app.messages().show(QStringLiteral("已跳转！请查看手机"), QStringLiteral("提示"),
                          MessageIcon::None);
}

std::array<Software::GoogleRow, 12> Software::googleRows() const {
    // The order in which both runs go through the packages.
    return {{
        {m_ui->gsf, QStringLiteral("com.google.android.gsf")},
        {m_ui->store, QStringLiteral("com.android.vending")},
        {m_ui->bt, QStringLiteral("com.google.android.backuptransport")},
        {m_ui->gms, QStringLiteral("com.google.android.gms")},
        {m_ui->sousuo, QStringLiteral("com.google.android.googlequicksearchbox")},
        {m_ui->duo, QStringLiteral("com.google.android.apps.tachyon")},
        {m_ui->dy, QStringLiteral("com.google.android.videos")},
        {m_ui->map, QStringLiteral("com.google.android.apps.maps")},
        {m_ui->xc, QStringLiteral("com.google.android.apps.photos")},
        {m_ui->dri, QStringLiteral("com.google.android.apps.docs")},
        {m_ui->yx, QStringLiteral("com.google.android.gm")},
        {m_ui->yy, QStringLiteral("com.google.android.music")},
    }};
}

void Software::selectAllGoogle() {
    const int target = m_ui->all->value() == 1 ? 1 : 0;
    for (CheckButton* button :
         {m_ui->gsf, m_ui->yy, m_ui->dri, m_ui->yx, m_ui->bt, m_ui->map, m_ui->duo, m_ui->sousuo,
          m_ui->gms, m_ui->xc, m_ui->dy, m_ui->store}) {
        button->setValue(target);
    }
}

void Software::runGoogle(bool freeze) {
    const QString lead = freeze ? QStringLiteral("adb shell pm disable-user ")
                                : QStringLiteral("adb shell pm enable ");
    const std::array<GoogleRow, 12> rows = googleRows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].button->value() != 1) {
            continue;
        }
        // Freezing the services framework leaves its console open, minimized, to be read.
        const bool keepConsole = freeze && row == 0;
        m_app.run(lead + rows[row].package,
                  keepConsole ? launch::kConsoleMinimized : launch::kHidden);
    }
    // The packages' consoles run on their own; this one tells the user to check the phone.
    m_app.startLine(qtText(launch::kGoogleDoneLine), launch::WindowMode::Normal);
}

} // namespace kavu
