#include "shell/about.h"

#include "ui_about.h"

#include "app/addresses.h"
#include "app/app.h"
#include "app/placement.h"
#include "app/qt_text.h"

namespace kavu {

namespace {

constexpr qint16 kClicksForMessage = 5;

const char* const kNoUpdatePage =
    QT_TRANSLATE_NOOP("kavu::About", "Kavu 没有网盘更新页面：新版本随项目源码一同发布。");

} // namespace

About::About(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::About>()) {
    m_ui->setupUi(this);
    m_ui->Label13->setText(qtText(addresses::kAndroidSource));
    m_ui->Label14->setText(qtText(addresses::kAndroidReference));
    m_ui->Label10->setText(qtText(addresses::kIconLibrary));

    connect(m_ui->Label2, &ClickLabel::clicked, this, &About::countVersionClick);
    // This program has no download page of its own; the button says so instead.
    connect(m_ui->N_Shape1, &N_Shape::Click, this,
            [this] { m_app.messages().show(tr(kNoUpdatePage), tr("提示"), MessageIcon::None); });
    connect(m_ui->Label13, &ClickLabel::clicked, this,
            [this] { openAddress(addresses::kAndroidSource); });
    connect(m_ui->Label14, &ClickLabel::clicked, this,
            [this] { openAddress(addresses::kAndroidReference); });
    connect(m_ui->Label10, &ClickLabel::clicked, this,
            [this] { openAddress(addresses::kIconLibrary); });
    centreOnScreen(*this);
}

About::~About() = default;

void About::countVersionClick() {
    if (++m_versionClicks == kClicksForMessage) {
        m_versionClicks = 0;
        m_app.messages().show(QStringLiteral("         You've got it!"), QStringLiteral("    "),
                              MessageIcon::None);
    }
}

void About::openAddress(std::string_view address) {
    m_app.browser().open(qtText(address));
}

} // namespace kavu
