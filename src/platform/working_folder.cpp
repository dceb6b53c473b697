#include "platform/working_folder.h"

#include "platform/file_system.h"
#include "platform/shown_text.h"

#include <QDir>

namespace kavu {

WorkingFolder workingFolderFor(const QString& programFolder,
                               const std::optional<QString>& kavuHome) {
    if (kavuHome) {
        return {*kavuHome, true};
    }
    return {programFolder, false};
}

std::optional<QString> kavuHomeVariable() {
    if (!qEnvironmentVariableIsSet("KAVU_HOME")) {
        return std::nullopt;
    }
    return qEnvironmentVariable("KAVU_HOME");
}

std::optional<QString> enterWorkingFolder(const WorkingFolder& folder) {
    if (folder.isDataFolder && folder.path.isEmpty()) {
        return shownText(KAVU_TEXT(
            "kavu", "Kavu 找不到存放数据的文件夹：环境变量 HOME 和 XDG_DATA_HOME 都没有设置。"
                    "请在设置了 HOME 的桌面会话中启动 Kavu。"));
    }
    const std::filesystem::path path = fileSystemPath(folder.path);
    std::error_code error;
    if (folder.isDataFolder) {
        std::filesystem::create_directories(path / "File", error);
    }
    if (!error) {
        std::filesystem::current_path(path, error);
    }
    if (error) {
        const QString message =
            folder.isDataFolder ? shownText(KAVU_TEXT("kavu", "Kavu 无法使用数据文件夹 %1：%2"))
                                : shownText(KAVU_TEXT("kavu", "Kavu 无法进入程序文件夹 %1：%2"));
        return message.arg(QDir::toNativeSeparators(folder.path), failureReason(error));
    }
    return std::nullopt;
}

} // namespace kavu
