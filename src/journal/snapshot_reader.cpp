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

SnapshotReader::SnapshotReader(AdbShellClient& client, QStringList settings, QObject* parent)
    : QObject(parent)
    , m_client(client)
    , m_settings(std::move(settings)) {}

SnapshotReader::~SnapshotReader() {
    stop();
}

void SnapshotReader::read(const QString& serial) {
    stop();
    if (m_serial != serial) {
        m_snapshot = {};
        m_serial = serial;
    }
    askEverything();
}

void SnapshotReader::askEverything() {
    m_complete = true;
    for (const QString& id : std::as_const(m_settings)) {
        askSetting(id);
    }
    askWm(true);
    askWm(false);
    askPackageLists();
}

bool SnapshotReader::reading() const {
    return std::any_of(m_requests.cbegin(), m_requests.cend(),
                       [](const QPointer<AdbShellRequest>& r) { return !r.isNull(); });
}

void SnapshotReader::reread(const Change& change) {
    if (!m_serial) {
        return;
    }
    switch (change.kind) {
    case Change::Kind::Setting:
        askSetting(change.settingId());
        break;
    case Change::Kind::Density:
    case Change::Kind::Size:
        askWm(change.kind == Change::Kind::Density);
        break;
    case Change::Kind::Package:
        if (m_snapshot.packages) {
            askPackage(change.key);
        }
        break;
    case Change::Kind::None:
    case Change::Kind::Overscan:
    case Change::Kind::Battery:
        break;
    }
}

void SnapshotReader::askSetting(const QString& id) {
    const QString space = id.section(u'/', 0, 0);
    const QString key = id.section(u'/', 1);
    ask("settings get " + space.toStdString() + ' ' + key.toStdString(),
        [id](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
            if (const auto out = succeeded(result)) {
                snapshot.settings.insert(id, settingValue(*out));
            } else {
                snapshot.settings.remove(id);
            }
        });
}

void SnapshotReader::askWm(bool density) {
    ask(density ? "wm density" : "wm size",
        [density](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
            std::optional<WmValue>& value = density ? snapshot.density : snapshot.size;
            const auto out = succeeded(result);
            value = out ? wmValue(*out) : std::nullopt;
        });
}

void SnapshotReader::askPackage(const QString& name) {
    ask("dumpsys package " + name.toStdString(),
        [name](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
            if (!snapshot.packages) {
                return;
            }
            const auto out = succeeded(result);
            const std::optional<PackageState> state = out ? packageStateOf(*out) : std::nullopt;
            if (state) {
                snapshot.packages->insert(name, *state);
            } else {
                snapshot.packages->remove(name); // gone, or not known
            }
        });
}

void SnapshotReader::askPackageLists() {
    m_enabled.reset();
    m_disabled.reset();
    m_everyPackage.reset();
    // Once all three lists are in: the states they tell, and the kind of each disabled package
    // read on its own (a few; beyond a bound they stay unknown).
    const auto assemble = [this](DeviceSnapshot& snapshot) {
        if (!m_enabled || !m_disabled || !m_everyPackage) {
            return;
        }
        QHash<QString, PackageState> states;
        for (const QString& name : std::as_const(*m_everyPackage)) {
            if (m_enabled->contains(name)) {
                states.insert(name, PackageState::Enabled);
            } else if (!m_disabled->contains(name)) {
                states.insert(name, PackageState::NotInstalled);
            }
        }
        snapshot.packages = states;
        constexpr qsizetype kMostDisabledRead = 64;
        qsizetype asked = 0;
        for (const QString& name : std::as_const(*m_disabled)) {
            if (asked++ < kMostDisabledRead) {
                askPackage(name);
            }
        }
    };
    const auto list = [this, assemble](std::optional<QSet<QString>> SnapshotReader::*into) {
        return [this, into, assemble](const adb::ShellResult& result, DeviceSnapshot& snapshot) {
            if (const auto out = succeeded(result)) {
                this->*into = listedPackages(*out);
                assemble(snapshot);
            }
        };
    };
    ask("pm list packages -e", list(&SnapshotReader::m_enabled));
    ask("pm list packages -d", list(&SnapshotReader::m_disabled));
    ask("pm list packages -u", list(&SnapshotReader::m_everyPackage));
}

void SnapshotReader::clear() {
    stop();
    m_serial.reset();
    m_snapshot = {};
}

void SnapshotReader::change(const std::function<void(DeviceSnapshot&)>& apply) {
    // The answers dropped leave the snapshot short of them: it is read again once the change is
    // on the phone (asking now could read the phone before the change reached it).
    if (reading()) {
        m_complete = false;
    }
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
                    if (result.error != adb::ShellError::None) {
                        m_complete = false;
                    }
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
