#include "devices/shell_protocol.h"

#include "devices/device_state.h"

#include <utility>

namespace kavu::adb {

namespace {

constexpr std::size_t kStatus = 4;

} // namespace

std::uint32_t packetLength(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 5; i-- > 1;) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

std::string packet(PacketId id, std::string_view payload) {
    std::string bytes(1, static_cast<char>(id));
    const auto size = static_cast<std::uint32_t>(payload.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>(size >> shift & 0xff));
    }
    bytes.append(payload);
    return bytes;
}

ShellResult failure(ShellError error, std::string reason) {
    ShellResult result;
    result.error = error;
    result.reason = std::move(reason);
    return result;
}

std::string_view errorText(const ShellResult& result) {
    switch (result.error) {
    case ShellError::None:
        return {};
    case ShellError::Refused:
        return refusalMessage(result.refusal);
    case ShellError::InvalidRequest:
        return KAVU_TEXT("kavu", "设备序列号或命令无法发送，已取消读取。");
    case ShellError::NoServer:
        return KAVU_TEXT("kavu", "adb 服务未运行或没有应答，请先运行“检查设备连接”。");
    case ShellError::DeviceGone:
        return KAVU_TEXT("kavu", "设备已断开或当前不可用，请检查数据线和设备状态。");
    case ShellError::Unauthorized:
        return KAVU_TEXT("kavu", "设备未授权：请在手机上允许 USB 调试。");
    case ShellError::TimedOut:
        return KAVU_TEXT("kavu", "设备没有及时回应，已放弃读取。");
    case ShellError::TooLarge:
        return KAVU_TEXT("kavu", "设备返回的内容过多，已放弃读取。");
    case ShellError::ProtocolError:
        return KAVU_TEXT("kavu", "adb 服务的回应无法识别，已放弃读取。");
    case ShellError::Cancelled:
        return KAVU_TEXT("kavu", "读取已取消。");
    }
    return {};
}

ShellError errorFromRefusal(std::string_view reason) {
    return reason.find("unauthorized") != std::string_view::npos ? ShellError::Unauthorized
                                                                 : ShellError::DeviceGone;
}

bool takeStatus(std::string& buffer, std::optional<ShellResult>& failed) {
    if (buffer.size() < kStatus) {
        return false;
    }
    const std::string_view word = std::string_view(buffer).substr(0, kStatus);
    if (word == "OKAY") {
        buffer.erase(0, kStatus);
        return true;
    }
    if (word != "FAIL") {
        failed = failure(ShellError::ProtocolError);
        return false;
    }
    if (buffer.size() < 2 * kStatus) {
        return false;
    }
    const std::optional<std::size_t> length =
        parseLength(std::string_view(buffer).substr(kStatus, kStatus));
    if (!length) {
        failed = failure(ShellError::ProtocolError);
        return false;
    }
    if (buffer.size() < 2 * kStatus + *length) {
        return false;
    }
    std::string reason = buffer.substr(2 * kStatus, *length);
    const ShellError error = errorFromRefusal(reason);
    failed = failure(error, std::move(reason));
    return false;
}

bool hasFeature(std::string_view featureList, std::string_view feature) {
    while (true) {
        const std::size_t comma = featureList.find(',');
        if (featureList.substr(0, comma) == feature) {
            return true;
        }
        if (comma == std::string_view::npos) {
            return false;
        }
        featureList.remove_prefix(comma + 1);
    }
}

std::optional<ShellResult> refusedBeforeSending(std::string_view serial,
                                                const PhoneCommand& command) {
    if (command.refusal() != Refusal::None) {
        ShellResult result = failure(ShellError::Refused);
        result.refusal = command.refusal();
        return result;
    }
    // Every request must fit a frame; the plain service's is the shorter one.
    if (!devices::isUsableSerial(serial) || request(featuresService(serial)).empty() ||
        request(shellService(command.text(), true)).empty()) {
        return failure(ShellError::InvalidRequest);
    }
    return std::nullopt;
}

std::string featuresService(std::string_view serial) {
    return "host-serial:" + std::string(serial) + ":features";
}

std::string transportService(std::string_view serial) {
    return "host:transport:" + std::string(serial);
}

std::string shellService(std::string_view command, bool shellV2) {
    return (shellV2 ? "shell,v2,raw:" : "shell:") + std::string(command);
}

void FeaturesQuery::fail(ShellResult result) {
    m_finished = true;
    m_failed = std::move(result);
}

