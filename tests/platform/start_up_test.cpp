// What the program settles before its first window: the folder it works in.
#include "platform/working_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kavu {
namespace {

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

TEST_F(EnterWorkingFolder, MakesADataFolderWithItsFileFolder) {
    const QString data = QDir(m_root.path()).filePath(QStringLiteral("share/kavu"));
    EXPECT_EQ(enterWorkingFolder({data, true}), std::nullopt);
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/File")).isDir());
    EXPECT_EQ(QDir::currentPath(), data);
}

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
