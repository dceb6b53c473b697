#include "apps/package_reader.h"

#include "platform/shown_text.h"

#include "devices/adb_shell_client.h"

namespace kavu {

PackageReader::PackageReader(AdbShellClient& client, QObject* parent)
    : QObject(parent)
    , m_client(client) {}

PackageReader::~PackageReader() {
    stop();
}

void PackageReader::start(const std::string& serial) {
    stop();
    m_request = m_client.run(serial, adb::PhoneCommand(adb::allListingsCommand()));
    connect(m_request, &AdbShellRequest::finished, this, [this](const adb::ShellResult& result) {
        m_request = nullptr;
        emit finished(apps::readAllListings(result, translatedText));
    });
}

void PackageReader::stop() {
    if (m_request) {
        disconnect(m_request, nullptr, this, nullptr);
        m_request->cancel();
    }
    m_request = nullptr;
}

} // namespace kavu
