#include "shell/form1.h"

#include "app/origin.h"
#include "ui_form1.h"

#include "app/app.h"
#include "app/qt_text.h"
#include "batch/phone_picker.h"
#include "core/launch.h"
#include "devices/device_watch.h"
#include "journal/journal.h"
#include "platform/tool_files.h"
#include "shell/device_row.h"
#include "shell/server_start.h"
#include "shell/shell_commands.h"
#include "widgets/launcher_button.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kavu {

namespace {

constexpr int kNoticeIntervalMs = 5;
constexpr int kScreenshotIntervalMs = 1000;

// Tab goes through the launcher's entries and the device row as they are read, row by row, left to
// right, whatever order they were made in: the launcher, the device list, the device row's links.
void chainInReadingOrder(QList<QWidget*> entries, QWidget* deviceList) {
    entries << deviceList;
    const auto place = [](const QWidget* entry) { return entry->mapTo(entry->window(), QPoint()); };
    std::ranges::sort(entries, [&place](const QWidget* a, const QWidget* b) {
        const QPoint at = place(a);
        const QPoint bt = place(b);
        return std::pair(at.y(), at.x()) < std::pair(bt.y(), bt.x());
    });
    QWidget* previous = nullptr;
    for (QWidget* entry : std::as_const(entries)) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, entry);
        previous = entry;
    }
}

} // namespace

QString toolProblemsText(const QList<ToolProblem>& problems, const QString& folder) {
    // Which file is wrong and how, one line each (the paths are data: the box shows plain text).
    QStringList lines{QCoreApplication::translate(
        "kavu::Form1", "驱动不正常！请解压后运行或检查主程序目录下的文件！")};
    for (const ToolProblem& problem : problems) {
        switch (problem.kind) {
        case ToolProblem::Kind::Missing:
            lines << QCoreApplication::translate("kavu::Form1", "缺少 %1：%2")
                         .arg(problem.name, QDir::toNativeSeparators(folder));
            break;
        case ToolProblem::Kind::NotExecutable:
            lines << QCoreApplication::translate("kavu::Form1", "%1 不可执行").arg(problem.name);
            break;
        case ToolProblem::Kind::DanglingLink:
            lines << QCoreApplication::translate("kavu::Form1", "%1 指向的文件不存在：%2")
                         .arg(problem.name, problem.target);
            break;
        }
    }
    return lines.join(u'\n');
}

Form1::Form1(App& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_ui(std::make_unique<Ui::Form1>())
    , m_noticeTimer(new QTimer(this))
    , m_screenshotTimer(new QTimer(this)) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_ui->INTERTEXT->setVisible(false);
    m_noticeTimer->setObjectName(QStringLiteral("Timersco"));
    m_screenshotTimer->setObjectName(QStringLiteral("INTERFACETimer"));
    connect(m_noticeTimer, &QTimer::timeout, this, &Form1::scrollNotice);
    connect(m_screenshotTimer, &QTimer::timeout, this, &Form1::screenshotTick);
    connectLauncher();
    if (DeviceWatch* watch = m_app.deviceWatch()) {
        m_deviceRow =
            new DeviceRow(*m_ui->Combodev, *m_ui->Labeldevstate, *watch, m_app.devices(), this);
        connect(m_deviceRow, &DeviceRow::pickWanted, this, [this] { m_app.open<PhonePicker>(); });
    }
    connectJournal();
}

void Form1::connectJournal() {
    journal::Journal* journal = m_app.journal();
    if (journal == nullptr) {
        return;
    }
    if (m_deviceRow != nullptr) {
        connect(journal, &journal::Journal::notice, m_deviceRow, &DeviceRow::tell);
    }
}

Form1::~Form1() = default;

QLineEdit& Form1::commandBox() {
    return *m_ui->INTERTEXT;
}

bool Form1::startUp() {
    if (const QList<ToolProblem> problems = toolProblems(m_app.programFolder());
        !problems.isEmpty()) {
        m_app.messages().show(toolProblemsText(problems, m_app.programFolder()), QString(),
                              MessageIcon::Critical);
        return false;
    }
    m_ui->Text8->setVisible(false);

    m_notice.reset();
    scheduleNotice();

    // Journaled where the choice stands now, as a check started at once would be.
    const auto deviceCheck = [this, target = m_app.devices().target()] {
        m_app.console().runThrough(*m_ui->Text8, target, shell::deviceCheckCommand(),
                                   launch::kConsole,
                                   Command(launch::deviceCheckBanner(translatedText)));
    };
    // This computer's server is started first where one is watched, so that the row can say why
    // it could not be; a server elsewhere is not ours to start.
    if (DeviceWatch* watch = m_app.deviceWatch(); watch != nullptr && !watch->server().isSet()) {
        startServerThen(m_app.processes(), *watch, *this, deviceCheck);
    } else {
        deviceCheck();
    }

    setWindowTitle(tr("Kavu 第六代免ROOT玩机神器"));
    if (m_deviceRow != nullptr) {
        m_deviceRow->refresh();
    }
    show();
    // The server is asked once the window is up, so that start-up never waits for it.
    if (DeviceWatch* watch = m_app.deviceWatch()) {
        QTimer::singleShot(0, watch, &DeviceWatch::start);
    }
    return true;
}

