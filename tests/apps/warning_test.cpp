#include "app/qt_text.h"
#include "apps/software.h"
#include "apps/warning.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <optional>

using namespace kavu;
using namespace kavu::test;
using kavu::launch::WindowMode;

namespace {

const QString kPhrase = QStringLiteral("我已知悉该风险，若造成卡机或数据损失等后果则与作者无关");
const QString kRemove = QStringLiteral("adb shell pm uninstall -k --user 0  ");

// The apps window with a package typed, and the risk dialog opened from it.
struct Opened {
    explicit Opened(const QString& package = QStringLiteral("com.example.app")) {
        t.runEarlierCommand();
        apps = t.app().open<Software>();
        typeInto(*apps, QStringLiteral("APPText5"), package);
        click<kavu::N_Shape>(*apps, QStringLiteral("unsinssys"));
        dialog = t.app().find<WARNING>();
        if (dialog) {
            box = control<QLineEdit>(*dialog, QStringLiteral("ala"));
            hint = control<QLabel>(*dialog, QStringLiteral("Label4"));
        }
        t.clearRecords();
    }
    void confirm(Qt::MouseButton button = Qt::LeftButton) {
        click<kavu::N_Shape>(*dialog, QStringLiteral("N_Shapefx"), button);
    }

    test::TestApp t;
    Software* apps = nullptr;
    WARNING* dialog = nullptr;
    QLineEdit* box = nullptr;
    QLabel* hint = nullptr;
};

// Whether a popup menu opened while action ran (it is closed again at once). The menu may be
// run in a loop of its own or just popped up.
bool menuOpenedDuring(const std::function<void()>& action) {
    bool opened = false;
    const auto closePopup = [&opened] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            opened = true;
            popup->close();
        }
    };
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, closePopup);
    watchdog.start(0);
    action();
    watchdog.stop();
    closePopup();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return opened;
}

} // namespace

class WarningTest : public QObject {
    Q_OBJECT

private slots:
    void loadsInItsDesignState();
    void layoutInTwips_data();
    void layoutInTwips();
    void confirm_data();
    void confirm();
    void everyConfirmRemovesAgain();
    void packageIsReadAtConfirmation();
    void closedAppsWindowIsLoadedUnshown();
    void unsafePackageNameIsRefused();
    void pasteKeysAreRefused_data();
    void pasteKeysAreRefused();
    void otherKeysAreNotIntercepted_data();
    void otherKeysAreNotIntercepted();
    void rightButtonOnTheBoxIsRefused();
    void keyboardMenuKeyStillOpensTheMenu();
    void reopeningLoadsAfresh();
};

void WarningTest::loadsInItsDesignState() {
    Opened o;
    QWidget& d = *o.dialog;
    QCOMPARE(d.windowTitle(), QStringLiteral("警告！"));
    QCOMPARE(d.size(), QSize(432, 215));
    QCOMPARE(control<QLabel>(d, QStringLiteral("Label1"))->text(),
             QStringLiteral("强烈不建议使用该功能！误操作导致无法进入桌面时很不易解决"));
    QCOMPARE(control<QLabel>(d, QStringLiteral("Label2"))->text(),
             QStringLiteral("如果你确定卸载该软件不会影响系统启动，且会处理相关不可预料的问题，"
                            "请手动输入以下文字(仅一次)："));
    QCOMPARE(control<QLabel>(d, QStringLiteral("Label3"))->text(), kPhrase);
    QCOMPARE(kPhrase.size(), 27);
    QCOMPARE(o.hint->text(), QStringLiteral("下次使用直接右击确认按钮，即可免去输入"));
    QCOMPARE(control<kavu::N_Shape>(d, QStringLiteral("N_Shapefx"))->caption(),
             QStringLiteral("确认"));
    QVERIFY(o.box->text().isEmpty());
    QVERIFY(!o.hint->isVisible());
}

void WarningTest::layoutInTwips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Label1") << QStringLiteral("Label1") << QRect(120, 0, 6255, 1215);
    QTest::newRow("Label2") << QStringLiteral("Label2") << QRect(120, 1200, 6255, 735);
    QTest::newRow("Label3") << QStringLiteral("Label3") << QRect(120, 1920, 6255, 375);
    QTest::newRow("ala") << QStringLiteral("ala") << QRect(120, 2280, 6255, 270);
    QTest::newRow("N_Shapefx") << QStringLiteral("N_Shapefx") << QRect(2520, 2640, 1335, 495);
    QTest::newRow("Label4") << QStringLiteral("Label4") << QRect(3960, 2640, 2415, 495);
}

