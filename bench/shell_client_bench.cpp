// Reading a phone's 800 packages against the simulated adb server, whole round trip, each timed
// from the request to the parsed list: the baseline is the real adb client started as a process
// ("adb -P PORT shell pm list packages -u"); against it, in the same rounds and in turns, Kavu's
// shell client reading that one listing, the apps window's reader reading its list (the four
// listings in one request, split and combined), and the four listings as four requests at once
// (how the reader read them before). Each figure is the median of its rounds and the median of
// its ratios to the baseline of the same round.
#include "apps/package_read.h"
#include "apps/package_reader.h"
#include "devices/adb_shell_client.h"
#include "devices/package_list.h"
#include "in_turns.h"
#include "support/simulated_adb_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kPackages = 800;
constexpr int kRounds = 40;
const std::string kSerial = "R58M1";

using kavu::bench::median;

// One listing through the client; the number of packages it brought, -1 on an error.
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

// The apps window's list, as its reader reads it.
int readThroughReader(kavu::PackageReader& reader) {
    QEventLoop loop;
    int count = -1;
    const QMetaObject::Connection done = QObject::connect(
        &reader, &kavu::PackageReader::finished, &loop, [&](const kavu::apps::PackageRead& read) {
            count = read.failure.empty() ? static_cast<int>(read.packages.size()) : -1;
            loop.quit();
        });
    reader.start(kSerial);
    loop.exec();
    QObject::disconnect(done);
    return count;
}

// The four listings as four requests at once, combined into the apps window's list.
int readFourRequests(kavu::AdbShellClient& client) {
    using namespace kavu::adb;
    const std::array<std::string_view, 4> commands = {
        kSystemPackagesCommand, kThirdPartyPackagesCommand, kDisabledPackagesCommand,
        kInstalledPackagesCommand};
    std::array<ShellResult, 4> results;
    int pending = 4;
    QEventLoop loop;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        kavu::AdbShellRequest* request = client.run(kSerial, PhoneCommand(commands[i]));
        QObject::connect(request, &kavu::AdbShellRequest::finished, &loop,
                         [&, i](const ShellResult& result) {
                             results[i] = result;
                             if (--pending == 0) {
                                 loop.quit();
                             }
                         });
    }
    loop.exec();
    const kavu::apps::PackageRead read = kavu::apps::combineListings(results);
    return read.failure.empty() ? static_cast<int>(read.packages.size()) : -1;
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

struct Subject {
    const char* name;
    std::function<int()> read;
    std::vector<double> ms;
};

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
    kavu::PackageReader reader(client, nullptr);
    std::array<Subject, 4> subjects{{
        {"adb shell (a process, the baseline)",
         [&] { return readThroughAdb(adb, server.port()); },
         {}},
        {"Kavu's shell client, one listing", [&] { return readThroughClient(client); }, {}},
        {"the apps window's reader: four listings, one request",
         [&] { return readThroughReader(reader); },
         {}},
        {"four listings as four requests (the reader before)",
         [&] { return readFourRequests(client); },
         {}},
    }};
    std::array<std::vector<double>, 4> ratios;
    // Round 0 warms up; each round times every subject once, in an order that turns each round.
    for (int round = 0; round <= kRounds; ++round) {
        std::array<double, 4> ms{};
        for (std::size_t turn = 0; turn < subjects.size(); ++turn) {
            const std::size_t i = (turn + static_cast<std::size_t>(round)) % subjects.size();
            QElapsedTimer clock;
            clock.start();
            const int count = subjects[i].read();
            ms[i] = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (count != kPackages) {
                std::fprintf(stderr, "%s brought %d packages, not %d\n", subjects[i].name, count,
                             kPackages);
                return 1;
            }
        }
        if (round > 0) {
            for (std::size_t i = 0; i < subjects.size(); ++i) {
                subjects[i].ms.push_back(ms[i]);
                ratios[i].push_back(ms[i] / ms[0]);
            }
        }
    }
    std::printf("%d packages, %d rounds, each subject once a round in turns; median ms and median "
                "ratio to the baseline of the same round:\n",
                kPackages, kRounds);
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        std::printf("  %-55s %8.3f ms  %6.3fx\n", subjects[i].name, median(subjects[i].ms),
                    median(ratios[i]));
    }
    std::printf("goal: the apps window's reader <= 0.5x one adb shell\n");
    return 0;
}