void Form1::connectLauncher() {
    QList<LauncherButton*> entries;
    const auto onClick = [this, &entries](ClickLabel* label, ClickLabel* icon, auto action) {
        auto* entry = new LauncherButton(icon, *label);
        connect(entry, &LauncherButton::activated, this, action);
        entries << entry;
    };
    for (const LauncherEntry& entry : m_app.launcherEntries()) {
        auto* label = findChild<ClickLabel*>(entry.label.toString());
        // An entry without an icon is a caption alone, such as the device row's links.
        auto* icon = entry.icon.isEmpty() ? nullptr : findChild<ClickLabel*>(entry.icon.toString());
        if (label == nullptr || (icon == nullptr && !entry.icon.isEmpty())) {
            qWarning("No launcher label %ls or icon %ls in the main window",
                     qUtf16Printable(entry.label.toString()),
                     qUtf16Printable(entry.icon.toString()));
            continue;
        }
        onClick(label, icon, [this, key = entry.label] { m_app.openEntry(key); });
    }
    // The entries that run an action rather than open a window.
    onClick(m_ui->Label6mlh, m_ui->Image1, [this] {
        m_app.console().startLine(qtText(launch::kInteractiveConsoleLine),
                                  launch::WindowMode::Normal, originOf(*m_ui->Label6mlh));
    });
    onClick(m_ui->Label22, m_ui->Image16, [this] { startScreenshot(); });
    chainInReadingOrder({entries.begin(), entries.end()}, m_ui->Combodev);
    connect(m_ui->Labelcd, &ClickLabel::clicked, this,
            [this] { m_app.messages().show(tr("嘤嘤嘤~"), tr("彩蛋"), MessageIcon::None); });
}

// The notice ticks every 5 ms, but it is shown again only once it drifted a step of a few pixels
// (NoticeScroller::kShownStep). The timer is therefore set for the ticks until the next step, and
// those ticks are all taken when it fires: the same positions at the same times, with dozens of
// times fewer wake-ups. A step scrolls the strip the notice runs in, label and all: what was drawn
// moves over, and only the columns it uncovers are painted. The jump back at the end moves the
// label.
void Form1::scrollNotice() {
    float leftTwips = 0.0F;
    for (int tick = 0; tick < m_pendingNoticeTicks; ++tick) {
        leftTwips = m_notice.tick();
    }
    const int left = NoticeScroller::toPixels(leftTwips);
    if (const int by = left - m_ui->scor->x();
        std::abs(by) <= NoticeScroller::kShownStep && m_ui->Noticeview->isVisible()) {
        m_ui->Noticeview->scroll(by, 0);
    } else {
        m_ui->scor->move(left, m_ui->scor->y());
    }
    scheduleNotice();
}

// The window is white behind its controls. It paints that itself: a style sheet saying so would
// send every control of the window through the style sheet machinery, which costs the start-up
// about a millisecond and most of a megabyte.
void Form1::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(event->rect(), Qt::white);
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        followVisibility();
    }
}

void Form1::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    followVisibility();
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followVisibility();
}

void Form1::followVisibility() {
    const bool seen = isVisible() && !isMinimized();
    if (!seen) {
        m_noticeTimer->stop();
    } else if (!m_noticeTimer->isActive() && m_pendingNoticeTicks > 0) {
        scheduleNotice();
    }
}

void Form1::scheduleNotice() {
    m_pendingNoticeTicks = m_notice.ticksUntilMoved(m_ui->scor->x());
    m_noticeTimer->start(kNoticeIntervalMs * m_pendingNoticeTicks);
}

void Form1::startScreenshot() {
    m_screenshotTimer->start(kScreenshotIntervalMs);
    m_screenshotStep = 1;
    // The entry's caption tells the steps from now on: who asked is named as it read at the click.
    m_screenshotOrigin = originOf(*m_ui->Label22);
    m_ui->Label22->setText(tr("正在截图..."));
    m_app.console().run(shell::kTakeScreenshot, m_screenshotOrigin);
}

void Form1::screenshotTick() {
    ++m_screenshotStep;
    switch (m_screenshotStep) {
    case 4:
        m_ui->Label22->setText(tr("推送截图..."));
        m_app.console().run(shell::kPullScreenshot, m_screenshotOrigin);
        break;
    case 5:
        m_ui->Label22->setText(tr("打开截图..."));
        m_app.console().run(shell::kOpenScreenshot, m_screenshotOrigin);
        m_app.console().run(shell::kRemoveScreenshot, m_screenshotOrigin);
        break;
    case 7:
        m_screenshotTimer->stop();
        m_ui->Label22->setText(tr("输出截图"));
        break;
    default:
        break;
    }
}

void useForm1AsMainWindow(App& app) {
    app.setMainWindowLoader([](App& app) -> MainWindow* {
        if (Form1* main = app.find<Form1>()) {
            return main;
        }
        auto* main = app.loaded<Form1>();
        if (!main->startUp()) {
            delete main;
            return nullptr;
        }
        return main;
    });
}

Form1* form1(App& app) {
    return app.mainWindow() ? app.find<Form1>() : nullptr;
}

} // namespace kavu
