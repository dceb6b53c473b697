#include "platform/file_system.h"

#include "platform/shown_text.h"

#include <QFile>

#include <array>
#include <utility>

namespace kavu {

std::filesystem::path fileSystemPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString failureReason(const std::error_code& error) {
    static constexpr std::array<std::pair<std::errc, const char*>, 6> kReasons{{
        {std::errc::permission_denied, KAVU_TEXT("kavu", "权限不够")},
        {std::errc::operation_not_permitted, KAVU_TEXT("kavu", "权限不够")},
        {std::errc::read_only_file_system, KAVU_TEXT("kavu", "只读文件系统")},
        {std::errc::no_such_file_or_directory, KAVU_TEXT("kavu", "没有那个文件或目录")},
        {std::errc::not_a_directory, KAVU_TEXT("kavu", "路径中有一项不是文件夹")},
        {std::errc::no_space_on_device, KAVU_TEXT("kavu", "磁盘空间不足")},
    }};
    for (const auto& [condition, reason] : kReasons) {
        if (error == condition) {
            return shownText(reason);
        }
    }
    return QString::fromLocal8Bit(error.message());
}

} // namespace kavu
