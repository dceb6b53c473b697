#include "input/keysimu.h"

#include "ui_keysimu.h"

#include "core/launch.h"
#include "input/input_commands.h"
#include "shell/app.h"
#include "shell/placement.h"

#include <QLineEdit>

#include <array>
#include <utility>

namespace kavu {

namespace {

// Each key button and the command it sends. Key 187 keeps its trailing space, and "播放/暂停"
// sends key 86.
const std::array<std::pair<N_Shape * Ui_keysimu::*, QStringView>, 16> kKeys{{
    {&Ui_keysimu::N_Shapeprev, u"adb shell input keyevent 88"},
    {&Ui_keysimu::N_Shapenex, u"adb shell input keyevent 87"},
    {&Ui_keysimu::N_Shapepaus, u"adb shell input keyevent 86"},
    {&Ui_keysimu::N_Shapeleft, u"adb shell input keyevent 21"},
    {&Ui_keysimu::N_Shaperight, u"adb shell input keyevent 22"},
    {&Ui_keysimu::N_Shapedown, u"adb shell input keyevent 20"},
    {&Ui_keysimu::Enter, u"adb shell input keyevent 66"},
    {&Ui_keysimu::N_Shapetop, u"adb shell input keyevent 19"},
    // The back button beside the arrows is the same back key as the one below.
    {&Ui_keysimu::N_Shape4, u"adb shell input keyevent 4"},
    {&Ui_keysimu::MEUNWARD, u"adb shell input keyevent 187 "},
    {&Ui_keysimu::HOMEWARD, u"adb shell input keyevent 3"},
    {&Ui_keysimu::BACKWARD, u"adb shell input keyevent 4"},
    {&Ui_keysimu::LOCKSCR, u"adb shell input keyevent 26"},
    {&Ui_keysimu::VOLDOWN, u"adb shell input keyevent 25"},
    {&Ui_keysimu::VOLUP, u"adb shell input keyevent 24"},
    {&Ui_keysimu::MUTE, u"adb shell input keyevent 164"},
}};

} // namespace

keysimu::keysimu(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::keysimu>()) {
    m_ui->setupUi(this);
    centreOnScreen(*this);
    for (const auto& [button, command] : kKeys) {
        connect((*m_ui).*button, &N_Shape::Click, this,
                [this, command] { m_app.console().run(Command(command), launch::kHidden); });
    }
    connect(m_ui->N_Shapesendd, &N_Shape::Click, this, &keysimu::sendText);
    connect(m_ui->N_Shape6clear, &N_Shape::Click, m_ui->Textsend, &QLineEdit::clear);
}

keysimu::~keysimu() = default;

void keysimu::sendText() {
    m_app.console().run(input::textCommand(m_ui->Textsend->text()), launch::kHidden);
}

} // namespace kavu
