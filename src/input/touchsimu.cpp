#include "input/touchsimu.h"

#include "app/origin.h"
#include "ui_touchsimu.h"

#include "app/app.h"
#include "app/device_choice.h"
#include "app/placement.h"
#include "app/qt_text.h"
#include "core/launch.h"
#include "core/typed_text.h"
#include "devices/adb_shell_client.h"
#include "input/tap_run.h"

#include <QLineEdit>
#include <QTimer>

#include <initializer_list>

namespace kavu {

namespace {

const char* const kShortIntervalWarning = QT_TRANSLATE_NOOP(
    "kavu::touchsimu", "小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！");
const char* const kWarningTitle = QT_TRANSLATE_NOOP("kavu::touchsimu", "警告!");

constexpr int kIndicatorInterval = 70;
// The width that shows the cycle indicator beside the controls.
constexpr int kRevealedWidth = 471;

QTimer* makeTimer(QObject* owner, const QString& name, Qt::TimerType type) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setTimerType(type);
    return timer;
}

void setShown(std::initializer_list<QWidget*> controls, bool shown) {
    for (QWidget* control : controls) {
        control->setVisible(shown);
    }
}

// A box shown a text it already holds is left alone: a run shows its points in the boxes each
// cycle, mostly the same ones, and setting a text repaints the box and tells screen readers.
void showText(QLineEdit& box, const QString& text) {
    if (box.text() != text) {
        box.setText(text);
    }
}

// Exchanges two boxes' texts through the spare box, which keeps the first box's former text.
void swapThrough(QLineEdit& spare, QLineEdit& first, QLineEdit& second) {
    spare.setText(first.text());
    first.setText(second.text());
    second.setText(spare.text());
}

} // namespace

touchsimu::touchsimu(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::touchsimu>())
    , m_indicatorTimer(makeTimer(this, QStringLiteral("Timercj"), Qt::CoarseTimer))
    // The repeat timers pace an auto-clicker: their period must hold.
    , m_tapTimer(makeTimer(this, QStringLiteral("Timerdur"), Qt::PreciseTimer))
    , m_swipeTimer(makeTimer(this, QStringLiteral("Timerdur2"), Qt::PreciseTimer)) {
    m_ui->setupUi(this);
    m_indicatorTimer->setInterval(kIndicatorInterval);
    m_ui->Labelcj->hide();
    // Tap mode with one point.
    m_ui->OPTPRE->setValue(true);
    showSecondPoint(false);
    connectModes();
    connectPresets();
    connectRun();
    centreOnScreen(*this);
}

touchsimu::~touchsimu() {
    closeShells();
}

void touchsimu::connectModes() {
    connect(m_ui->OPTPRE, &OptionButton::Click, this, &touchsimu::tapModeChosen);
    connect(m_ui->OPTSWI, &OptionButton::Click, this, &touchsimu::swipeModeChosen);
    connect(m_ui->twopo, &CheckButton::Click, this,
            [this] { showSecondPoint(m_ui->twopo->value() == 1); });
    connect(m_ui->cha, &CheckButton::Click, this, &touchsimu::swapPoints);
}

void touchsimu::connectPresets() {
    connect(m_ui->SM, &OptionButton::Click, this, &touchsimu::fastPageTurning);
    connect(m_ui->NMM, &OptionButton::Click, this, &touchsimu::normalMode);
    connect(m_ui->TM, &OptionButton::Click, this, &touchsimu::turboMode);
}

void touchsimu::connectRun() {
    connect(m_ui->SWIPEGO, &N_Shape::Click, this, &touchsimu::start);
    connect(m_ui->SWIPEstp, &N_Shape::Click, this, &touchsimu::stop);
    connect(m_ui->N_Shape1, &N_Shape::Click, this, &touchsimu::reveal);
    connect(m_indicatorTimer, &QTimer::timeout, this, &touchsimu::showIndicator);
    connect(m_tapTimer, &QTimer::timeout, this, [this] { cycle(*m_tapTimer); });
    connect(m_swipeTimer, &QTimer::timeout, this, [this] { cycle(*m_swipeTimer); });
}

// A run whose values no command or timer can take starts nothing; the short-interval warning
// comes only for a run that can start.
void touchsimu::start() {
    const double interval = numericValueOf(m_ui->Textdely->text());
    const std::optional<input::RunBases> bases =
        input::runBases(numericValueOf(m_ui->X1->text()), numericValueOf(m_ui->Y1->text()),
                        numericValueOf(m_ui->X2->text()), numericValueOf(m_ui->Y2->text()),
                        numericValueOf(m_ui->DURA->text()), interval);
    if (!bases) {
        // A start replaces the run going, so a refused one leaves none.
        cancelRun();
        return;
    }
    m_indicatorOn = true;
    followIndicator();
    m_indicator = 0;
    // The new points count at once; the duration only once the warning is closed (a running
    // run's cycles meanwhile keep the one they had).
    const std::int16_t runningDuration = m_bases.duration;
    m_bases = *bases;
    m_bases.duration = runningDuration;
    if (interval < input::kShortestSafeInterval) {
        m_app.messages().show(tr(kShortIntervalWarning), tr(kWarningTitle), MessageIcon::Critical);
    }
    m_bases.duration = bases->duration;
    if (m_ui->OPTPRE->value()) {
        startRepeating(*m_tapTimer);
    }
    if (m_ui->OPTSWI->value()) {
        startRepeating(*m_swipeTimer);
    }
}

