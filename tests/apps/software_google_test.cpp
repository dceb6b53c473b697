#include "apps/software.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using kavu::launch::WindowMode;

namespace {

struct Row {
    QString name;
    QString caption;
    QString package;
};

// The packages in the order both runs process them.
const QList<Row> kRows{
    {QStringLiteral("gsf"), QStringLiteral("Google 服务框架"),
     QStringLiteral("com.google.android.gsf")},
    {QStringLiteral("store"), QStringLiteral("Google Play 商店"),
     QStringLiteral("com.android.vending")},
    {QStringLiteral("bt"), QStringLiteral("Google 备份传输"),
     QStringLiteral("com.google.android.backuptransport")},
    {QStringLiteral("gms"), QStringLiteral("Google Play 服务"),
     QStringLiteral("com.google.android.gms")},
    {QStringLiteral("sousuo"), QStringLiteral("Google 搜索"),
     QStringLiteral("com.google.android.googlequicksearchbox")},
    {QStringLiteral("duo"), QStringLiteral("Google Duo"),
     QStringLiteral("com.google.android.apps.tachyon")},
    {QStringLiteral("dy"), QStringLiteral("Google 电影"),
     QStringLiteral("com.google.android.videos")},
    {QStringLiteral("map"), QStringLiteral("Google 地图"),
     QStringLiteral("com.google.android.apps.maps")},
    {QStringLiteral("xc"), QStringLiteral("Google 相册"),
     QStringLiteral("com.google.android.apps.photos")},
    {QStringLiteral("dri"), QStringLiteral("Google 云盘"),
     QStringLiteral("com.google.android.apps.docs")},
    {QStringLiteral("yx"), QStringLiteral("Google 邮箱"), QStringLiteral("com.google.android.gm")},
    {QStringLiteral("yy"), QStringLiteral("Google 音乐"),
     QStringLiteral("com.google.android.music")},
};

// The three columns of four, top to bottom.
const QList<QStringList> kColumns{
    {QStringLiteral("gsf"), QStringLiteral("store"), QStringLiteral("gms"), QStringLiteral("duo")},
    {QStringLiteral("sousuo"), QStringLiteral("bt"), QStringLiteral("dy"), QStringLiteral("yy")},
    {QStringLiteral("map"), QStringLiteral("xc"), QStringLiteral("dri"), QStringLiteral("yx")},
};

QString packageOf(const QString& name) {
    for (const Row& row : kRows) {
        if (row.name == name) {
            return row.package;
        }
    }
    return {};
}

struct Opened {
    Opened() {
        t.runEarlierCommand();
        window = t.app().open<Software>();
        t.clearRecords();
    }
    int value(const QString& name) { return checkValue(*window, name); }

    test::TestApp t;
    Software* window = nullptr;
};

} // namespace

class SoftwareGoogleTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndStartState_data();
    void captionsAndStartState();
    void layout();
    void selectAllTicksAndUnticksTheTwelve();
    void selectAllIsNotKeptInStep();
    void runs_data();
    void runs();
    void greyIsNotTicked();
};

void SoftwareGoogleTest::captionsAndStartState_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    for (const Row& row : kRows) {
        QTest::newRow(qPrintable(row.name)) << row.name << row.caption;
    }
    QTest::newRow("all") << QStringLiteral("all") << QStringLiteral("【全选】");
}

void SoftwareGoogleTest::captionsAndStartState() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Opened o;
    QCOMPARE(control<kavu::CheckButton>(*o.window, name)->caption(), caption);
    QCOMPARE(o.value(name), 0);
    QCOMPARE(control<kavu::N_Shape>(*o.window, QStringLiteral("blockgoogle"))->caption(),
             QStringLiteral("冻结"));
    QCOMPARE(control<kavu::N_Shape>(*o.window, QStringLiteral("enablegoogle"))->caption(),
             QStringLiteral("恢复"));
}