void WarningTest::layoutInTwips() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Opened o;
    // 15 twips to a pixel.
    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(control<QWidget>(*o.dialog, name)->geometry(), pixels);
    QCOMPARE(o.dialog->size(), QSize(6480 / 15, 3225 / 15));
    QCOMPARE(o.dialog->minimumSize(), o.dialog->maximumSize());
}

void WarningTest::confirm_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("removes");
    QTest::addColumn<QString>("boxAfter");

    QTest::newRow("exact, left") << kPhrase << Qt::LeftButton << true << kPhrase;
    QTest::newRow("exact, middle") << kPhrase << Qt::MiddleButton << true << kPhrase;
    QTest::newRow("trailing blank") << kPhrase + QStringLiteral(" ") << Qt::LeftButton << false
                                    << kPhrase + QStringLiteral(" ");
    QTest::newRow("leading blank") << QStringLiteral(" ") + kPhrase << Qt::LeftButton << false
                                   << QStringLiteral(" ") + kPhrase;
    const QString halfWidth = QString(kPhrase).replace(QStringLiteral("，"), QStringLiteral(","));
    QTest::newRow("half-width comma") << halfWidth << Qt::LeftButton << false << halfWidth;
    QTest::newRow("incomplete") << kPhrase.left(26) << Qt::LeftButton << false << kPhrase.left(26);
    QTest::newRow("empty, left") << QString() << Qt::LeftButton << false << QString();
    QTest::newRow("empty, middle does not fill")
        << QString() << Qt::MiddleButton << false << QString();
    QTest::newRow("empty, right fills and removes")
        << QString() << Qt::RightButton << true << kPhrase;
    QTest::newRow("wrong text, right fills and removes")
        << QStringLiteral("随便") << Qt::RightButton << true << kPhrase;
}

void WarningTest::confirm() {
    QFETCH(QString, typed);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, removes);
    QFETCH(QString, boxAfter);
    Opened o;
    typeKeys(o.box, typed);
    QCOMPARE(o.box->text(), typed);
    o.confirm(button);
    QCOMPARE(o.box->text(), boxAfter);
    QVERIFY(o.dialog->isVisible());
    if (removes) {
        QVERIFY(o.t.messages().isEmpty());
        QCOMPARE(o.t.started().size(), 1);
        QCOMPARE(o.t.commandBox(), kRemove + QStringLiteral("com.example.app"));
        QCOMPARE(o.t.lastStarted().line,
                 QStringLiteral("cmd /k adb shell pm uninstall -k --user 0  com.example.app"));
        QCOMPARE(o.t.lastStarted().mode, WindowMode::Normal);
        QVERIFY(o.hint->isVisible());
    } else {
        QVERIFY(o.t.started().isEmpty());
        QCOMPARE(o.t.commandBox(), kEarlierCommand);
        QCOMPARE(o.t.messages().size(), 1);
        QCOMPARE(o.t.messages().first().text, QStringLiteral("输入错误！"));
        QCOMPARE(o.t.messages().first().title, QStringLiteral("警告!"));
        QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
        QVERIFY(!o.hint->isVisible());
    }
}

void WarningTest::everyConfirmRemovesAgain() {
    Opened o;
    o.confirm(Qt::RightButton);
    typeInto(*o.apps, QStringLiteral("APPText5"), QStringLiteral("com.other"));
    o.confirm();
    QCOMPARE(o.t.fakes().processes.lines(),
             (QStringList{kConsolePrefix + kRemove + QStringLiteral("com.example.app"),
                          kConsolePrefix + kRemove + QStringLiteral("com.other")}));
    QVERIFY(o.hint->isVisible());
}

void WarningTest::packageIsReadAtConfirmation() {
    Opened o(QStringLiteral("com.first"));
    typeInto(*o.apps, QStringLiteral("APPText5"), QStringLiteral("com.second"));
    typeKeys(o.box, kPhrase);
    o.confirm();
    QCOMPARE(o.t.commandBox(), kRemove + QStringLiteral("com.second"));
}

void WarningTest::closedAppsWindowIsLoadedUnshown() {
    Opened o;
    closeWindow(o.apps);
    QVERIFY(o.t.app().find<Software>() == nullptr);
    o.confirm(Qt::RightButton);
    Software* again = o.t.app().find<Software>();
    QVERIFY(again != nullptr);
    QVERIFY(!again->isVisible());
    QVERIFY(again->packageName().isEmpty());
    QCOMPARE(o.t.commandBox(), kRemove);
    QCOMPARE(o.t.lastStarted().line, kConsolePrefix + kRemove);
    QVERIFY(o.hint->isVisible());
}