// The first cycle comes one interval after the start. A zero interval never repeats: a Qt timer
// of interval 0 would fire without pause, so it is not started at all.
void touchsimu::startRepeating(QTimer& timer) {
    m_cycles = 0;
    closeShells();
    m_ui->Labelskipped->clear();
    if (m_bases.interval == 0) {
        timer.stop();
        return;
    }
    if (!openShells(timer)) {
        timer.start(m_bases.interval);
    }
}

bool touchsimu::openShells(QTimer& timer) {
    AdbShellClient* client = m_app.shellClient();
    const Target target = m_app.devices().target();
    if (client == nullptr || target.kind == Target::Kind::None || target.serials.isEmpty()) {
        return false;
    }
    timer.stop();
    m_tapRun = new TapRun(client->server(), target.serials, this);
    connect(m_tapRun, &TapRun::ready, this, [this, &timer] { shellsReady(timer); });
    // A phone that refuses the shell (an old one, a server that cannot): the run goes on as hidden
    // lines, as it would without shells.
    connect(m_tapRun, &TapRun::failed, this, [this, &timer] {
        closeShells();
        timer.start(m_bases.interval);
    });
    connect(m_tapRun, &TapRun::lost, this,
            [this](const QString& serial, const adb::ShellResult& why) {
                closeShells(serial);
                stop();
                m_app.messages().show(
                    tr("%1：%2连点已停止。").arg(serial, shownText(adb::errorText(why))),
                    tr(kWarningTitle), MessageIcon::Exclamation);
            });
    return true;
}

void touchsimu::shellsReady(QTimer& timer) {
    const input::CyclePoints base{m_bases.x1, m_bases.y1, m_bases.x2, m_bases.y2};
    const QString line = tr("连点（每 %1 毫秒）：%2")
                             .arg(m_bases.interval)
                             .arg(phoneCommand(timer, base, m_ui->twopo->value() == 1, 0).text());
    for (const QString& serial : m_tapRun->serials()) {
        m_runJournal.emplace_back(
            serial, m_app.console().journalRun(serial, line, originOf(*m_ui->SWIPEGO)));
    }
    timer.start(m_bases.interval);
}

void touchsimu::closeShells(const std::optional<QString>& lost) {
    if (m_tapRun == nullptr) {
        return;
    }
    for (auto& [serial, ended] : m_runJournal) {
        if (ended) {
            ended({serial == lost ? 1 : 0,
                   tr("已发送 %1 次，跳过 %2 次（手机来不及）")
                       .arg(m_tapRun->writtenTo(serial))
                       .arg(m_tapRun->skippedFor(serial))
                       .toUtf8(),
                   false});
        }
    }
    m_runJournal.clear();
    if (const int skipped = m_tapRun->skipped(); skipped > 0) {
        m_ui->Labelskipped->setText(tr("跳过 %1 次（手机来不及）").arg(skipped));
    }
    // Its shells close now; its signals are not heard any more.
    m_tapRun->close();
    m_tapRun = nullptr;
}

Command touchsimu::phoneCommand(const QTimer& timer, const input::CyclePoints& points,
                                bool twoPoints, int pause) const {
    const int duration = m_bases.duration;
    if (&timer == m_swipeTimer) {
        return input::swipeOnPhone(points.x1, points.y1, points.x2, points.y2, duration);
    }
    if (twoPoints) {
        return input::tapPairOnPhone(points, duration, pause);
    }
    return input::swipeOnPhone(points.x1, points.y1, points.x1, points.y1, duration);
}

void touchsimu::stop() {
    m_tapTimer->stop();
    m_swipeTimer->stop();
    m_indicatorOn = false;
    followIndicator();
    closeShells();
}

