#include "app/qt_text.h"
#include "apps/apps_commands.h"
#include "apps/software.h"
#include "apps/warning.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QLabel>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using namespace Qt::StringLiterals;
using kavu::launch::WindowMode;

namespace {

struct Opened {
    Opened() {
        t.runEarlierCommand();
        window = t.app().open<Software>();
        t.clearRecords();
    }
    test::TestApp t;
    Software* window = nullptr;
};

} // namespace

class SoftwarePackagesTest : public QObject {
    Q_OBJECT

private slots:
    void captions_data();
    void captions();
    void buttonRunsItsCommand_data();
    void buttonRunsItsCommand();
    void settingsTablesOpenThreeConsoles();
    void communityPageOpensHiddenAndSaysSo();
    void unsafePackageNameIsRefused_data();
    void unsafePackageNameIsRefused();
    void systemRemovalOnlyOpensTheRiskDialog();
};

void SoftwarePackagesTest::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("FREEZE") << QStringLiteral("FREEZE") << QStringLiteral("停用(系统应用)");
    QTest::newRow("N_Shaunspe1") << QStringLiteral("N_Shaunspe1")
                                 << QStringLiteral("卸载(三方应用)");
    QTest::newRow("unsinssys") << QStringLiteral("unsinssys") << QStringLiteral("卸载(系统应用)");
    QTest::newRow("N_Shapeqqq") << QStringLiteral("N_Shapeqqq")
                                << QStringLiteral("显示当前界面活动");
    QTest::newRow("UNFREEZE") << QStringLiteral("UNFREEZE") << QStringLiteral("启用");
    QTest::newRow("N_Shape2fc") << QStringLiteral("N_Shape2fc") << QStringLiteral("强行停止");
    QTest::newRow("CLCDATA") << QStringLiteral("CLCDATA") << QStringLiteral("清除数据 ");
    QTest::newRow("xsszb") << QStringLiteral("xsszb") << QStringLiteral("显示设置表");
    QTest::newRow("N_Shapeclo") << QStringLiteral("N_Shapeclo")
                                << QStringLiteral("Zelvi搜索(手机)");
}

void SoftwarePackagesTest::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Opened o;
    QCOMPARE(control<kavu::N_Shape>(*o.window, name)->caption(), caption);
    QCOMPARE(control<QLabel>(*o.window, QStringLiteral("INPUTPKGS"))->text(),
             QStringLiteral("包名："));
    QVERIFY(control<QLineEdit>(*o.window, QStringLiteral("APPText5"))->text().isEmpty());
}

void SoftwarePackagesTest::buttonRunsItsCommand_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("package");
    QTest::addColumn<Qt::MouseButton>("mouse");
    QTest::addColumn<QString>("command");

    const QString app = QStringLiteral("com.example.app");
    const Qt::MouseButton left = Qt::LeftButton;
    QTest::newRow("disable") << QStringLiteral("FREEZE") << app << left
                             << apps::packageCommand(apps::PackageAction::Freeze, app).text();
    QTest::newRow("enable") << QStringLiteral("UNFREEZE") << app << left
                            << apps::packageCommand(apps::PackageAction::Unfreeze, app).text();
    QTest::newRow("clear data") << QStringLiteral("CLCDATA") << app << left
                                << apps::packageCommand(apps::PackageAction::ClearData, app).text();
    QTest::newRow("uninstall") << QStringLiteral("N_Shaunspe1") << app << left
                               << apps::packageCommand(apps::PackageAction::Uninstall, app).text();
    QTest::newRow("force stop") << QStringLiteral("N_Shape2fc") << app << left
                                << apps::packageCommand(apps::PackageAction::ForceStop, app).text();
    QTest::newRow("current activity ignores the box")
        << QStringLiteral("N_Shapeqqq") << app << left
        << QStringLiteral("adb shell dumpsys window windows | findstr \"Current\"");
    QTest::newRow("empty package is not refused")
        << QStringLiteral("FREEZE") << QString() << left
        << apps::packageCommand(apps::PackageAction::Freeze, QString()).text();
    QTest::newRow("right button clicks too")
        << QStringLiteral("CLCDATA") << app << Qt::RightButton
        << apps::packageCommand(apps::PackageAction::ClearData, app).text();
    QTest::newRow("middle button clicks too")
        << QStringLiteral("N_Shape2fc") << app << Qt::MiddleButton
        << apps::packageCommand(apps::PackageAction::ForceStop, app).text();
}

