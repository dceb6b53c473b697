#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "console/program_search.h"

namespace kavu::console {

void PrintTo(const Target& target, std::ostream* out) {
    static const char* const kinds[] = {"Program", "Document", "NotFound"};
    *out << kinds[static_cast<int>(target.kind)] << " " << target.path;
}

namespace {

namespace fs = std::filesystem;

class ProgramSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kavu-search-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "work" / "folder");
        fs::create_directories(m_root / "work" / "a.b");
        fs::create_directories(m_root / "bin1");
        fs::create_directories(m_root / "bin2");
        makeFile("work/screen.png", false);
        makeFile("work/tool", true);
        makeFile("work/adb", false);    // a copy that lost its execute bit
        makeFile("work/readme", false); // a document with a non-program namesake on PATH
        // Executable documents, as on a FAT or exFAT volume.
        makeFile("work/shot.png", true);
        makeFile("work/.hidden", true);
        makeFile("work/shot.", true);
        makeFile("work/a.b/c", true);
        fs::create_symlink(m_root / "work" / "screen.png", m_root / "work" / "fastboot");
        makeFile("bin1/adb", true);
        makeFile("bin1/notes", false);
        makeFile("bin1/readme", false);
        makeFile("bin2/adb", true);
        makeFile("bin2/notes", true);
        makeFile("bin2/tool", true);
        makeFile("bin2/fastboot", true);
        makeFile("bin2/run.sh", true);
        makeFile("bin2/shot.png", true);
    }
    void TearDown() override { fs::remove_all(m_root); }

    void makeFile(const std::string& relative, bool executable) {
        std::ofstream(m_root / relative) << "#!/bin/sh\n";
        fs::permissions(m_root / relative, executable
                                               ? fs::perms::owner_all
                                               : fs::perms::owner_read | fs::perms::owner_write);
    }
    std::string at(const std::string& relative) const { return (m_root / relative).string(); }
    std::string path() const { return at("bin1") + "::" + at("bin2"); }

    fs::path m_root;
};

TEST_F(ProgramSearchTest, FindsInOrder) {
    struct Case {
        std::string name;
        Target expected;
    };
    const Case cases[] = {
        {"tool", {TargetKind::Program, at("work/tool")}}, // current folder before PATH
        {"screen.png", {TargetKind::Document, at("work/screen.png")}},
        {"adb", {TargetKind::Program, at("bin1/adb")}}, // local one cannot run; first PATH wins
        {"fastboot", {TargetKind::Program, at("bin2/fastboot")}}, // a link to a document
        {"readme", {TargetKind::Document, at("work/readme")}},    // no such program on PATH
        {"notes", {TargetKind::Program, at("bin2/notes")}}, // non-executable PATH file skipped
        {"folder", {}},                                     // folders are not programs
        {"missing", {}},
        {"", {}},
        {"./tool", {TargetKind::Program, at("work/./tool")}},
        {"./adb", {TargetKind::Document, at("work/./adb")}}, // a path is never searched
        {at("bin2/adb"), {TargetKind::Program, at("bin2/adb")}},
        // A name with an extension in the current folder is a document, never a program.
        {"shot.png", {TargetKind::Document, at("work/shot.png")}},
        {".hidden", {TargetKind::Document, at("work/.hidden")}},
        {"shot.", {TargetKind::Document, at("work/shot.")}},
        {"./shot.png", {TargetKind::Document, at("work/./shot.png")}},
        {"a.b/c", {TargetKind::Program, at("work/a.b/c")}},   // only the last part counts
        {"run.sh", {TargetKind::Program, at("bin2/run.sh")}}, // programs on PATH run
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findTarget(c.name, at("work"), path()), c.expected) << c.name;
    }
}

TEST_F(ProgramSearchTest, SearchPathOnly) {
    EXPECT_EQ(findInSearchPath("tool", path()), at("bin2/tool"));
    EXPECT_EQ(findInSearchPath("screen.png", path()), std::nullopt);
    EXPECT_EQ(resolveIn("/a/b", "c"), "/a/b/c");
    EXPECT_EQ(resolveIn("/a/b/", "c"), "/a/b/c");
    EXPECT_EQ(resolveIn("/a/b", "/abs"), "/abs");
}

} // namespace
} // namespace kavu::console
