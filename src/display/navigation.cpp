#include "display/navigation.h"

#include "app/origin.h"
#include "ui_navigation.h"

#include "app/app.h"
#include "app/fixed_buttons.h"
#include "app/placement.h"
#include "app/qt_text.h"
#include "core/launch.h"
#include "core/numeric.h"
#include "display/display_commands.h"

#include <array>
#include <QLineEdit>
#include <utility>

namespace kavu {

namespace {

const char* const kWarningTitle = QT_TRANSLATE_NOOP("kavu::Navigation", "警告!");
// The same title over the notes after a change, which warn of nothing gone wrong.
struct CommentedText {
    const char* source;
    const char* comment;
};
constexpr CommentedText kNoteTitle =
    QT_TRANSLATE_NOOP3("kavu::Navigation", "警告!", "the title of a note after a change");
const char* const kNoDpi = QT_TRANSLATE_NOOP("kavu::Navigation", "未填写DPI！");
const char* const kNoDp = QT_TRANSLATE_NOOP("kavu::Navigation", "未填写dp！");
const char* const kNoWidth = QT_TRANSLATE_NOOP("kavu::Navigation", "未填写纵向分辨率！");
const char* const kBadDp = QT_TRANSLATE_NOOP("kavu::Navigation", "dp值无效！");
const char* const kDensityDone = QT_TRANSLATE_NOOP(
    "kavu::Navigation", "操作完成！部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！");
const char* const kResolutionWarning = QT_TRANSLATE_NOOP(
    "kavu::Navigation", "部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！");

constexpr FixedButton<Ui_Navigation, N_Shape> kFixedButtons[] = {
    {&Ui_Navigation::DPINUL, &display::kDensityReset},
    {&Ui_Navigation::N_ShapeRESET, &display::kSizeReset},
};

double valueOf(const QLineEdit& box) {
    return numericValueOf(box.text());
}

} // namespace

Navigation::Navigation(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::Navigation>()) {
    m_ui->setupUi(this);
    centreOnScreen(*this);

    // The density is given in dpi until the user picks the dp way.
    m_ui->dpio->setValue(true);
    m_ui->Textdp->setEnabled(false);
    m_ui->Textdd->setEnabled(false);

    connectEdges();
    connect(m_ui->BORDERST, &N_Shape::Click, this, &Navigation::resetEdges);
    connect(m_ui->dpio, &OptionButton::Click, this, &Navigation::chooseDpi);
    connect(m_ui->dpo, &OptionButton::Click, this, &Navigation::chooseDp);
    connect(m_ui->DPIYES, &N_Shape::Click, this, &Navigation::setDensity);
    connect(m_ui->RESOK, &N_Shape::Click, this, &Navigation::setResolution);
    connectFixedButtons<Ui_Navigation, N_Shape>(*this, m_app.console(), *m_ui, kFixedButtons);
}

Navigation::~Navigation() = default;

// The edge boxes are named crosswise: Texttop holds the left inset, Textdown the top, Textleft
// the right and Textright the bottom. An arrow pointing towards the screen's centre adds the step
// (the screen shrinks from that edge); one pointing away subtracts it.
void Navigation::connectEdges() {
    struct Arrow {
        N_Shape* button;
        QLineEdit* edge;
        Move move;
    };
    const Arrow arrows[] = {
        {m_ui->N_Shapeleftl, m_ui->Texttop, Move::Outwards},
        {m_ui->N_Shapeleftr, m_ui->Texttop, Move::Inwards},
        {m_ui->N_Shapetops, m_ui->Textdown, Move::Outwards},
        {m_ui->N_Shapetopx, m_ui->Textdown, Move::Inwards},
        {m_ui->N_Shapedowns, m_ui->Textright, Move::Inwards},
        {m_ui->N_Shapedownx, m_ui->Textright, Move::Outwards},
        {m_ui->N_Shaperightr, m_ui->Textleft, Move::Inwards},
        {m_ui->N_Shaperightl, m_ui->Textleft, Move::Outwards},
    };
    for (const Arrow& arrow : arrows) {
        connect(arrow.button, &N_Shape::Click, this,
                [this, arrow] { moveEdge(*arrow.button, *arrow.edge, arrow.move); });
    }
}

// The moved edge gets the decimal text of its new value; the other three go into the command as
// typed, and the edge changes only when the command runs.
void Navigation::moveEdge(const QWidget& arrow, QLineEdit& edge, Move move) {
    QLineEdit* const edges[] = {m_ui->Texttop, m_ui->Textdown, m_ui->Textleft, m_ui->Textright};
    const double step = valueOf(*m_ui->textstep);
    const double inset = valueOf(edge);
    const double moved = move == Move::Inwards ? inset + step : inset - step;
    std::array<QString, 4> typed;
    std::size_t movedEdge = 0;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        typed[i] = edges[i]->text();
        movedEdge = edges[i] == &edge ? i : movedEdge;
    }
    if (m_app.console().run(display::overscanCommand(typed, movedEdge, moved).from(originOf(arrow)),
                            launch::kHidden)) {
        edge.setText(decimalTextOf(moved));
    }
}