void touchsimu::cycle(QTimer& timer) {
    ++m_cycles;
    std::array<double, 4> offsets{};
    const double radius = numericValueOf(m_ui->PYL->text());
    for (double& offset : offsets) {
        const double u1 = m_app.random().next();
        const double u2 = m_app.random().next();
        offset = input::randomOffset(radius, u1, u2);
    }
    const std::optional<input::CyclePoints> points = input::shiftedPoints(m_bases, offsets);
    // A two-point tap waits between its presses for the interval as the box reads now.
    const bool twoPoints = &timer == m_tapTimer && m_ui->twopo->value() == 1;
    const std::optional<int> pause =
        twoPoints ? input::wholeInterval(numericValueOf(m_ui->Textdely->text())) : 0;
    if (!points || !pause) {
        cancelRun();
        return;
    }
    showText(*m_ui->X1, decimalTextOf(points->x1));
    showText(*m_ui->Y1, decimalTextOf(points->y1));
    showText(*m_ui->X2, decimalTextOf(points->x2));
    showText(*m_ui->Y2, QString::number(points->y2));

    const int duration = m_bases.duration;
    if (m_tapRun != nullptr && m_tapRun->isReady()) {
        // Through the phones' open shells: nothing starts here, and the window never waits.
        m_tapRun->write(phoneCommand(timer, *points, twoPoints, *pause));
    } else if (&timer == m_swipeTimer) {
        m_app.console().run(
            input::swipeCommand(points->x1, points->y1, points->x2, points->y2, duration)
                .from(originOf(*m_ui->SWIPEGO)),
            launch::kHidden);
    } else {
        m_app.console().run(
            input::tapCommand(points->x1, points->y1, duration).from(originOf(*m_ui->SWIPEGO)),
            launch::kHidden);
        if (twoPoints) {
            // The window waits meanwhile.
            m_app.console().pause(*pause);
            m_app.console().run(
                input::tapCommand(points->x2, points->y2, duration).from(originOf(*m_ui->SWIPEGO)),
                launch::kHidden);
        }
    }
    if (input::runEnds(m_cycles, numericValueOf(m_ui->Textcishu->text()))) {
        timer.stop();
        closeShells();
    }
}

void touchsimu::showIndicator() {
    m_ui->Labelcj->setText(QString::number(m_indicator));
    m_indicator = input::nextIndicator(m_indicator);
}

void touchsimu::reveal() {
    m_ui->Labelcj->show();
    setFixedWidth(kRevealedWidth);
    followIndicator();
}

// The indicator counts only where it can be seen: until the window is widened it costs a run no
// wake-up.
void touchsimu::followIndicator() {
    if (!m_indicatorOn || !m_ui->Labelcj->isVisibleTo(this)) {
        m_indicatorTimer->stop();
    } else if (!m_indicatorTimer->isActive()) {
        m_indicatorTimer->start();
    }
}

// The main window's command box serves as the spare slot; it is left holding Y1's former text.
void touchsimu::swapPoints() {
    QLineEdit* spare = m_app.console().commandBox();
    if (spare == nullptr) {
        return;
    }
    swapThrough(*spare, *m_ui->X1, *m_ui->X2);
    swapThrough(*spare, *m_ui->Y1, *m_ui->Y2);
}

// An option raises Click once it is selected. Options set from code raise nothing, so each mode
// and preset sets every visibility itself.
void touchsimu::tapModeChosen() {
    setShown({m_ui->twopo, m_ui->X1, m_ui->Y1, m_ui->DURA, m_ui->Labeldura}, true);
    showSecondPoint(false);
}

void touchsimu::swipeModeChosen() {
    m_ui->twopo->hide();
    setShown({m_ui->X1, m_ui->Y1, m_ui->X2, m_ui->Y2, m_ui->Labely2, m_ui->Labelx2, m_ui->DURA,
              m_ui->Labeldura},
             true);
}

void touchsimu::fastPageTurning() {
    m_ui->OPTSWI->setValue(true);
    m_ui->twopo->hide();
    m_ui->OPTPRE->setValue(false);
    setShown({m_ui->X1, m_ui->Y1, m_ui->X2, m_ui->Y2, m_ui->Labely2, m_ui->Labelx2}, true);
    m_ui->X1->setText(QStringLiteral("540"));
    m_ui->X2->setText(QStringLiteral("540"));
    m_ui->Y1->setText(QStringLiteral("1600"));
    m_ui->Y2->setText(QStringLiteral("600"));
    m_ui->Textdely->setText(QStringLiteral("200"));
    m_ui->DURA->setText(QStringLiteral("50"));
    m_ui->Textcishu->setText(QStringLiteral("9999"));
}

void touchsimu::normalMode() {
    m_ui->Textdely->setText(QStringLiteral("500"));
    m_ui->OPTSWI->setValue(false);
    m_ui->twopo->hide();
    m_ui->OPTPRE->setValue(true);
    m_ui->DURA->setText(QStringLiteral("1"));
    m_ui->Textcishu->setText(QStringLiteral("9999"));
    showSecondPoint(false);
    m_ui->twopo->setValue(0);
}

void touchsimu::turboMode() {
    m_ui->twopo->setValue(1);
    m_ui->Textdely->setText(QStringLiteral("80"));
    showSecondPoint(true);
    m_ui->OPTSWI->setValue(false);
    m_ui->twopo->show();
    m_ui->OPTPRE->setValue(true);
    m_ui->DURA->setText(QStringLiteral("1"));
    m_ui->Textcishu->setText(QStringLiteral("9999"));
}

void touchsimu::showSecondPoint(bool shown) {
    setShown({m_ui->X2, m_ui->Y2, m_ui->Labely2, m_ui->Labelx2}, shown);
}

// Everything stops before the message shows: the message box waits in an event loop of its own,
// where the repeat timers would go on sending commands.
void touchsimu::cancelRun() {
    stop();
    m_app.console().refuse(Refusal::OutOfRange);
}

} // namespace kavu
