#include "devices/line_shell.h"
#include "devices/tap_session.h"

#include <gtest/gtest.h>

namespace kavu::adb {
namespace {

std::string stdoutPacket(std::string_view payload) {
    std::string bytes(1, '\1');
    const auto size = static_cast<std::uint32_t>(payload.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>(size >> shift & 0xff));
    }
    return bytes + std::string(payload);
}

// A tap goes out only while fewer than the most are running on the phone.
TEST(LineShell, AtMostTheMostOutstanding) {
    const struct {
        int written, done, most;
        bool may;
    } rows[] = {{0, 0, 4, true},  {3, 0, 4, true}, {4, 0, 4, false},
                {9, 5, 4, false}, {9, 6, 4, true}, {1, 0, 1, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(mayWrite(row.written, row.done, row.most), row.may)
            << row.written << ' ' << row.done << ' ' << row.most;
    }
}

// The shell opens after the transport and the service are accepted; the device's output counts
// only whole marker lines, however it is cut into packets; anything else ends the shell.
TEST(LineShell, OpensCountsMarkersAndEnds) {
    const struct {
        std::vector<std::string> replies; // after the opening
        bool open;
        int done;
        ShellError error;
    } rows[] = {
        {{"OKAY", "OKAY"}, true, 0, ShellError::None},
        {{"OKAYOKAY" + stdoutPacket("K\nK\n")}, true, 2, ShellError::None},
        // A marker split across packets, other output and an over-long line are not markers.
        {{"OKAYOKAY", stdoutPacket("K"), stdoutPacket("\nKK\nhello\n"), stdoutPacket("K\n")},
         true,
         2,
         ShellError::None},
        {{"FAIL0014device 'x' not found"}, false, 0, ShellError::DeviceGone},
        {{"OKAYFAIL0015device unauthorized.\n"}, false, 0, ShellError::Unauthorized},
        {{"OKAYOKAY", std::string("\3\1\0\0\0\0", 6)}, false, 0, ShellError::DeviceGone},
        {{"OKAYOKAY", std::string("\7\0\0\0\0", 5)}, false, 0, ShellError::ProtocolError},
        {{"HELO"}, false, 0, ShellError::ProtocolError},
    };
    for (const auto& row : rows) {
        LineShell shell("R58M1");
        EXPECT_EQ(shell.opening(), "0014host:transport:R58M1");
        std::string sent;
        int done = 0;
        for (const std::string& reply : row.replies) {
            sent += shell.take(reply);
            done += shell.takeDone();
        }
        const std::string context = row.replies.front();
        EXPECT_EQ(shell.open(), row.open) << context;
        EXPECT_EQ(done, row.done) << context;
        EXPECT_EQ(shell.finished() ? shell.result()->error : ShellError::None, row.error)
            << context;
        if (row.open) {
            EXPECT_EQ(sent, "000dshell,v2,raw:") << context;
        }
    }
}

TEST(LineShell, ALineRunsInTheBackgroundAndSaysWhenDone) {
    const std::string line = "(input swipe 1 2 1 2 50 >/dev/null 2>&1 </dev/null; echo K) &\n";
    EXPECT_EQ(LineShell::lineFor("input swipe 1 2 1 2 50"),
              std::string(1, '\0') + std::string(1, static_cast<char>(line.size())) +
                  std::string(3, '\0') + line);
    EXPECT_EQ(LineShell::closing(), std::string("\4\0\0\0\0", 5));
}

} // namespace
} // namespace kavu::adb