void FeaturesQuery::take(std::string_view bytes) {
    if (m_finished) {
        return;
    }
    m_reader.append(bytes);
    while (const std::optional<Reply> reply = m_reader.next()) {
        switch (reply->kind) {
        case Reply::Okay:
            m_okay = true;
            break;
        case Reply::Frame:
            m_finished = true;
            m_shellV2 = hasFeature(reply->text, kShellV2Feature);
            return;
        case Reply::Fail:
            fail(failure(errorFromRefusal(reply->text), reply->text));
            return;
        case Reply::Malformed:
            fail(failure(ShellError::ProtocolError));
            return;
        }
    }
}

// Before the answer is whole the server is the one that went away.
void FeaturesQuery::ended() {
    if (!m_finished) {
        fail(failure(m_okay ? ShellError::ProtocolError : ShellError::NoServer));
    }
}

ShellSession::ShellSession(std::string serial, std::string command, bool shellV2,
                           std::size_t outputLimit)
    : m_serial(std::move(serial))
    , m_command(std::move(command))
    , m_shellV2(shellV2)
    , m_outputLimit(outputLimit) {}

void ShellSession::finish(ShellResult result) {
    if (m_result) {
        return;
    }
    m_result = std::move(result);
    m_buffer.clear();
    m_out.clear();
    m_err.clear();
}

bool ShellSession::readStatus() {
    std::optional<ShellResult> failed;
    const bool okay = takeStatus(m_buffer, failed);
    if (failed) {
        finish(std::move(*failed));
    }
    return okay;
}

std::string ShellSession::take(std::string_view bytes) {
    std::string reply;
    if (m_result) {
        return reply;
    }
    if (m_stage == Stage::Output && !m_shellV2) {
        keep(m_out, bytes);
        return reply;
    }
    m_buffer.append(bytes);
    if (m_stage == Stage::Transport && readStatus()) {
        m_stage = Stage::Service;
        reply = request(shellService(m_command, m_shellV2));
        if (reply.empty()) {
            finish(failure(ShellError::InvalidRequest));
            return reply;
        }
    }
    if (m_stage == Stage::Service && readStatus()) {
        m_stage = Stage::Output;
        if (m_shellV2) {
            // Nothing is typed into the command: its standard input ends at once.
            reply.append(packet(kCloseStdin, {}));
        } else {
            keep(m_out, std::exchange(m_buffer, {}));
        }
    }
    if (m_stage == Stage::Output && m_shellV2) {
        readPackets();
    }
    return reply;
}

// Adds output unless it would pass the limit, which ends the session instead.
bool ShellSession::keep(std::string& into, std::string_view bytes) {
    if (m_out.size() + m_err.size() + bytes.size() > m_outputLimit) {
        finish(failure(ShellError::TooLarge));
        return false;
    }
    into.append(bytes);
    return true;
}

// Consumes whole packets and the start of the last one; keeps at most a partial header.
void ShellSession::readPackets() {
    std::string_view rest = m_buffer;
    while (!m_result) {
        if (!m_inPacket) {
            if (rest.size() < kPacketHeader) {
                break;
            }
            m_packetId = static_cast<std::uint8_t>(rest[0]);
            m_packetLeft = packetLength(rest);
            rest.remove_prefix(kPacketHeader);
            m_inPacket = true;
            const bool output = m_packetId == kStdout || m_packetId == kStderr;
            if (!output && !(m_packetId == kExit && m_packetLeft == 1)) {
                finish(failure(ShellError::ProtocolError));
                return;
            }
            if (output && m_out.size() + m_err.size() + m_packetLeft > m_outputLimit) {
                finish(failure(ShellError::TooLarge));
                return;
            }
        }
        if (rest.empty()) {
            break;
        }
        if (m_packetId == kExit) {
            ShellResult result;
            result.out = std::move(m_out);
            result.err = std::move(m_err);
            result.exitCode = static_cast<unsigned char>(rest[0]);
            finish(std::move(result));
            return;
        }
        const std::string_view payload = rest.substr(0, m_packetLeft);
        if (!keep(m_packetId == kStdout ? m_out : m_err, payload)) {
            return;
        }
        rest.remove_prefix(payload.size());
        m_packetLeft -= payload.size();
        m_inPacket = m_packetLeft > 0;
    }
    if (!m_result) {
        m_buffer.erase(0, m_buffer.size() - rest.size());
    }
}

void ShellSession::ended() {
    if (m_result) {
        return;
    }
    switch (m_stage) {
    case Stage::Transport:
        finish(failure(ShellError::NoServer));
        break;
    case Stage::Service:
        finish(failure(ShellError::DeviceGone));
        break;
    case Stage::Output:
        if (m_shellV2) {
            // The exit code never came: the device went away before the command ended.
            finish(failure(ShellError::DeviceGone));
        } else {
            ShellResult result;
            result.out = std::move(m_out);
            finish(std::move(result));
        }
        break;
    }
}

} // namespace kavu::adb