void Navigation::resetEdges() {
    for (QLineEdit* box : {m_ui->Texttop, m_ui->Textdown, m_ui->Textleft, m_ui->Textright}) {
        box->setText(QStringLiteral("0"));
    }
    m_app.console().run(display::kOverscanReset, originOf(*m_ui->BORDERST));
}

void Navigation::chooseDpi() {
    m_ui->DPIVAL->setEnabled(true);
    m_ui->Textdp->setEnabled(false);
    m_ui->Textdd->setEnabled(false);
}

void Navigation::chooseDp() {
    m_ui->DPIVAL->setEnabled(false);
    m_ui->Textdp->setEnabled(true);
    m_ui->Textdd->setEnabled(true);
}

// Only an exactly empty box is missing: a box holding a blank reads as 0 and is sent.
void Navigation::setDensity() {
    if (m_ui->dpio->value()) {
        if (m_ui->DPIVAL->text().isEmpty()) {
            refuse(tr(kNoDpi));
            return;
        }
    } else if (m_ui->dpo->value()) {
        if (m_ui->Textdp->text().isEmpty()) {
            refuse(tr(kNoDp));
            return;
        }
        if (m_ui->Textdd->text().isEmpty()) {
            refuse(tr(kNoWidth));
            return;
        }
        // A dp value that reads as 0, or a density beyond 16 bits, gives no usable density.
        const auto density =
            display::densityForSmallestWidth(valueOf(*m_ui->Textdp), valueOf(*m_ui->Textdd));
        if (!density) {
            refuse(tr(kBadDp));
            return;
        }
        m_ui->DPIVAL->setText(decimalTextOf(*density));
    } else {
        return;
    }
    if (m_app.console().run(
            display::densityCommand(valueOf(*m_ui->DPIVAL)).from(originOf(*m_ui->DPIYES)),
            launch::kHidden)) {
        m_app.messages().show(tr(kDensityDone), tr(kNoteTitle.source, kNoteTitle.comment),
                              MessageIcon::Exclamation);
    }
}

// The warning comes first; the command runs once the user has closed it. Empty or non-numeric
// boxes send 0.
void Navigation::setResolution() {
    m_app.messages().show(tr(kResolutionWarning), tr(kNoteTitle.source, kNoteTitle.comment),
                          MessageIcon::Exclamation);
    m_app.console().run(display::resolutionCommand(valueOf(*m_ui->HOR), valueOf(*m_ui->VER))
                            .from(originOf(*m_ui->RESOK)),
                        launch::kHidden);
}

void Navigation::refuse(const QString& message) {
    m_app.messages().show(message, tr(kWarningTitle), MessageIcon::Critical);
}

} // namespace kavu
