// Every phone at once, end to end: the real kavu-cmd, terminal and adb client against a simulated
// server with two phones, and a stand-in fastboot in the consoles' folder that lists its own
// phones in fastboot mode and notes each call with its phone. The lines of one click run per phone
// in their order with their pause; a phone gone when its turn comes gets nothing and is named; undo
// stays on the phone its entry names. Run under Xvfb by devices_e2e.sh.
#include "flash/okc.h"
#include "journal/journal.h"
#include "journal/journal_window.h"
#include "real_program.h"
#include "shell/form1.h"
#include "statusbar/status.h"
#include "support/driving.h"
#include "support/simulated_adb_server.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;

namespace {

constexpr int kTimeoutMs = 20000;
const SimulatedDevice kA{QStringLiteral("EVA1"), QStringLiteral("device"),
                         QStringLiteral("Pixel 7")};
const SimulatedDevice kB{QStringLiteral("EVB2"), QStringLiteral("device"), QStringLiteral("Mi 10")};

// One call of the stand-in fastboot: its phone, its command word, when (ms since the epoch).
struct Call {
    QString serial;
    QString command;
    qint64 at = 0;
};

} // namespace

class EveryPhoneE2ETest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void flashThenBootOnEachPhoneAndAPhoneGoneIsSkipped();
    void undoOfABatchEntryStaysOnItsPhone();

private:
    QList<Call> calls() const;
    // What the stand-in fastboot lists as in fastboot mode.
    static void setFastbootPhones(const QByteArray& listing) {
        QFile file(QStringLiteral("fastboot.devices"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(listing);
    }
    QComboBox& list() { return *control<QComboBox>(*m_program.main(), QStringLiteral("Combodev")); }
    QString told() { return shownText(*m_program.main(), QStringLiteral("Labeldevstate")); }
    void chooseEveryPhone(int ready) {
        QTRY_COMPARE_WITH_TIMEOUT(list().itemText(list().count() - 1),
                                  QStringLiteral("全部设备（%1 台）").arg(ready), kTimeoutMs);
        list().setFocus();
        QTest::keyClick(&list(), Qt::Key_End);
        QCOMPARE(list().currentText(), QStringLiteral("全部设备（%1 台）").arg(ready));
    }

    SimulatedAdbServer m_server;
    RealProgram m_program;
};

void EveryPhoneE2ETest::initTestCase() {
    QVERIFY(m_server.listen());
    m_server.features = {QStringLiteral("shell_v2")};
    m_server.setDevices({kA, kB});
    m_program.start(m_server);
    // The consoles run in their own folder and find a program there first.
    QFile fastboot(QStringLiteral("fastboot"));
    QVERIFY(fastboot.open(QIODevice::WriteOnly));
    // It lists the phones in fastboot.devices as in fastboot mode.
    fastboot.write("#!/bin/sh\n[ \"$1\" = devices ] && exec cat fastboot.devices\n"
                   "echo \"$ANDROID_SERIAL $1 $(date +%s%3N)\" >> fastboot.log\n");
    fastboot.close();
    QVERIFY(fastboot.setPermissions(fastboot.permissions() | QFile::ExeOwner));
    QFile image(m_program.folder().filePath(QStringLiteral("File/recovery.img")));
    QVERIFY(image.open(QIODevice::WriteOnly));
}

void EveryPhoneE2ETest::cleanupTestCase() {
    m_program.stop();
    QVERIFY2(m_program.startFailures().isEmpty(),
             qPrintable(m_program.startFailures().join(u'\n')));
}

QList<Call> EveryPhoneE2ETest::calls() const {
    QFile log(QStringLiteral("fastboot.log"));
    QList<Call> found;
    if (!log.open(QIODevice::ReadOnly)) {
        return found;
    }
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 3) {
            found.append(
                {QString::fromUtf8(words[0]), QString::fromUtf8(words[1]), words[2].toLongLong()});
        }
    }
    return found;
}