void SoftwarePackagesTest::buttonRunsItsCommand() {
    QFETCH(QString, button);
    QFETCH(QString, package);
    QFETCH(Qt::MouseButton, mouse);
    QFETCH(QString, command);
    Opened o;
    typeInto(*o.window, QStringLiteral("APPText5"), package);
    QCOMPARE(o.window->packageName(), package);
    click<kavu::N_Shape>(*o.window, button, mouse);
    QVERIFY2(o.t.ranOnly(command, WindowMode::Normal), o.t.mismatch());
}

void SoftwarePackagesTest::settingsTablesOpenThreeConsoles() {
    Opened o;
    typeInto(*o.window, QStringLiteral("APPText5"), QStringLiteral("com.example.app"));
    click<kavu::N_Shape>(*o.window, QStringLiteral("xsszb"));
    QCOMPARE(
        o.t.fakes().processes.lines(),
        (QStringList{QStringLiteral("cmd /k adb shell settings list global && title GLOBAL"),
                     QStringLiteral("cmd /k adb shell settings list secure && title SECURE"),
                     QStringLiteral("cmd /k adb shell settings list system && title SYSTEM")}));
    for (const auto& started : o.t.started()) {
        QCOMPARE(started.mode, WindowMode::Normal);
    }
    QCOMPARE(o.t.commandBox(), QStringLiteral("adb shell settings list system && title SYSTEM"));
}

void SoftwarePackagesTest::communityPageOpensHiddenAndSaysSo() {
    Opened o;
    typeInto(*o.window, QStringLiteral("APPText5"), QStringLiteral("com.example.app"));
    click<kavu::N_Shape>(*o.window, QStringLiteral("N_Shapeclo"));
    const QString command = apps::communityPageCommand(u"com.example.app"_s).text();
    QVERIFY2(o.t.startedOnly(command), o.t.mismatch());
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, QStringLiteral("已跳转！请查看手机"));
    QCOMPARE(o.t.messages().first().title, QStringLiteral("提示"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::None);
}

void SoftwarePackagesTest::unsafePackageNameIsRefused_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("package");
    const QStringList buttons{QStringLiteral("FREEZE"),     QStringLiteral("UNFREEZE"),
                              QStringLiteral("CLCDATA"),    QStringLiteral("N_Shaunspe1"),
                              QStringLiteral("N_Shape2fc"), QStringLiteral("N_Shapeclo")};
    const QStringList packages{QStringLiteral("com.x & calc"), QStringLiteral("com.x|more"),
                               QStringLiteral("com.x>out"),    QStringLiteral("com.x<in"),
                               QStringLiteral("com.^x"),       QStringLiteral("com.\"x"),
                               QStringLiteral("com.x\tq")};
    for (const QString& button : buttons) {
        for (const QString& package : packages) {
            QTest::addRow("%s %s", qPrintable(button), qPrintable(package)) << button << package;
        }
    }
}

void SoftwarePackagesTest::unsafePackageNameIsRefused() {
    QFETCH(QString, button);
    QFETCH(QString, package);
    Opened o;
    control<QLineEdit>(*o.window, QStringLiteral("APPText5"))->setText(package);
    click<kavu::N_Shape>(*o.window, button);
    QVERIFY(o.t.started().isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
    QCOMPARE(o.t.messages().size(), 1);
    QCOMPARE(o.t.messages().first().text, qtText(kUnsafeTextMessage));
    QCOMPARE(o.t.messages().first().title, QStringLiteral("警告!"));
    QCOMPARE(o.t.messages().first().icon, MessageIcon::Critical);
}

void SoftwarePackagesTest::systemRemovalOnlyOpensTheRiskDialog() {
    Opened o;
    typeInto(*o.window, QStringLiteral("APPText5"), QStringLiteral("com.example.app"));
    QVERIFY(o.t.app().find<WARNING>() == nullptr);
    click<kavu::N_Shape>(*o.window, QStringLiteral("unsinssys"));
    WARNING* dialog = o.t.app().find<WARNING>();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(o.t.started().isEmpty());
    QVERIFY(o.t.messages().isEmpty());
    QCOMPARE(o.t.commandBox(), kEarlierCommand);
    // The apps window stays usable and open beside the dialog.
    QVERIFY(o.window->isVisible());
    click<kavu::N_Shape>(*o.window, QStringLiteral("unsinssys"));
    QCOMPARE(o.t.app().find<WARNING>(), dialog);
    QVERIFY(o.t.started().isEmpty());
}

QTEST_MAIN(SoftwarePackagesTest)
#include "software_packages_test.moc"
