#include "devices/adb_shell_client.h"
#include "devices/package_list.h"
#include "support/simulated_adb_server.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using adb::PhoneCommand;
using adb::ShellError;
using adb::ShellResult;

namespace {

constexpr std::chrono::milliseconds kPatient{10'000};

// How a request ended, and how often.
struct Ending {
    int count = 0;
    ShellResult result;
    QPointer<AdbShellRequest> request;
};

void watch(AdbShellRequest* request, Ending& ending) {
    ending.request = request;
    QObject::connect(request, &AdbShellRequest::finished, request,
                     [&ending](const ShellResult& result) {
                         ++ending.count;
                         ending.result = result;
                     });
}

const QStringList kShellV2 = {QStringLiteral("cmd"), QStringLiteral("shell_v2")};

SimulatedDevice phone(QString state = QStringLiteral("device")) {
    return {QStringLiteral("R58M"), std::move(state), {}};
}

QList<SimulatedPackage> packages(int count) {
    QList<SimulatedPackage> list;
    for (int i = 0; i < count; ++i) {
        list.append(
            {QStringLiteral("com.example.app%1").arg(i), i % 3 == 0, i % 7 == 0, i % 11 == 0});
    }
    return list;
}

} // namespace

class ShellClientTest : public QObject {
    Q_OBJECT

private slots:
    void shellProtocolWhenListedElsePlainShell_data();
    void shellProtocolWhenListedElsePlainShell();
    void endsInOneError_data();
    void endsInOneError();
    void refusedTypedTextSendsNothing();
    void cancelEndsOnlyThatRequest();
    void severalAtOnce();
    void realAdbClientReadsTheScriptedList();
};

void ShellClientTest::shellProtocolWhenListedElsePlainShell_data() {
    QTest::addColumn<QStringList>("features");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode"); // -1: none
    const QByteArray notFound("/system/bin/sh: frobnicate: inaccessible or not found\n");
    QTest::newRow("shell protocol")
        << kShellV2 << QStringLiteral("wm size") << QStringLiteral("shell,v2,raw:wm size")
        << QByteArray("Physical size: 1080x2400\n") << QByteArray() << 0;
    QTest::newRow("shell protocol, failing")
        << kShellV2 << QStringLiteral("frobnicate") << QStringLiteral("shell,v2,raw:frobnicate")
        << QByteArray() << notFound << 127;
    QTest::newRow("plain shell") << QStringList{QStringLiteral("cmd")} << QStringLiteral("wm size")
                                 << QStringLiteral("shell:wm size")
                                 << QByteArray("Physical size: 1080x2400\n") << QByteArray() << -1;
    QTest::newRow("plain shell, failing")
        << QStringList() << QStringLiteral("frobnicate") << QStringLiteral("shell:frobnicate")
        << notFound << QByteArray() << -1;
}

void ShellClientTest::shellProtocolWhenListedElsePlainShell() {
    QFETCH(QStringList, features);
    QFETCH(QString, command);
    QFETCH(QString, service);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.setDevices({phone()});
    server.features = features;
    AdbShellClient client(server.port(), {});
    Ending ending;
    watch(client.run("R58M", PhoneCommand(command.toStdString())), ending);
    QTRY_VERIFY(ending.request.isNull());
    QCOMPARE(ending.count, 1);
    QCOMPARE(ending.result.error, ShellError::None);
    QCOMPARE(QByteArray::fromStdString(ending.result.out), out);
    QCOMPARE(QByteArray::fromStdString(ending.result.err), err);
    QCOMPARE(ending.result.exitCode.value_or(-1), exitCode);
    QCOMPARE(server.requests, (QStringList{QStringLiteral("host-serial:R58M:features"),
                                           QStringLiteral("host:transport:R58M"), service}));
}

void ShellClientTest::endsInOneError_data() {
    QTest::addColumn<QString>("server"); // simulated, none, garbage
    QTest::addColumn<QString>("state");  // of R58M; empty: not listed
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("error");
    const auto row = [](const char* name, const char* server, const char* state, ShellFault fault,
                        ShellError error) {
        QTest::newRow(name) << QString::fromLatin1(server) << QString::fromLatin1(state)
                            << static_cast<int>(fault) << static_cast<int>(error);
    };
    row("no server", "none", "device", ShellFault::None, ShellError::NoServer);
    row("device gone", "simulated", "", ShellFault::None, ShellError::DeviceGone);
    row("offline", "simulated", "offline", ShellFault::None, ShellError::DeviceGone);
    row("unauthorized", "simulated", "unauthorized", ShellFault::None, ShellError::Unauthorized);
    row("time out", "simulated", "device", ShellFault::Slow, ShellError::TimedOut);
    row("too large", "simulated", "device", ShellFault::TooMuch, ShellError::TooLarge);
    row("closed mid-reply", "simulated", "device", ShellFault::CloseMidReply,
        ShellError::DeviceGone);
    row("protocol error", "garbage", "device", ShellFault::None, ShellError::ProtocolError);
}

// Limits made small: a slow phone is given 100 ms, output 64 KiB.
void ShellClientTest::endsInOneError() {
    QFETCH(QString, server);
    QFETCH(QString, state);
    QFETCH(int, fault);
    SimulatedAdbServer simulated;
    QVERIFY(simulated.listen());
    simulated.setDevices(state.isEmpty() ? QList<SimulatedDevice>() : QList{phone(state)});
    simulated.features = kShellV2;
    simulated.shellFault = static_cast<ShellFault>(fault);
    simulated.tooMuchBytes = 1 << 20;
    QTcpServer garbage;
    quint16 port = simulated.port();
    if (server == u"none") {
        simulated.stop();
    } else if (server == u"garbage") {
        QVERIFY(garbage.listen(QHostAddress(QHostAddress::LocalHost)));
        connect(&garbage, &QTcpServer::newConnection, &garbage,
                [&garbage] { garbage.nextPendingConnection()->write("HTTP/1.1 400\r\n\r\n"); });
        port = garbage.serverPort();
    }
    const bool slow = simulated.shellFault == ShellFault::Slow;
    AdbShellClient client(port, {slow ? std::chrono::milliseconds(100) : kPatient, 64 << 10});
    Ending ending;
    watch(client.run("R58M", PhoneCommand("pm list packages")), ending);
    QTRY_VERIFY(ending.request.isNull());
    QCOMPARE(ending.count, 1);
    QFETCH(int, error);
    QCOMPARE(static_cast<int>(ending.result.error), error);
    QVERIFY(ending.result.out.empty() && ending.result.err.empty());
}

void ShellClientTest::refusedTypedTextSendsNothing() {
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.setDevices({phone()});
    int connections = 0;
    connect(&server, &SimulatedAdbServer::received, this, [&connections] { ++connections; });
    AdbShellClient client(server.port(), {});
    Ending ending;
    watch(client.run("R58M",
                     PhoneCommand("settings get system ").typed("x;reboot", Splice::PhoneBare)),
          ending);
    QTRY_VERIFY(ending.request.isNull());
    QCOMPARE(ending.count, 1);
    QCOMPARE(ending.result.error, ShellError::Refused);
    QCOMPARE(ending.result.refusal, Refusal::PhoneCharacters);
    QCOMPARE(connections, 0);
    QVERIFY(server.requests.isEmpty());
}

// Two requests wait on a slow phone at once; cancelling one leaves the other running.
void ShellClientTest::cancelEndsOnlyThatRequest() {
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.setDevices({phone()});
    server.features = kShellV2;
    server.shellFault = ShellFault::Slow;
    AdbShellClient client(server.port(), {kPatient, 64 << 10});
    Ending first;
    Ending second;
    watch(client.run("R58M", PhoneCommand("wm size")), first);
    watch(client.run("R58M", PhoneCommand("wm density")), second);
    QTRY_COMPARE(server.shellCommands.size(), 2);
    first.request->cancel();
    QCOMPARE(first.count, 1);
    QCOMPARE(first.result.error, ShellError::Cancelled);
    QTRY_VERIFY(first.request.isNull());
    QVERIFY(!second.request.isNull());
    QCOMPARE(second.count, 0);
    second.request->cancel();
    second.request->cancel();
    QCOMPARE(second.count, 1);
}

void ShellClientTest::severalAtOnce() {
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.setDevices({phone()});
    server.features = kShellV2;
    server.phone.packages = packages(30);
    server.phone.settings.insert(QStringLiteral("system/screen_brightness"), QStringLiteral("128"));
    AdbShellClient client(server.port(), {});
    Ending endings[3];
    watch(client.run("R58M", PhoneCommand(adb::kInstalledPackagesCommand)), endings[0]);
    watch(client.run("R58M", PhoneCommand("settings get system screen_brightness")), endings[1]);
    watch(client.run("R58M", PhoneCommand("wm density")), endings[2]);
    QTRY_VERIFY(endings[0].request.isNull() && endings[1].request.isNull() &&
                endings[2].request.isNull());
    QCOMPARE(adb::listedPackageNames(endings[0].result.out).size(), 27U);
    QCOMPARE(endings[1].result.out, std::string("128\n"));
    QCOMPARE(endings[2].result.out, std::string("Physical density: 440\n"));
    for (const Ending& ending : endings) {
        QCOMPARE(ending.count, 1);
    }
}

// The simulated phone speaks the shell protocol as the real client expects it.
void ShellClientTest::realAdbClientReadsTheScriptedList() {
    const QString adb = QStandardPaths::findExecutable(QStringLiteral("adb"));
    if (adb.isEmpty()) {
        QSKIP("no adb client installed");
    }
    SimulatedAdbServer server;
    QVERIFY(server.listen());
    server.setDevices({phone()});
    server.features = kShellV2;
    server.phone.packages = packages(5);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(adb, {QStringLiteral("-P"), QString::number(server.port()),
                        QStringLiteral("shell"), QStringLiteral("pm list packages -u")});
    QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 20'000);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(),
             QByteArray("package:com.example.app0\npackage:com.example.app1\n"
                        "package:com.example.app2\npackage:com.example.app3\n"
                        "package:com.example.app4\n"));
    // "shell,v2,TERM=…,raw:COMMAND": the shell protocol, no terminal.
    const QString shell = server.requests.constLast();
    QVERIFY2(shell.startsWith(u"shell,v2,") && shell.endsWith(u",raw:pm list packages -u"),
             qPrintable(shell));
}

QTEST_GUILESS_MAIN(ShellClientTest)
#include "shell_client_test.moc"
