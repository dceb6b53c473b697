#include "display/phone_area.h"

#include "app/origin.h"
#include "ui_phone_area.h"

#include "app/app.h"
#include "app/placement.h"
#include "app/qt_text.h"
#include "core/launch.h"
#include "core/numeric.h"
#include "display/display_commands.h"
#include "display/font_scale_offset.h"

#include <QLineEdit>

namespace kavu {

namespace {

const char* const kFontScaleCaption = QT_TRANSLATE_NOOP("kavu::PhoneArea", "当前操作缩放为：");

} // namespace

PhoneArea::PhoneArea(App& app, FontScaleOffset& offset, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_offset(offset)
    , m_ui(std::make_unique<Ui::PhoneArea>()) {
    m_ui->setupUi(this);
    centreOnScreen(*this);

    connect(m_ui->WINSOK, &N_Shape::Click, this, [this] {
        sendAnimationScale(*m_ui->WINSOK, display::kWindowAnimationScale, *m_ui->WINS);
    });
    connect(m_ui->DURASOK, &N_Shape::Click, this, [this] {
        sendAnimationScale(*m_ui->DURASOK, display::kTransitionAnimationScale, *m_ui->DURAS);
    });
    connect(m_ui->PROGSOK, &N_Shape::Click, this, [this] {
        sendAnimationScale(*m_ui->PROGSOK, display::kAnimatorDurationScale, *m_ui->PROGS);
    });
    connect(m_ui->N_Shapefd, &N_Shape::Click, this,
            [this] { stepFontScale(*m_ui->N_Shapefd, &FontScaleOffset::stepUp); });
    connect(m_ui->N_Shapefx, &N_Shape::Click, this,
            [this] { stepFontScale(*m_ui->N_Shapefx, &FontScaleOffset::stepDown); });
    connect(m_ui->N_Shapeztmr, &N_Shape::Click, this, &PhoneArea::resetFontScale);
}

PhoneArea::~PhoneArea() = default;

// The box's numeric value goes out as decimal text: empty or non-numeric text sends 0, which
// switches that animation off. The box itself is left as typed.
void PhoneArea::sendAnimationScale(const QWidget& button, QStringView setting,
                                   const QLineEdit& box) {
    m_app.console().run(
        display::animationScaleCommand(setting, numericValueOf(box.text())).from(originOf(button)),
        launch::kHidden);
}

void PhoneArea::stepFontScale(const QWidget& button, void (FontScaleOffset::*step)()) {
    (m_offset.*step)();
    m_app.console().run(display::fontScaleCommand(m_offset.fontScale()).from(originOf(button)),
                        launch::kHidden);
    showFontScale(decimalTextOf(m_offset.fontScale()));
}

void PhoneArea::resetFontScale() {
    m_app.console().run(display::kFontScaleReset, originOf(*m_ui->N_Shapeztmr));
    m_offset.reset();
    showFontScale(decimalTextOf(m_offset.fontScale()));
}

void PhoneArea::showFontScale(const QString& scale) {
    m_ui->Labelsfbs->setText(tr(kFontScaleCaption) + scale);
}

} // namespace kavu