void WarningTest::unsafePackageNameIsRefused() {
    Opened o(QStringLiteral("com.x && adb reboot"));
    o.confirm(Qt::RightButton);
    QVERIFY(o.t.started().isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, qtText(kUnsafeTextMessage));
    QVERIFY(!o.hint->isVisible());
}

void WarningTest::pasteKeysAreRefused_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert)
                                  << Qt::KeyboardModifiers(Qt::ShiftModifier);
}

void WarningTest::pasteKeysAreRefused() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Opened o;
    QApplication::clipboard()->setText(kPhrase);
    typeKeys(o.box, QStringLiteral("我已"));
    QTest::keyClick(o.box, Qt::Key(key), modifiers);
    QCOMPARE(o.box->text(), QStringLiteral("我已"));
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, QStringLiteral("禁止粘贴！"));
    QCOMPARE(o.t.messages().first().title, QStringLiteral("高风险功能警告"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
    // Editable again once the message is closed.
    QVERIFY(!o.box->isReadOnly());
    typeKeys(o.box, QStringLiteral("v"));
    QCOMPARE(o.box->text(), QStringLiteral("我已v"));
    QVERIFY(o.t.started().isEmpty());
}

void WarningTest::otherKeysAreNotIntercepted_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Ctrl+Shift+V") << int(Qt::Key_V)
                                  << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Alt+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::AltModifier);
}

void WarningTest::otherKeysAreNotIntercepted() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Opened o;
    QApplication::clipboard()->setText(QStringLiteral("粘贴"));
    QTest::keyClick(o.box, Qt::Key(key), modifiers);
    QVERIFY(o.t.messages().isEmpty());
}

void WarningTest::rightButtonOnTheBoxIsRefused() {
    Opened o;
    typeKeys(o.box, QStringLiteral("我"));
    const bool opened = menuOpenedDuring([&o] { QTest::mouseClick(o.box, Qt::RightButton); });
    QVERIFY(!opened);
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, QStringLiteral("右键菜单不可用！"));
    QCOMPARE(o.t.messages().first().title, QStringLiteral("高风险功能警告"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
    QCOMPARE(o.box->text(), QStringLiteral("我"));

    // A context-menu request from the mouse is swallowed as well.
    QContextMenuEvent fromMouse(QContextMenuEvent::Mouse, QPoint(5, 5),
                                o.box->mapToGlobal(QPoint(5, 5)));
    QVERIFY(!menuOpenedDuring([&] { QApplication::sendEvent(o.box, &fromMouse); }));
    QVERIFY(o.t.started().isEmpty());
}

// The keyboard's menu key opens the box's menu, without its paste entry.
void WarningTest::keyboardMenuKeyStillOpensTheMenu() {
    Opened o;
    QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                   o.box->mapToGlobal(QPoint(5, 5)));
    std::optional<bool> offersPaste;
    QTimer::singleShot(0, [&offersPaste] {
        if (const QWidget* menu = QApplication::activePopupWidget()) {
            const QList<QAction*> actions = menu->actions();
            offersPaste = std::any_of(actions.begin(), actions.end(), [](const QAction* action) {
                return action->text().contains(u"Paste");
            });
        }
    });
    QVERIFY(menuOpenedDuring([&] { QApplication::sendEvent(o.box, &fromKeyboard); }));
    QCOMPARE(offersPaste, std::optional<bool>(false));
    QVERIFY(o.t.messages().isEmpty());
}

void WarningTest::reopeningLoadsAfresh() {
    Opened o;
    o.confirm(Qt::RightButton);
    QVERIFY(o.hint->isVisible());
    closeWindow(o.dialog);
    QVERIFY(o.t.app().find<WARNING>() == nullptr);

    click<kavu::N_Shape>(*o.apps, QStringLiteral("unsinssys"));
    WARNING* again = o.t.app().find<WARNING>();
    QVERIFY(again != nullptr);
    QVERIFY(control<QLineEdit>(*again, QStringLiteral("ala"))->text().isEmpty());
    QVERIFY(!control<QLabel>(*again, QStringLiteral("Label4"))->isVisible());
    // Opened again while open: the same dialog, unchanged.
    typeKeys(control<QLineEdit>(*again, QStringLiteral("ala")), QStringLiteral("我"));
    click<kavu::N_Shape>(*o.apps, QStringLiteral("unsinssys"));
    QCOMPARE(o.t.app().find<WARNING>(), again);
    QCOMPARE(control<QLineEdit>(*again, QStringLiteral("ala"))->text(), QStringLiteral("我"));
}

QTEST_MAIN(WarningTest)
#include "warning_test.moc"
