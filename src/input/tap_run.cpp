#include "input/tap_run.h"

#include "devices/tap_session.h"

#include <algorithm>
#include <memory>
#include <numeric>

namespace kavu {

TapRun::TapRun(const AdbServer& server, const QStringList& serials, QObject* parent)
    : QObject(parent)
    , m_serials(serials) {
    for (const QString& serial : serials) {
        auto* session = new TapSession(server, serial.toStdString(), kMostOutstanding, this);
        m_sessions.push_back(session);
        connect(session, &TapSession::opened, this, [this] {
            if (!m_ready && std::all_of(m_sessions.cbegin(), m_sessions.cend(),
                                        [](const TapSession* s) { return s->isOpen(); })) {
                m_ready = true;
                emit ready();
            }
        });
        connect(session, &TapSession::ended, this, [this, serial](const adb::ShellResult& why) {
            if (m_ready) {
                emit lost(serial, why);
            } else {
                emit failed(why);
            }
        });
    }
}

TapRun::~TapRun() = default;

void TapRun::close() {
    disconnect(this, nullptr, nullptr, nullptr);
    auto left = std::make_shared<std::size_t>(m_sessions.size());
    for (TapSession* session : std::exchange(m_sessions, {})) {
        connect(session, &QObject::destroyed, this, [this, left] {
            if (--*left == 0) {
                deleteLater();
            }
        });
        session->close();
    }
    if (*left == 0) {
        deleteLater();
    }
}

void TapRun::write(const Command& phoneCommand) {
    if (m_sessions.empty()) {
        return;
    }
    const std::string text = phoneCommand.text().toStdString();
    for (TapSession* session : m_sessions) {
        session->write(text);
    }
}

int TapRun::written() const {
    return std::accumulate(m_sessions.cbegin(), m_sessions.cend(), 0,
                           [](int sum, const TapSession* s) { return sum + s->written(); });
}

int TapRun::skipped() const {
    return std::accumulate(m_sessions.cbegin(), m_sessions.cend(), 0,
                           [](int sum, const TapSession* s) { return sum + s->skipped(); });
}

const TapSession* TapRun::sessionOf(const QString& serial) const {
    const auto at = static_cast<std::size_t>(m_serials.indexOf(serial));
    return at < m_sessions.size() ? m_sessions.at(at) : nullptr;
}

int TapRun::writtenTo(const QString& serial) const {
    const TapSession* session = sessionOf(serial);
    return session == nullptr ? 0 : session->written();
}

int TapRun::skippedFor(const QString& serial) const {
    const TapSession* session = sessionOf(serial);
    return session == nullptr ? 0 : session->skipped();
}

} // namespace kavu
