#include "platform/file_list.h"
#include "platform/tool_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(FileList, WhyAFolderCannotBeListed) {
    QTemporaryDir root;
    const QDir dir(root.path());
    touch(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("names-only")));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath(QStringLiteral("names-only")),
                                      QFile::ReadOwner | QFile::WriteOwner));
    const struct {
        const char* folder;
        const char* reason; // "" when it can be listed
    } cases[] = {
        {".", ""},
        {"missing", "没有那个文件或目录"},
        {"plain", "路径中有一项不是文件夹"},
        // Its names can be read, but not what they are; the superuser may do both.
        {"names-only", geteuid() == 0 ? "" : "权限不够"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(unlistableFolderReason(dir.filePath(QString::fromUtf8(c.folder)))
                      .value_or(QString())
                      .toStdString(),
                  c.reason)
            << c.folder;
    }
    QFile::setPermissions(dir.filePath(QStringLiteral("names-only")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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

// How a tool file stands in the program folder.
enum class Tool { Missing, Program, PlainFile, LinkToProgram, LinkToNothing };

void place(const QDir& dir, const QString& name, Tool tool) {
    const QString path = dir.filePath(name);
    const QString target = dir.filePath(name + QStringLiteral(".real"));
    switch (tool) {
    case Tool::Missing:
        return;
    case Tool::Program:
    case Tool::PlainFile:
        touch(path);
        if (tool == Tool::Program) {
            ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
        }
        return;
    case Tool::LinkToProgram:
        place(dir, name + QStringLiteral(".real"), Tool::Program);
        ASSERT_TRUE(QFile::link(target, path));
        return;
    case Tool::LinkToNothing:
        ASSERT_TRUE(QFile::link(target, path));
        return;
    }
}

// Each tool that cannot serve, in order, and why: what the start-up box lists, one line each.
TEST(ToolFiles, EveryProblemInOrderLinksFollowedProgramsOnly) {
    using enum Tool;
    const struct {
        Tool adb, fastboot, interpreter;
        const char* expected; // "name:kind …", kind 0 missing, 1 not executable, 2 dangling
    } cases[] = {
        {Missing, Missing, Missing, "adb:0 fastboot:0 kavu-cmd:0"},
        {LinkToProgram, Missing, Program, "fastboot:0"},
        {Program, LinkToNothing, Program, "fastboot:2"},
        {Program, LinkToProgram, Missing, "kavu-cmd:0"},
        {LinkToProgram, LinkToProgram, Program, ""},
        // A tool that may not be run would be handed to the desktop as a document.
        {PlainFile, Program, PlainFile, "adb:1 kavu-cmd:1"},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        place(dir, QStringLiteral("adb"), c.adb);
        place(dir, QStringLiteral("fastboot"), c.fastboot);
        place(dir, QStringLiteral("kavu-cmd"), c.interpreter);
        QStringList found;
        for (const ToolProblem& problem : toolProblems(folder.path())) {
            found << problem.name + u':' + QString::number(static_cast<int>(problem.kind));
            if (problem.kind == ToolProblem::Kind::DanglingLink) {
                EXPECT_FALSE(problem.target.isEmpty());
            }
        }
        EXPECT_EQ(found.join(u' ').toStdString(), c.expected)
            << static_cast<int>(c.adb) << static_cast<int>(c.fastboot)
            << static_cast<int>(c.interpreter);
    }
}

} // namespace
} // namespace kavu
