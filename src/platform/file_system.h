#pragma once

#include <QString>

#include <filesystem>
#include <system_error>

namespace kavu {

// The path of a folder or file as the standard library takes it.
std::filesystem::path fileSystemPath(const QString& path);

// Why a file operation failed, in words for the user: the usual causes in Chinese, any other in
// the system's own words.
QString failureReason(const std::error_code& error);

} // namespace kavu
