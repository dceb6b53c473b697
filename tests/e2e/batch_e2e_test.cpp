// A batch end to end: twenty phones on a simulated server, six of them picked in "选择设备", a
// freeze (a console line for one phone) run on the six as hidden runs with a row each, one phone
// failing and retried alone, and the rows exported. Run under Xvfb by devices_e2e.sh.
#include "apps/software.h"
#include "batch/batch_window.h"
#include "batch/phone_picker.h"
#include "journal/journal.h"
#include "real_program.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kTimeoutMs = 30000;
const QString kPackage = QStringLiteral("com.example.batch");
const QString kFreeze = QStringLiteral("pm disable-user ") + kPackage;
const QStringList kPicked{QStringLiteral("S03"), QStringLiteral("S05"), QStringLiteral("S07"),
                          QStringLiteral("S11"), QStringLiteral("S13"), QStringLiteral("S17")};

} // namespace

class BatchE2ETest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void freezeOnSixPickedPhonesRetryTheFailedOneAndExport();

private:
    QComboBox& list() { return *control<QComboBox>(*m_program.main(), QStringLiteral("Combodev")); }
    QMap<QString, int> freezes() const {
        QMap<QString, int> bySerial;
        for (const Received& command : m_server.shellCommands) {
            if (command.text == kFreeze) {
                ++bySerial[command.serial];
            }
        }
        return bySerial;
    }

    SimulatedAdbServer m_server;
    RealProgram m_program;
};

void BatchE2ETest::initTestCase() {
    QVERIFY(m_server.listen());
    m_server.features = {QStringLiteral("shell_v2")};
    m_server.phone.packages = {{kPackage}};
    QList<SimulatedDevice> phones;
    for (int i = 1; i <= 20; ++i) {
        const QString number = QString::number(i).rightJustified(2, u'0');
        phones.append({u'S' + number, QStringLiteral("device"), QStringLiteral("Model_") + number});
    }
    m_server.setDevices(phones);
    m_program.start(m_server);
}

void BatchE2ETest::cleanupTestCase() {
    m_program.stop();
    QVERIFY2(m_program.startFailures().isEmpty(),
             qPrintable(m_program.startFailures().join(u'\n')));
}

void BatchE2ETest::freezeOnSixPickedPhonesRetryTheFailedOneAndExport() {
    // "选择设备…" sits above "全部设备" at the end of the list and opens the checklist.
    QTRY_COMPARE_WITH_TIMEOUT(list().itemText(list().count() - 1),
                              QStringLiteral("全部设备（20 台）"), kTimeoutMs);
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_End);
    QTest::keyClick(&list(), Qt::Key_Up);
    auto* picker = m_program.app().find<PhonePicker>();
    QVERIFY(picker != nullptr);
    picker->tick(kPicked);
    click<QPushButton>(*picker, QStringLiteral("Accept"));
    QTRY_COMPARE(list().currentText(), QStringLiteral("已选 6 台设备"));

    m_server.failingSerials = {QStringLiteral("S07")};
    auto* software = m_program.app().open<Software>();
    typeInto(*software, QStringLiteral("APPText5"), kPackage);
    click<N_Shape>(*software, QStringLiteral("FREEZE"));
    auto* batch = m_program.app().find<BatchWindow>();
    QVERIFY(batch != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(batch->windowTitle(),
                              QStringLiteral("批量运行 — 5 成功，1 失败，0 跳过"), kTimeoutMs);
    auto* rows = control<QTableView>(*batch, QStringLiteral("Rows"));
    QCOMPARE(rows->model()->rowCount(), 6);
    QStringList results;
    for (int row = 0; row < 6; ++row) {
        results << rows->model()->index(row, 0).data().toString() + u' ' +
                       rows->model()->index(row, 4).data().toString();
    }
    QCOMPARE(results.join(u'|'),
             QStringLiteral("S03 成功|S05 成功|S07 失败（退出码 3）|S11 成功|S13 成功|S17 成功"));
    QMap<QString, int> once;
    for (const QString& serial : kPicked) {
        once[serial] = 1;
    }
    QCOMPARE(freezes(), once);
    // Run hidden, each journaled on its phone: no console opened.
    for (const QString& serial : kPicked) {
        const QList<journal::Entry> entries = m_program.journal().read(serial).entries;
        QVERIFY(std::any_of(entries.begin(), entries.end(), [](const journal::Entry& entry) {
            return entry.line.contains(kFreeze) && entry.mode == launch::WindowMode::Hidden;
        }));
        QVERIFY(std::none_of(entries.begin(), entries.end(), [](const journal::Entry& entry) {
            return entry.mode != launch::WindowMode::Hidden;
        }));
    }

    // The failed phone alone runs again.
    m_server.failingSerials.clear();
    click<QPushButton>(*batch, QStringLiteral("RetryFailed"));
    QTRY_COMPARE_WITH_TIMEOUT(batch->windowTitle(),
                              QStringLiteral("批量运行 — 6 成功，0 失败，0 跳过"), kTimeoutMs);
    once[QStringLiteral("S07")] = 2;
    QCOMPARE(freezes(), once);

    const QString csv = m_program.folder().filePath(QStringLiteral("batch.csv"));
    QVERIFY(batch->exportTo(csv));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7);
    QVERIFY2(lines[3].startsWith(u"\"S07\",\"Model_07\",\"device\",\"adb shell " + kFreeze +
                                 u"\",\"成功\""),
             qPrintable(lines[3]));
}

QTEST_MAIN(BatchE2ETest)
#include "batch_e2e_test.moc"
