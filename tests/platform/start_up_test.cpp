// What the program settles before its first window: the display it needs, the folder it works in.
#include "platform/display_check.h"
#include "platform/working_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kavu {
namespace {

using platform::GraphicsSettings;

TEST(DisplayCheck, XDisplayOnlyWhenQtWillUseX) {
    const struct {
        GraphicsSettings settings;
        std::optional<std::string> expected;
    } cases[] = {
        {{.display = ":0"}, ":0"},
        {{}, ""},
        {{.qpaPlatform = "xcb:nograb", .display = ":9999"}, ":9999"},
        {{.displayArgument = ":5", .display = ":0"}, ":5"},
        {{.qpaPlatform = "offscreen"}, std::nullopt},
        {{.platformArgument = "offscreen", .qpaPlatform = "xcb"}, std::nullopt},
        {{.platformArgument = "xcb", .qpaPlatform = "offscreen", .display = ":1"}, ":1"},
        // Qt passes over a Wayland plugin that finds no Wayland session.
        {{.qpaPlatform = "wayland;xcb", .display = ":1"}, ":1"},
        {{.qpaPlatform = "wayland;xcb", .waylandDisplay = "wayland-0"}, std::nullopt},
        {{.sessionType = "wayland"}, std::nullopt},
        {{.waylandDisplay = "wayland-1", .display = ":0"}, std::nullopt},
        // Without Qt's Wayland plugin a Wayland session is shown through X, if there is one.
        {{.waylandDisplay = "wayland-1", .waylandPlugin = false}, ""},
        {{.sessionType = "wayland", .display = ":0", .waylandPlugin = false}, ":0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::x11DisplayFor(c.settings), c.expected)
            << c.settings.platformArgument << "|" << c.settings.qpaPlatform << "|"
            << c.settings.display;
    }
}

TEST(DisplayCheck, QtOptionsWithOneDashOrTwo) {
    const char* const argv[] = {"kavu", "--platform", "offscreen", "-display", ":3", "-platform"};
    const GraphicsSettings settings = platform::currentGraphicsSettings(6, argv);
    EXPECT_EQ(settings.platformArgument, "offscreen");
    EXPECT_EQ(settings.displayArgument, ":3");
}

TEST(WorkingFolder, DataFolderWhenNamedElseTheProgramFolder) {
    const QString program = QStringLiteral("/opt/kavu");
    const QString data = QStringLiteral("/home/u/.local/share/kavu");
    EXPECT_EQ(workingFolderFor(program, std::nullopt), (WorkingFolder{program, false}));
    EXPECT_EQ(workingFolderFor(program, data), (WorkingFolder{data, true}));
    // The launcher found no home folder: still a data folder, which cannot be made.
    EXPECT_EQ(workingFolderFor(program, QString()), (WorkingFolder{QString(), true}));
}

class EnterWorkingFolder : public testing::Test {
protected:
    ~EnterWorkingFolder() override { QDir::setCurrent(m_before); }

    QTemporaryDir m_root;
    QString m_before = QDir::currentPath();
};

TEST_F(EnterWorkingFolder, TakesTheProgramFolderAsItIs) {
    EXPECT_EQ(enterWorkingFolder({m_root.path(), false}), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(m_root.path() + QStringLiteral("/File")));
    EXPECT_EQ(QDir::currentPath(), m_root.path());
}

TEST_F(EnterWorkingFolder, NamesTheFolderAndTheReason) {
    const QString file = QDir(m_root.path()).filePath(QStringLiteral("home"));
    QFile plain(file);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const QString data = file + QStringLiteral("/kavu");
    EXPECT_EQ(enterWorkingFolder({data, true}),
              QStringLiteral("Kavu 无法使用数据文件夹 %1：路径中有一项不是文件夹").arg(data));
    EXPECT_EQ(QDir::currentPath(), m_before);
}

} // namespace
} // namespace kavu
