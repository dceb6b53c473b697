#include "apps/package_reader.h"

#include "platform/shown_text.h"

#include "devices/adb_shell_client.h"

#include <algorithm>

namespace kavu {

PackageReader::PackageReader(AdbShellClient& client, QObject* parent)
    : QObject(parent)
    , m_client(client) {}

PackageReader::~PackageReader() {
    stop();
}

void PackageReader::start(const std::string& serial) {
    stop();
    for (std::size_t listing = 0; listing < apps::kListingCount; ++listing) {
        AdbShellRequest* request =
            m_client.run(serial, adb::PhoneCommand(apps::kListingCommands[listing]));
        m_requests[listing] = request;
        connect(request, &AdbShellRequest::finished, this,
                [this, listing](const adb::ShellResult& result) { take(listing, result); });
    }
}

bool PackageReader::reading() const {
    return std::any_of(m_requests.begin(), m_requests.end(),
                       [](const QPointer<AdbShellRequest>& request) { return !request.isNull(); });
}

void PackageReader::take(std::size_t listing, const adb::ShellResult& result) {
    m_requests[listing] = nullptr;
    m_results[listing] = result;
    if (std::optional<std::string> failure = apps::listingFailure(result, translatedText)) {
        // One unusable listing spoils the list: the others are not waited for.
        stop();
        emit finished({{}, std::move(*failure)});
        return;
    }
    if (std::any_of(m_results.begin(), m_results.end(),
                    [](const std::optional<adb::ShellResult>& r) { return !r.has_value(); })) {
        return;
    }
    std::array<adb::ShellResult, apps::kListingCount> results;
    for (std::size_t i = 0; i < apps::kListingCount; ++i) {
        results[i] = std::move(*m_results[i]);
        m_results[i].reset();
    }
    emit finished(apps::combineListings(results, translatedText));
}

void PackageReader::stop() {
    for (QPointer<AdbShellRequest>& request : m_requests) {
        if (request) {
            disconnect(request, nullptr, this, nullptr);
            request->cancel();
        }
        request = nullptr;
    }
    for (std::optional<adb::ShellResult>& result : m_results) {
        result.reset();
    }
}

} // namespace kavu
