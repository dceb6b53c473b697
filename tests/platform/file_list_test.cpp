#include "platform/file_list.h"
#include "platform/tool_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kavu {
namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(FileList, PlainMatchingFilesSortedByName) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char* name : {"b.apk", "A.apk", "c.APK", "readme", "x.txt", ".hidden.apk"}) {
        touch(dir.filePath(QString::fromUtf8(name)));
    }
    ASSERT_TRUE(dir.mkdir(QStringLiteral("folder.apk")));

    EXPECT_EQ(
        plainFilesMatching(folder.path(), QStringLiteral("*.apk")),
        (QStringList{QStringLiteral("A.apk"), QStringLiteral("b.apk"), QStringLiteral("c.APK")}));
    // "*.*" is every plain file, with or without an extension.
    EXPECT_EQ(
        plainFilesMatching(folder.path(), QStringLiteral("*.*")),
        (QStringList{QStringLiteral("A.apk"), QStringLiteral("b.apk"), QStringLiteral("c.APK"),
                     QStringLiteral("readme"), QStringLiteral("x.txt")}));
}

TEST(FileList, MissingFolderIsEmpty) {
    QTemporaryDir folder;
    EXPECT_TRUE(plainFilesMatching(QDir(folder.path()).filePath(QStringLiteral("File")),
                                   QStringLiteral("*.*"))
                    .isEmpty());
}

TEST(FileList, FileFolderIsInTheDataFolderWhenThereIsOne) {
    struct Case {
        const char* program;
        const char* data;
        const char* expected;
    };
    for (const Case& c :
         {Case{"/opt/kavu", "", "/opt/kavu/File"},
          Case{"/usr/lib/kavu", "/home/u/.local/share/kavu", "/home/u/.local/share/kavu/File"},
          Case{"/usr/lib/kavu", "/home/u/kavu/", "/home/u/kavu/File"}}) {
        EXPECT_EQ(fileFolderFor(QString::fromUtf8(c.program), QString::fromUtf8(c.data)),
                  QString::fromUtf8(c.expected))
            << c.program << " " << c.data;
    }
}

TEST(ToolFiles, FirstMissingInOrderAndLinksFollowed) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    EXPECT_EQ(firstMissingToolFile(folder.path()), std::optional<QString>(QStringLiteral("adb")));
    touch(dir.filePath(QStringLiteral("real-adb")));
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("real-adb")), dir.filePath(QStringLiteral("adb"))));
    EXPECT_EQ(firstMissingToolFile(folder.path()),
              std::optional<QString>(QStringLiteral("fastboot")));
    // A link to nothing does not count.
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")),
                            dir.filePath(QStringLiteral("fastboot"))));
    EXPECT_EQ(firstMissingToolFile(folder.path()),
              std::optional<QString>(QStringLiteral("fastboot")));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("fastboot"))));
    touch(dir.filePath(QStringLiteral("fastboot")));
    // The interpreter every console runs on is looked for last.
    EXPECT_EQ(firstMissingToolFile(folder.path()),
              std::optional<QString>(QStringLiteral("kavu-cmd")));
    touch(dir.filePath(QStringLiteral("kavu-cmd")));
    EXPECT_EQ(firstMissingToolFile(folder.path()), std::nullopt);
}

} // namespace
} // namespace kavu
