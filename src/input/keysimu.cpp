#include "input/keysimu.h"

#include "app/origin.h"
#include "ui_keysimu.h"

#include "app/app.h"
#include "app/fixed_buttons.h"
#include "app/placement.h"
#include "core/launch.h"
#include "input/input_commands.h"

#include <QLineEdit>

#include <utility>

namespace kavu {

namespace {

// Each key button and the key it sends; "播放/暂停" sends the play/pause key.
constexpr FixedButton<Ui_keysimu, N_Shape> kKeys[] = {
    {&Ui_keysimu::N_Shapeprev, &input::kKeyPrevious},
    {&Ui_keysimu::N_Shapenex, &input::kKeyNext},
    {&Ui_keysimu::N_Shapepaus, &input::kKeyPlayPause},
    {&Ui_keysimu::N_Shapeleft, &input::kKeyLeft},
    {&Ui_keysimu::N_Shaperight, &input::kKeyRight},
    {&Ui_keysimu::N_Shapedown, &input::kKeyDown},
    {&Ui_keysimu::Enter, &input::kKeyEnter},
    {&Ui_keysimu::N_Shapetop, &input::kKeyUp},
    // The back button beside the arrows is the same back key as the one below.
    {&Ui_keysimu::N_Shape4, &input::kKeyBack},
    {&Ui_keysimu::MEUNWARD, &input::kKeyRecentApps},
    {&Ui_keysimu::HOMEWARD, &input::kKeyHome},
    {&Ui_keysimu::BACKWARD, &input::kKeyBack},
    {&Ui_keysimu::LOCKSCR, &input::kKeyPower},
    {&Ui_keysimu::VOLDOWN, &input::kKeyVolumeDown},
    {&Ui_keysimu::VOLUP, &input::kKeyVolumeUp},
    {&Ui_keysimu::MUTE, &input::kKeyMute},
};

} // namespace

keysimu::keysimu(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::keysimu>()) {
    m_ui->setupUi(this);
    centreOnScreen(*this);
    connectFixedButtons<Ui_keysimu, N_Shape>(*this, m_app.console(), *m_ui, kKeys);
    connect(m_ui->N_Shapesendd, &N_Shape::Click, this, &keysimu::sendText);
    connect(m_ui->N_Shape6clear, &N_Shape::Click, m_ui->Textsend, &QLineEdit::clear);
}

keysimu::~keysimu() = default;

void keysimu::sendText() {
    m_app.console().run(
        input::textCommand(m_ui->Textsend->text()).from(originOf(*m_ui->N_Shapesendd)),
        launch::kHidden);
}

} // namespace kavu
