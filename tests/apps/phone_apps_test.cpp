#include "apps/apps_commands.h"
#include "apps/package_read.h"
#include "apps/phone_apps.h"
#include "apps/risk_phrase.h"
#include "apps/selection_risk.h"
#include "apps/software.h"
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"
#include "support/test_app.h"

#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using adb::ShellError;
using adb::ShellResult;

Q_DECLARE_METATYPE(kavu::adb::ShellResult)
Q_DECLARE_METATYPE(kavu::test::SimulatedDevice)

namespace {

ShellResult answered(std::string out, std::string err = {}, std::optional<int> exitCode = 0) {
    ShellResult result;
    result.out = std::move(out);
    result.err = std::move(err);
    result.exitCode = exitCode;
    return result;
}

const QString kReadLink = QStringLiteral("Labelreadapps");

// The apps window of a program whose device watch follows a simulated adb server, with a shell
// client to it.
struct Phone {
    explicit Phone(const QList<SimulatedDevice>& devices, ShellLimits limits = {})
        : t(false) {
        QVERIFY(server.listen());
        server.setDevices(devices);
        server.features = {QStringLiteral("shell_v2")};
        server.phone.packages = {
            {QStringLiteral("com.android.phone"), true, false, false},
            {QStringLiteral("com.example.notes"), false, true, false, true},
            {QStringLiteral("com.example.old"), true, false, true},
        };
        tracker = std::make_unique<AdbDeviceTracker>(server.port());
        client = std::make_unique<AdbShellClient>(server.port(), limits);
        t.app().setDeviceWatch(tracker.get());
        QVERIFY(t.app().mainWindow() != nullptr);
        QTRY_COMPARE(tracker->snapshot().server, devices::Server::Up);
        QTRY_COMPARE(tracker->snapshot().devices.size(), static_cast<std::size_t>(devices.size()));
        t.app().setShellClient(client.get());
        apps = t.app().open<Software>();
    }

    PhoneApps* list() { return apps->findChild<PhoneApps*>(); }
    QTreeView* view() { return control<QTreeView>(*list(), QStringLiteral("packages")); }
    // Each row shown as "name state", and " note" when it has one.
    QStringList rows() {
        QStringList shown;
        const QAbstractItemModel* model = view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString note = model->index(row, 2).data().toString();
            shown.append(model->index(row, 0).data().toString() + u' ' +
                         model->index(row, 1).data().toString() +
                         (note.isEmpty() ? QString() : u' ' + note));
        }
        return shown;
    }
    QStringList selected() {
        QStringList names;
        for (const QModelIndex& index : view()->selectionModel()->selectedRows()) {
            names.append(index.data().toString());
        }
        names.sort();
        return names;
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers) {
        const QRect place = view()->visualRect(view()->model()->index(row, 0));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, modifiers, place.center());
    }
    bool listShown() {
        return control<QStackedWidget>(*list(), QStringLiteral("pages"))->currentIndex() == 0;
    }
    void clickRow(int row) {
        const QRect place = view()->visualRect(view()->model()->index(row, 0));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, place.center());
    }

    SimulatedAdbServer server;
    TestApp t;
    std::unique_ptr<AdbDeviceTracker> tracker;
    std::unique_ptr<AdbShellClient> client;
    Software* apps = nullptr;
};

const SimulatedDevice kPixel{QStringLiteral("R58M"), QStringLiteral("device"), QStringLiteral("P")};

} // namespace

class PhoneAppsTest : public QObject {
    Q_OBJECT

private slots:
    void combineListings_data();
    void combineListings();
    void linkReadsRowsAndARowFillsThePackageBox();
    void aSelectionChangesPackageByPackage();
    void listFilesAndNamesThatAreNotPackages();
    void eachObstacleIsSaidInTheListsPlace_data();
    void eachObstacleIsSaidInTheListsPlace();
};

void PhoneAppsTest::combineListings_data() {
    QTest::addColumn<ShellResult>("disabledListing");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("count");
    QTest::newRow("read") << answered("package:com.b\n") << QString() << 2;
    QTest::newRow("the package manager failed")
        << answered({}, "Error: Unknown option: -d\n", 255)
        << QStringLiteral("包管理器报错（退出码 255）：Error: Unknown option: -d") << 0;
    // Through the plain shell service an error is text in place of the list.
    QTest::newRow("no exit code, no list")
        << answered("\n  /system/bin/sh: pm: not found\r\n", {}, std::nullopt)
        << QStringLiteral("包管理器的回答无法识别：/system/bin/sh: pm: not found") << 0;
    // What the phone said is one line, control characters blanked, cut at a character.
    QTest::newRow("long and odd") << answered({}, "\x1b[31m" + std::string(200, 'x') + "\n2nd", 1)
                                  << QStringLiteral("包管理器报错（退出码 1）： [31m") +
                                         QString(155, u'x') + u'…'
                                  << 0;
    QTest::newRow("request failed") << adb::failure(ShellError::TimedOut)
                                    << QStringLiteral("设备没有及时回应，已放弃读取。") << 0;
}