void SoftwareGoogleTest::layout() {
    Opened o;
    const auto at = [&o](const QString& name) {
        return control<QWidget>(*o.window, name)->geometry();
    };
    for (int column = 0; column < kColumns.size(); ++column) {
        for (int row = 0; row < 4; ++row) {
            const QRect here = at(kColumns[column][row]);
            QCOMPARE(here.x(), at(kColumns[column][0]).x());
            QCOMPARE(here.y(), at(kColumns[0][row]).y());
            if (row > 0) {
                QVERIFY(here.top() > at(kColumns[column][row - 1]).bottom());
            }
            if (column > 0) {
                QVERIFY(here.left() > at(kColumns[column - 1][row]).right());
            }
        }
    }
    const QRect all = at(QStringLiteral("all"));
    QVERIFY(all.left() > at(kColumns[2][0]).right());
    QCOMPARE(all.y(), at(kColumns[0][0]).y());
    const QRect freeze = at(QStringLiteral("blockgoogle"));
    const QRect restore = at(QStringLiteral("enablegoogle"));
    QCOMPARE(freeze.x(), all.x());
    QCOMPARE(restore.x(), all.x());
    QVERIFY(freeze.top() > all.bottom());
    QVERIFY(restore.top() > freeze.bottom());
}

void SoftwareGoogleTest::selectAllTicksAndUnticksTheTwelve() {
    Opened o;
    click<kavu::CheckButton>(*o.window, QStringLiteral("yx"));
    click<kavu::CheckButton>(*o.window, QStringLiteral("all"));
    QCOMPARE(o.value(QStringLiteral("all")), 1);
    for (const Row& row : kRows) {
        QCOMPARE(o.value(row.name), 1);
    }
    click<kavu::CheckButton>(*o.window, QStringLiteral("all"));
    QCOMPARE(o.value(QStringLiteral("all")), 0);
    for (const Row& row : kRows) {
        QCOMPARE(o.value(row.name), 0);
    }
    QVERIFY(o.t.started().isEmpty());
}

void SoftwareGoogleTest::selectAllIsNotKeptInStep() {
    Opened o;
    click<kavu::CheckButton>(*o.window, QStringLiteral("all"));
    click<kavu::CheckButton>(*o.window, QStringLiteral("dy"));
    QCOMPARE(o.value(QStringLiteral("dy")), 0);
    QCOMPARE(o.value(QStringLiteral("all")), 1);

    Opened byHand;
    for (const Row& row : kRows) {
        click<kavu::CheckButton>(*byHand.window, row.name);
    }
    QCOMPARE(byHand.value(QStringLiteral("all")), 0);
}

