#include "apps/package_state_reader.h"

#include "apps/package_read.h"
#include "devices/adb_shell_client.h"
#include "journal/device_snapshot.h"
#include "platform/shown_text.h"

#include <algorithm>

namespace kavu {

namespace {

PackageStateRead stateOf(const QString& name, const adb::ShellResult& result) {
    if (result.error != adb::ShellError::None) {
        return {name, std::nullopt, shownText(adb::errorText(result))};
    }
    const std::optional<PackageState> state =
        result.exitCode.value_or(0) == 0 ? journal::packageStateOf(result.out) : std::nullopt;
    if (state) {
        return {name, state, {}};
    }
    // "Unable to find package: NAME", an error, or an answer without the user's state.
    const std::string said = apps::quotedLine(result.err.empty() ? result.out : result.err);
    return {name, std::nullopt,
            said.empty() ? shownText(KAVU_TEXT("kavu", "手机没有回答这个应用的状态。"))
                         : QString::fromStdString(said)};
}

} // namespace

PackageStateReader::PackageStateReader(AdbShellClient& client, QObject* parent)
    : QObject(parent)
    , m_client(client) {}

PackageStateReader::~PackageStateReader() {
    stop();
}

void PackageStateReader::read(const std::string& serial, const QStringList& names, bool first) {
    if (serial != m_serial) {
        stop();
        m_serial = serial;
    }
    // Put in front one by one from the last, the names keep their order.
    for (qsizetype at = 0; at < names.size(); ++at) {
        const QString& name = names.at(first ? names.size() - 1 - at : at);
        if (m_waitingNames.contains(name)) {
            if (!first) {
                continue;
            }
            m_waiting.erase(std::find(m_waiting.begin(), m_waiting.end(), name));
        }
        m_waitingNames.insert(name);
        if (first) {
            m_waiting.push_front(name);
        } else {
            m_waiting.push_back(name);
        }
    }
    next();
}

void PackageStateReader::stop() {
    m_waiting.clear();
    m_waitingNames.clear();
    m_latest.clear();
    const QList<QPointer<AdbShellRequest>> running = m_running;
    m_running.clear();
    for (const QPointer<AdbShellRequest>& request : running) {
        if (request) {
            disconnect(request, nullptr, this, nullptr);
            request->cancel();
        }
    }
}

void PackageStateReader::next() {
    while (m_running.size() < kReadsAtOnce && !m_waiting.empty()) {
        const QString name = m_waiting.front();
        m_waiting.pop_front();
        m_waitingNames.remove(name);
        const quint64 number = ++m_lastNumber;
        m_latest.insert(name, number);
        // The names come from the phone's own list; the command refuses any that is not a name.
        AdbShellRequest* request = m_client.run(
            m_serial,
            adb::PhoneCommand("dumpsys package ").typed(name.toStdString(), Splice::PhoneName));
        m_running.append(request);
        connect(request, &AdbShellRequest::finished, this,
                [this, request, name, number](const adb::ShellResult& result) {
                    m_running.removeAll(request);
                    if (m_latest.value(name) == number) {
                        m_latest.remove(name);
                        emit stateRead(stateOf(name, result));
                    }
                    next();
                });
    }
}

} // namespace kavu
