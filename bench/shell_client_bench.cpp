// Reading a phone's 800 packages against the simulated adb server, whole round trip: through
// Kavu's shell client, in this process, against the real adb client started as a process
// ("adb -P PORT shell pm list packages -u"), each timed from the request to the parsed list.
#include "devices/adb_shell_client.h"
#include "devices/package_list.h"
#include "support/simulated_adb_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPackages = 800;
constexpr int kRounds = 40;
const std::string kSerial = "R58M1";

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One read through the client; the number of packages it brought, -1 on an error.
int readThroughClient(kavu::AdbShellClient& client) {
    QEventLoop loop;
    int count = -1;
    kavu::AdbShellRequest* request =
        client.run(kSerial, kavu::adb::PhoneCommand("pm list packages -u"));
    QObject::connect(request, &kavu::AdbShellRequest::finished, &loop,
                     [&](const kavu::adb::ShellResult& result) {
                         if (result.error == kavu::adb::ShellError::None) {
                             count =
                                 static_cast<int>(kavu::adb::listedPackageNames(result.out).size());
                         }
                         loop.quit();
                     });
    loop.exec();
    return count;
}

// The four listings at once, combined into the apps window's list.
int readTableThroughClient(kavu::AdbShellClient& client) {
    using namespace kavu::adb;
    const std::array<std::string_view, 4> commands = {
        kSystemPackagesCommand, kThirdPartyPackagesCommand, kDisabledPackagesCommand,
        kInstalledPackagesCommand};
    std::array<std::string, 4> outputs;
    int pending = 4;
    bool failed = false;
    QEventLoop loop;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        kavu::AdbShellRequest* request = client.run(kSerial, PhoneCommand(commands[i]));
        QObject::connect(request, &kavu::AdbShellRequest::finished, &loop,
                         [&, i](const ShellResult& result) {
                             failed = failed || result.error != ShellError::None;
                             outputs[i] = result.out;
                             if (--pending == 0) {
                                 loop.quit();
                             }
                         });
    }
    loop.exec();
    if (failed) {
        return -1;
    }
    return static_cast<int>(
        combinePackageListings({outputs[0], outputs[1], outputs[2], outputs[3]}).packages.size());
}

int readThroughAdb(const QString& adb, quint16 port) {
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    process.start(adb, {QStringLiteral("-P"), QString::number(port), QStringLiteral("-s"),
                        QString::fromStdString(kSerial), QStringLiteral("shell"),
                        QStringLiteral("pm list packages -u")});
    loop.exec();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return -1;
    }
    const std::string out = process.readAllStandardOutput().toStdString();
    return static_cast<int>(kavu::adb::listedPackageNames(out).size());
}

template <typename Read> bool measure(const char* what, const Read& read, std::vector<double>& ms) {
    for (int round = 0; round <= kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const int count = read();
        const double elapsed = clock.nsecsElapsed() / 1e6;
        if (count != kPackages) {
            std::fprintf(stderr, "%s brought %d packages, not %d\n", what, count, kPackages);
            return false;
        }
        if (round > 0) { // the first round warms up
            ms.push_back(elapsed);
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QString adb = QStandardPaths::findExecutable(QStringLiteral("adb"));
    if (adb.isEmpty()) {
        std::fprintf(stderr, "no adb client on PATH\n");
        return 1;
    }
    kavu::test::SimulatedAdbServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "cannot listen on the loopback\n");
        return 1;
    }
    server.setDevices({{QString::fromStdString(kSerial), QStringLiteral("device"), {}}});
    server.features = {QStringLiteral("shell_v2"), QStringLiteral("cmd")};
    for (int i = 0; i < kPackages; ++i) {
        server.phone.packages.append(
            {QStringLiteral("com.vendor%1.app.component%2").arg(i % 37).arg(i), i % 2 == 0,
             i % 9 == 0, i % 13 == 0});
    }

    kavu::AdbShellClient client(server.port(), {});
    std::vector<double> kavuMs;
    std::vector<double> tableMs;
    std::vector<double> adbMs;
    if (!measure(
            "Kavu's client", [&] { return readThroughClient(client); }, kavuMs) ||
        !measure(
            "Kavu's four listings", [&] { return readTableThroughClient(client); }, tableMs) ||
        !measure(
            "adb", [&] { return readThroughAdb(adb, server.port()); }, adbMs)) {
        return 1;
    }
    const double kavu = median(kavuMs);
    const double real = median(adbMs);
    std::printf("pm list packages -u, %d packages, median of %d rounds, ms:\n", kPackages, kRounds);
    std::printf("  Kavu's shell client     %8.3f\n", kavu);
    std::printf("  adb shell (a process)   %8.3f\n", real);
    std::printf("  ratio Kavu / adb        %8.3f (goal <= 0.5)\n", kavu / real);
    std::printf("the apps window's list (four listings at once, combined): %.3f ms\n",
                median(tableMs));
    return kavu / real <= 0.5 ? 0 : 2;
}
