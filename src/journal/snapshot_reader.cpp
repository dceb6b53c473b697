#include "journal/snapshot_reader.h"

#include "devices/adb_shell_client.h"

#include <algorithm>

namespace kavu::journal {

namespace {

// The answer's output when the command ran and succeeded.
std::optional<std::string_view> succeeded(const adb::ShellResult& result) {
    if (result.error != adb::ShellError::None || result.exitCode.value_or(0) != 0) {
        return std::nullopt;
    }
    return std::string_view(result.out);
}

} // namespace

SnapshotReader::SnapshotReader(AdbShellClient& client, QObject* parent)
    : QObject(parent)
    , m_client(client) {}

SnapshotReader::~SnapshotReader() {
    stop();
}

void SnapshotReader::read(const QString& serial) {
    stop();
    if (m_serial != serial) {
        m_snapshot = {};
        m_serial = serial;
    }
    for (const SettingKey& setting : kSnapshotSettings) {
        const QString key =
            QString::fromUtf8(setting.space.data(), static_cast<qsizetype>(setting.space.size())) +
            u'/' +
            QString::fromUtf8(setting.key.data(), static_cast<qsizetype>(setting.key.size()));
        ask("settings get " + std::string(setting.space) + ' ' + std::string(setting.key),
            [key](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
                if (const auto out = succeeded(result)) {
                    snapshot.settings.insert(key, settingValue(*out));
                }
            });
    }
    ask("wm density", [](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
        if (const auto out = succeeded(result)) {
            snapshot.density = wmValue(*out);
        }
    });
    ask("wm size", [](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
        if (const auto out = succeeded(result)) {
            snapshot.size = wmValue(*out);
        }
    });
    ask("pm list packages -d", [](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
        if (const auto out = succeeded(result)) {
            snapshot.disabledPackages = listedPackages(*out);
        }
    });
    ask("pm list packages -e", [](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
        if (const auto out = succeeded(result)) {
            snapshot.enabledPackages = listedPackages(*out);
        }
    });
}

void SnapshotReader::clear() {
    stop();
    m_serial.reset();
    m_snapshot = {};
}

void SnapshotReader::change(const std::function<void(DeviceSnapshot&)>& apply) {
    ++m_generation;
    apply(m_snapshot);
}

void SnapshotReader::ask(const std::string& command,
                         std::function<void(const adb::ShellResult&, DeviceSnapshot&)> take) {
    AdbShellRequest* request = m_client.run(m_serial->toStdString(), adb::PhoneCommand(command));
    m_requests.append(request);
    connect(request, &AdbShellRequest::finished, this,
            [this, request, generation = m_generation,
             take = std::move(take)](const adb::ShellResult& result) {
                m_requests.removeAll(request);
                if (generation == m_generation) {
                    take(result, m_snapshot);
                }
                if (std::all_of(m_requests.cbegin(), m_requests.cend(),
                                [](const QPointer<AdbShellRequest>& r) { return r.isNull(); })) {
                    m_requests.clear();
                    emit answered();
                }
            });
}

void SnapshotReader::stop() {
    for (const QPointer<AdbShellRequest>& request : std::as_const(m_requests)) {
        if (request) {
            disconnect(request, nullptr, this, nullptr);
            request->cancel();
        }
    }
    m_requests.clear();
}

} // namespace kavu::journal