void SoftwareGoogleTest::runs_data() {
    QTest::addColumn<bool>("freeze");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("modes");

    const auto hidden = int(WindowMode::Hidden);
    const auto normal = int(WindowMode::Normal);
    const auto minimized = int(WindowMode::Minimized);
    const QString disable = kHiddenPrefix + QStringLiteral("adb shell pm disable-user ");
    const QString enable = kHiddenPrefix + QStringLiteral("adb shell pm enable ");

    QTest::newRow("freeze two, hidden, in the table's order")
        << true << QStringList{QStringLiteral("yy"), QStringLiteral("gms")} << false
        << QStringList{disable + QStringLiteral("com.google.android.gms"),
                       disable + QStringLiteral("com.google.android.music"), kGoogleDoneLine}
        << QList<int>{hidden, hidden, normal};
    QTest::newRow("freeze the framework keeps a minimized console")
        << true << QStringList{QStringLiteral("gsf")} << false
        << QStringList{kConsolePrefix +
                           QStringLiteral("adb shell pm disable-user com.google.android.gsf"),
                       kGoogleDoneLine}
        << QList<int>{minimized, normal};
    QTest::newRow("restore the framework runs hidden")
        << false << QStringList{QStringLiteral("gsf")} << false
        << QStringList{enable + QStringLiteral("com.google.android.gsf"), kGoogleDoneLine}
        << QList<int>{hidden, normal};
    QTest::newRow("restore three")
        << false
        << QStringList{QStringLiteral("yx"), QStringLiteral("store"), QStringLiteral("map")}
        << false
        << QStringList{enable + QStringLiteral("com.android.vending"),
                       enable + QStringLiteral("com.google.android.apps.maps"),
                       enable + QStringLiteral("com.google.android.gm"), kGoogleDoneLine}
        << QList<int>{hidden, hidden, hidden, normal};
    QTest::newRow("freeze nothing")
        << true << QStringList{} << false << QStringList{kGoogleDoneLine} << QList<int>{normal};
    QTest::newRow("restore nothing")
        << false << QStringList{} << false << QStringList{kGoogleDoneLine} << QList<int>{normal};

    QStringList freezeAll;
    QStringList restoreAll;
    QList<int> freezeModes;
    QList<int> restoreModes;
    for (const Row& row : kRows) {
        freezeAll.append((row.name == QStringLiteral("gsf") ? kConsolePrefix : kHiddenPrefix) +
                         QStringLiteral("adb shell pm disable-user ") + row.package);
        freezeModes.append(row.name == QStringLiteral("gsf") ? minimized : hidden);
        restoreAll.append(enable + row.package);
        restoreModes.append(hidden);
    }
    freezeAll.append(kGoogleDoneLine);
    restoreAll.append(kGoogleDoneLine);
    freezeModes.append(normal);
    restoreModes.append(normal);
    QTest::newRow("freeze all") << true << QStringList{} << true << freezeAll << freezeModes;
    QTest::newRow("restore all") << false << QStringList{} << true << restoreAll << restoreModes;
}

void SoftwareGoogleTest::runs() {
    QFETCH(bool, freeze);
    QFETCH(QStringList, ticked);
    QFETCH(bool, selectAll);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, modes);
    Opened o;
    for (const QString& name : ticked) {
        click<kavu::CheckButton>(*o.window, name);
    }
    if (selectAll) {
        click<kavu::CheckButton>(*o.window, QStringLiteral("all"));
    }
    QVERIFY(o.t.started().isEmpty());
    click<kavu::N_Shape>(*o.window,
                         freeze ? QStringLiteral("blockgoogle") : QStringLiteral("enablegoogle"));

    QCOMPARE(o.t.fakes().processes.lines(), lines);
    QList<int> startedModes;
    for (const auto& started : o.t.started()) {
        startedModes.append(int(started.mode));
    }
    QCOMPARE(startedModes, modes);
    // The closing line does not pass through the command box: it keeps the last package
    // command, or its earlier text when nothing was ticked.
    QString expectedBox = kEarlierCommand;
    if (lines.size() > 1) {
        expectedBox = lines.at(lines.size() - 2).mid(kHiddenPrefix.size());
    }
    QCOMPARE(o.t.commandBox(), expectedBox);
    QVERIFY(o.t.messages().isEmpty());
    // Ticks stay as they were.
    for (const QString& name : ticked) {
        QCOMPARE(o.value(name), 1);
    }
}

void SoftwareGoogleTest::greyIsNotTicked() {
    Opened o;
    control<kavu::CheckButton>(*o.window, QStringLiteral("gms"))->setValue(2);
    click<kavu::CheckButton>(*o.window, QStringLiteral("dri"));
    click<kavu::N_Shape>(*o.window, QStringLiteral("blockgoogle"));
    QCOMPARE(o.t.fakes().processes.lines(),
             (QStringList{kHiddenPrefix + QStringLiteral("adb shell pm disable-user ") +
                              packageOf(QStringLiteral("dri")),
                          kGoogleDoneLine}));
    // Select-all turns grey into the target value too.
    click<kavu::CheckButton>(*o.window, QStringLiteral("all"));
    click<kavu::CheckButton>(*o.window, QStringLiteral("all"));
    QCOMPARE(o.value(QStringLiteral("gms")), 0);
}

QTEST_MAIN(SoftwareGoogleTest)
#include "software_google_test.moc"