void EveryPhoneE2ETest::flashThenBootOnEachPhoneAndAPhoneGoneIsSkipped() {
    // Fastboot lists A (in both lists) and C, which adb does not list: fastboot lines go to
    // exactly those two, and none to B, which only adb lists.
    setFastbootPhones("EVA1\tfastboot\nFBC3\tfastboot\n");
    OKC* okc = m_program.app().open<OKC>();
    QTRY_VERIFY_WITH_TIMEOUT(list().findText(QStringLiteral("FBC3（Fastboot）")) >= 0, kTimeoutMs);
    chooseEveryPhone(4);
    pick(*okc, QStringLiteral("File1"), QStringLiteral("recovery.img"));
    click<OptionButton>(*okc, QStringLiteral("recf"));
    const qint64 clicked = QDateTime::currentMSecsSinceEpoch();
    click<N_Shape>(*okc, QStringLiteral("N_Shapeshuaru"));
    QTRY_COMPARE_WITH_TIMEOUT(calls().size(), 4, kTimeoutMs);
    for (const QString& phone : {kA.serial, QStringLiteral("FBC3")}) {
        QStringList commands;
        for (const Call& call : calls()) {
            if (call.serial == phone) {
                commands << call.command;
                if (call.command == u"boot") {
                    QVERIFY2(call.at - clicked >= 4400, qPrintable(phone));
                }
            }
        }
        QCOMPARE(commands, (QStringList{QStringLiteral("flash"), QStringLiteral("boot")}));
    }

    // C leaves while both wait to boot: A boots, C gets nothing and is named.
    QVERIFY(QFile::remove(QStringLiteral("fastboot.log")));
    click<N_Shape>(*okc, QStringLiteral("N_Shapeshuaru"));
    QTRY_COMPARE_WITH_TIMEOUT(calls().size(), 2, kTimeoutMs);
    // The batch keeps the phones in fastboot mode listed for its boots, with the window closed.
    okc->close();
    setFastbootPhones("EVA1\tfastboot\n");
    QTRY_COMPARE_WITH_TIMEOUT(told(), QStringLiteral("FBC3：设备已不在列表中，未运行。"),
                              kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(calls().size(), 3, kTimeoutMs);
    QCOMPARE(calls().last().serial, kA.serial);
    QCOMPARE(calls().last().command, QStringLiteral("boot"));
    // Without the flashing window and the batch, nothing lists the phones in fastboot mode.
    QTRY_COMPARE_WITH_TIMEOUT(list().findText(QStringLiteral("EVA1（Fastboot）")), -1, kTimeoutMs);
}

void EveryPhoneE2ETest::undoOfABatchEntryStaysOnItsPhone() {
    QTRY_COMPARE_WITH_TIMEOUT(list().currentText(), QStringLiteral("全部设备（2 台）"), kTimeoutMs);
    Status* status = m_program.app().open<Status>();
    typeInto(*status, QStringLiteral("Text10battper"), QStringLiteral("50"));
    click<N_Shape>(*status, QStringLiteral("N_Shape2battper"));
    journal::Journal& journal = m_program.journal();
    const auto batteryEntryOf = [&journal](const QString& serial) -> std::optional<journal::Entry> {
        for (const journal::Entry& entry : journal.read(serial).entries) {
            if (entry.line.contains(u"battery set level 50") && entry.exitCode == 0) {
                return entry;
            }
        }
        return std::nullopt;
    };
    QTRY_VERIFY_WITH_TIMEOUT(batteryEntryOf(kA.serial) && batteryEntryOf(kB.serial), kTimeoutMs);

    // A chosen alone; its journal's battery entry taken back.
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Home);
    QCOMPARE(list().currentData().toString(), kA.serial);
    auto* window = m_program.app().open<journal::JournalWindow>(journal);
    auto* rows = control<QTreeWidget>(*window, QStringLiteral("entries"));
    QTreeWidgetItem* battery = nullptr;
    for (int row = 0; row < rows->topLevelItemCount(); ++row) {
        if (rows->topLevelItem(row)->text(1).contains(u"battery set level 50")) {
            battery = rows->topLevelItem(row);
        }
    }
    QVERIFY(battery != nullptr);
    rows->setCurrentItem(battery);
    m_server.shellCommands.clear();
    click<QPushButton>(*window, QStringLiteral("undoSelected"));
    const auto undoEnded = [&journal] {
        const QList<journal::Entry> entries = journal.read(kA.serial).entries;
        return std::any_of(entries.cbegin(), entries.cend(), [](const journal::Entry& entry) {
            return entry.undoes && entry.exitCode;
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(undoEnded(), kTimeoutMs);
    // The phone is read as well (its snapshot); of the changes, only A's reset arrived.
    QList<Received> batteryCommands;
    for (const Received& command : std::as_const(m_server.shellCommands)) {
        if (command.text.contains(u"battery")) {
            batteryCommands.append(command);
        }
    }
    QCOMPARE(batteryCommands.size(), 1);
    QCOMPARE(batteryCommands.first().serial, kA.serial);
    QCOMPARE(batteryCommands.first().text, QStringLiteral("dumpsys battery reset"));
}

QTEST_MAIN(EveryPhoneE2ETest)
#include "every_phone_e2e_test.moc"
