#pragma once

#include "devices/shell_protocol.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A shell kept open on a device that runs each line written to its standard input in the
// background and says when it is done, over one connection to the adb server: the transport, then
// the shell protocol's service with no command ("shell,v2,raw:"), whose shell reads its commands
// from standard input. Bytes in and bytes out, no sockets and no Qt.
namespace kavu::adb {

// The marker a line's job prints on the shell's output when it has ended.
inline constexpr std::string_view kLineDone = "K";

class LineShell {
public:
    explicit LineShell(std::string serial);

    // The request to send once connected; empty when the serial cannot be framed.
    std::string opening() const;
    // Takes bytes from the server; returns what to send next (the service request once the
    // transport was accepted), or nothing.
    std::string take(std::string_view bytes);
    // The connection ended.
    void ended();

    // The service was accepted: lines may be written.
    bool open() const { return m_stage == Stage::Open && !m_result; }
    // The shell ended or never opened, and why.
    bool finished() const { return m_result.has_value(); }
    const std::optional<ShellResult>& result() const { return m_result; }
    // How many written lines ended since the last call.
    int takeDone() { return std::exchange(m_done, 0); }

    // What to send for one phone command: a standard-input packet holding a line that runs the
    // command in the background, its output discarded, and prints the marker when it ends. The
    // command is the program's own text, built from checked parts.
    static std::string lineFor(std::string_view command);
    // What to send to close the shell's standard input: the shell ends once its jobs have.
    static std::string closing();

private:
    enum class Stage { Transport, Service, Open };
    bool readStatus();
    void readPackets();
    void readOutput(std::string_view bytes);
    void finish(ShellResult result);

    std::string m_serial;
    Stage m_stage = Stage::Transport;
    std::string m_buffer;
    // The output line being read; a line longer than a marker is not one and is skipped.
    std::string m_line;
    bool m_skippingLine = false;
    int m_done = 0;
    std::optional<ShellResult> m_result;
};

} // namespace kavu::adb