void PhoneAppsTest::combineListings() {
    QFETCH(ShellResult, disabledListing);
    QFETCH(QString, failure);
    QFETCH(int, count);
    const apps::PackageRead read =
        apps::combineListings({answered("package:com.a\n"), answered("package:com.b\n"),
                               disabledListing, answered("package:com.a\npackage:com.b\n")});
    QCOMPARE(QString::fromStdString(read.failure), failure);
    QCOMPARE(static_cast<int>(read.packages.size()), count);
    // A phone that lists nothing is not shown as a phone without apps.
    QVERIFY(!apps::combineListings({}).failure.empty());
}

void PhoneAppsTest::linkReadsRowsAndARowFillsThePackageBox() {
    Phone p({kPixel});
    click<ClickLabel>(*p.apps, kReadLink);
    QVERIFY(p.list() != nullptr && p.list()->isVisible());
    QTRY_VERIFY(p.listShown());
    // The disabled package's own state tells who disabled it.
    QTRY_COMPARE(p.rows(),
                 (QStringList{QStringLiteral("com.android.phone 系统"),
                              QStringLiteral("com.example.notes 第三方，已停用（系统或其他工具）"),
                              QStringLiteral("com.example.old 系统，已卸载（用户 0）")}));
    // One request for the four listings, one for the disabled package's state.
    QCOMPARE(p.server.shellCommands.size(), 2);
    QCOMPARE(p.server.shellCommands.last().text,
             QStringLiteral("dumpsys package com.example.notes"));

    typeInto(*p.list(), QStringLiteral("filter"), QStringLiteral("EXAMPLE.n"));
    QCOMPARE(p.rows(),
             QStringList{QStringLiteral("com.example.notes 第三方，已停用（系统或其他工具）")});
    // A state cut short by its column is read whole in its tool tip.
    QCOMPARE(p.view()->model()->index(0, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("第三方，已停用（系统或其他工具）"));
    p.t.clearRecords();
    p.clickRow(0);
    QCOMPARE(boxText(*p.apps, QStringLiteral("APPText5")), QStringLiteral("com.example.notes"));
    QVERIFY(p.t.started().isEmpty());

    // Rows of a device that is no longer the chosen one name nothing.
    p.t.app().devices().chooseOne(QStringLiteral("8HX2"));
    typeInto(*p.list(), QStringLiteral("filter"), QString());
    p.clickRow(0);
    QCOMPARE(boxText(*p.apps, QStringLiteral("APPText5")), QStringLiteral("com.example.notes"));
    QVERIFY(!p.listShown());
}

// Filtered to the system packages, all three selected and disabled: the risk phrase is asked once,
// then each package is its own hidden run of the package button's command; when each ends, its row
// shows its state read again and what the change came to. The selection outlives a refresh.
void PhoneAppsTest::aSelectionChangesPackageByPackage() {
    Phone p({kPixel});
    p.server.phone.packages.append({QStringLiteral("com.android.bloat"), true, false, false});
    click<ClickLabel>(*p.apps, kReadLink);
    QTRY_COMPARE(p.rows().size(), 4);
    click<QRadioButton>(*p.list(), QStringLiteral("systemPackages"));
    QCOMPARE(control<QRadioButton>(*p.list(), QStringLiteral("systemPackages"))->text(),
             QStringLiteral("系统 3"));
    const QStringList system = {QStringLiteral("com.android.bloat"),
                                QStringLiteral("com.android.phone"),
                                QStringLiteral("com.example.old")};
    QCOMPARE(p.rows().size(), 3);
    p.clickRow(0);
    p.clickRow(2, Qt::ShiftModifier);
    QCOMPARE(p.selected(), system);
    p.t.clearRecords();

    click<QPushButton>(*p.list(), QStringLiteral("disable"));
    auto* risk = p.list()->findChild<SelectionRisk*>();
    QVERIFY(risk != nullptr);
    QVERIFY(shownText(*risk, QStringLiteral("risk")).contains(u"所选的 3 个应用，其中 3 个"));
    QVERIFY(p.t.started().isEmpty());
    typeInto(*risk, QStringLiteral("phrase"), riskPhrase());
    click<QPushButton>(*risk, QStringLiteral("confirm"));
    QStringList commands;
    for (const QString& name : system) {
        commands.append(apps::packageCommand(apps::PackageAction::Freeze, name).text());
    }
    QVERIFY2(p.t.startedOnly(commands), p.t.mismatch());

    // The phone took the second; the first ran well and changed nothing; the third failed.
    p.server.phone.packages[0].disabled = true;
    auto& ends = p.t.fakes().processes.hiddenRunEnds;
    QCOMPARE(ends.size(), 3);
    ends[0]({0, "Package com.android.bloat new state: enabled\n", false});
    ends[1]({0, "Package com.android.phone new state: disabled-user\n", false});
    ends[2]({1, "\nFailure [not installed for 0]\n", false});
    QTRY_COMPARE(
        p.rows(),
        (QStringList{
            QStringLiteral("com.android.bloat 系统 未生效：Package com.android.bloat new state: "
                           "enabled"),
            QStringLiteral("com.android.phone 系统，已停用（用户） 完成"),
            QStringLiteral(
                "com.example.old 系统，已卸载（用户 0） 失败：Failure [not installed for "
                "0]")}));
    QCOMPARE(control<QRadioButton>(*p.list(), QStringLiteral("disabledPackages"))->text(),
             QStringLiteral("已停用 2"));

    click<ClickLabel>(*p.list(), QStringLiteral("refresh"));
    QTRY_COMPARE(p.rows().first(), QStringLiteral("com.android.bloat 系统"));
    QCOMPARE(p.selected(), system);
}

// The phone's names that are not package names are counted under the list. A list file selects
// the packages it names that the phone has, and says how many it names that it has not, and how
// many of its lines are not names.
void PhoneAppsTest::listFilesAndNamesThatAreNotPackages() {
    Phone p({kPixel});
    p.server.phone.packages.append({QStringLiteral("com.x;reboot"), false, false, false});
    p.server.phone.packages.append({QStringLiteral("com.y z"), true, false, false});
    click<ClickLabel>(*p.apps, kReadLink);
    QTRY_COMPARE(p.rows().size(), 3);
    QCOMPARE(shownText(*p.list(), QStringLiteral("invalidNames")),
             QStringLiteral("2 个名称无效，已忽略"));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("mine.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# kept\ncom.example.old\r\ncom.gone.app\nnot a name\ncom.android.phone # two\n");
    file.close();
    click<QPushButton>(*p.list(), QStringLiteral("selectFromList"));
    auto* dialog = p.list()->findChild<QFileDialog*>(QStringLiteral("listFile"));
    QVERIFY(dialog != nullptr);
    dialog->selectFile(path);
    // The dialog's own accept, as its button calls it.
    static_cast<QDialog*>(dialog)->accept();
    QCOMPARE(p.selected(),
             (QStringList{QStringLiteral("com.android.phone"), QStringLiteral("com.example.old")}));
    QCOMPARE(
        shownText(*p.list(), QStringLiteral("status")),
        QStringLiteral("已按列表选择 2 个应用。1 个不在这部手机上。1 行不是有效的包名，已跳过。"));
}

void PhoneAppsTest::eachObstacleIsSaidInTheListsPlace_data() {
    QTest::addColumn<QList<SimulatedDevice>>("devices");
    QTest::addColumn<bool>("serverGone");
    QTest::addColumn<QString>("message");
    const SimulatedDevice other{QStringLiteral("8HX2"), QStringLiteral("device"), {}};
    const SimulatedDevice locked{QStringLiteral("ZX1"), QStringLiteral("unauthorized"), {}};
    QTest::newRow("no device") << QList<SimulatedDevice>() << false
                               << QStringLiteral("未发现设备：请连接数据线并开启 USB 调试。");
    QTest::newRow("several, none chosen")
        << QList{kPixel, other} << false
        << QStringLiteral("连接了多台设备：请先在主窗口的设备列表中选择一台。");
    QTest::newRow("unauthorized") << QList{locked} << false
                                  << QStringLiteral("未授权：请在手机上允许 USB 调试。");
    QTest::newRow("no server") << QList{kPixel} << true
                               << QStringLiteral("adb 服务未运行：运行一次设备检测或 adb devices "
                                                 "即可启动。");
    // The phone sends more than the client takes (64 KiB here).
    QTest::newRow("read failed") << QList{kPixel} << false
                                 << QStringLiteral("设备返回的内容过多，已放弃读取。");
}

void PhoneAppsTest::eachObstacleIsSaidInTheListsPlace() {
    QFETCH(QList<SimulatedDevice>, devices);
    QFETCH(bool, serverGone);
    QFETCH(QString, message);
    Phone p(devices, {std::chrono::seconds(10), 64 << 10});
    p.server.shellFault = ShellFault::TooMuch;
    if (serverGone) {
        p.server.stop();
        QTRY_COMPARE(p.tracker->snapshot().server, devices::Server::Down);
    }
    click<ClickLabel>(*p.apps, kReadLink);
    auto* notice = control<QLabel>(*p.list(), QStringLiteral("notice"));
    QTRY_COMPARE(notice->text(), QStringLiteral("无法读取手机应用。\n") + message);
    QVERIFY(notice->isVisible() && !p.listShown());
    QCOMPARE(notice->textFormat(), Qt::PlainText);
}

QTEST_MAIN(PhoneAppsTest)
#include "phone_apps_test.moc"
