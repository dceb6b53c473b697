#include "devices/line_shell.h"

#include "devices/adb_protocol.h"

#include <utility>

namespace kavu::adb {

namespace {

// What a device may send in one packet; more is not the shell protocol.
constexpr std::uint32_t kLargestPacket = 1u << 20;

} // namespace

LineShell::LineShell(std::string serial)
    : m_serial(std::move(serial)) {}

std::string LineShell::opening() const {
    return request(transportService(m_serial));
}

std::string LineShell::lineFor(std::string_view command) {
    std::string line = "(";
    line.append(command);
    line.append(" >/dev/null 2>&1 </dev/null; echo ");
    line.append(kLineDone);
    line.append(") &\n");
    return packet(kStdin, line);
}

std::string LineShell::closing() {
    return packet(kCloseStdin, {});
}

std::string LineShell::take(std::string_view bytes) {
    std::string reply;
    if (m_result) {
        return reply;
    }
    m_buffer.append(bytes);
    if (m_stage == Stage::Transport && readStatus()) {
        m_stage = Stage::Service;
        reply = request(shellService({}, true));
    }
    if (m_stage == Stage::Service && readStatus()) {
        m_stage = Stage::Open;
    }
    if (m_stage == Stage::Open) {
        readPackets();
    }
    return reply;
}

void LineShell::ended() {
    if (!m_result) {
        finish(failure(m_stage == Stage::Open ? ShellError::DeviceGone : ShellError::NoServer));
    }
}

bool LineShell::readStatus() {
    std::optional<ShellResult> failed;
    const bool okay = takeStatus(m_buffer, failed);
    if (failed) {
        finish(std::move(*failed));
    }
    return okay;
}

void LineShell::readPackets() {
    std::size_t at = 0;
    while (!m_result && m_buffer.size() - at >= kPacketHeader) {
        const auto id = static_cast<std::uint8_t>(m_buffer[at]);
        const std::uint32_t length = packetLength(std::string_view(m_buffer).substr(at));
        if (length > kLargestPacket || (id != kStdout && id != kStderr && id != kExit)) {
            finish(failure(ShellError::ProtocolError));
            return;
        }
        if (m_buffer.size() - at - kPacketHeader < length) {
            break;
        }
        const std::string_view payload =
            std::string_view(m_buffer).substr(at + kPacketHeader, length);
        if (id == kStdout) {
            readOutput(payload);
        } else if (id == kExit) {
            // The shell ended on its own (it was killed, or the device is going away).
            ShellResult result = failure(ShellError::DeviceGone);
            result.exitCode = payload.empty() ? 0 : static_cast<unsigned char>(payload[0]);
            finish(std::move(result));
            return;
        }
        at += kPacketHeader + length;
    }
    m_buffer.erase(0, at);
}

void LineShell::readOutput(std::string_view bytes) {
    for (const char c : bytes) {
        if (c != '\n') {
            if (!m_skippingLine && m_line.size() < kLineDone.size()) {
                m_line.push_back(c);
            } else {
                m_skippingLine = true;
                m_line.clear();
            }
            continue;
        }
        if (!m_skippingLine && m_line == kLineDone) {
            ++m_done;
        }
        m_line.clear();
        m_skippingLine = false;
    }
}

void LineShell::finish(ShellResult result) {
    m_result = std::move(result);
    m_buffer.clear();
}

} // namespace kavu::adb
