#pragma once

#include "core/typed_text.h"
#include "devices/adb_protocol.h"
#include "devices/phone_command.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Running one command in a device's shell through the adb server, as bytes in and bytes out, with
// no sockets and no Qt: the features query that tells whether the device speaks the shell
// protocol, then, on a connection of its own, the transport to the device and the shell service.
//
// With the shell protocol (service "shell,v2,raw:COMMAND") the device sends packets of a one-byte
// id and a four-byte little-endian length: 1 stdout, 2 stderr, 3 the exit code (one byte); the
// client may send 0 stdin, 4 close-stdin and 5 window-size. The plain service ("shell:COMMAND")
// sends the output as it comes and closes the connection at the end, with no exit code.
namespace kavu::adb {

inline constexpr std::string_view kShellV2Feature = "shell_v2";

// The shell protocol's packets: a one-byte id, a four-byte little-endian payload length, the
// payload.
enum PacketId : std::uint8_t {
    kStdin = 0,
    kStdout = 1,
    kStderr = 2,
    kExit = 3,
    kCloseStdin = 4,
};
inline constexpr std::size_t kPacketHeader = 5;

// The payload length of the packet whose header starts bytes (there are kPacketHeader of them).
std::uint32_t packetLength(std::string_view bytes);
// One packet as it is sent.
std::string packet(PacketId id, std::string_view payload);

enum class ShellError {
    None,
    Refused,        // a typed part of the command was refused; nothing was sent
    InvalidRequest, // a serial or a command that cannot be sent; nothing was sent
    NoServer,       // no adb server answered
    DeviceGone,     // the device is not there (any more), or not usable
    Unauthorized,   // the device has not allowed USB debugging from this computer
    TimedOut,
    TooLarge,
    ProtocolError, // the server or the device sent what the protocol does not allow
    Cancelled,
};

// How one request ended: the output and the exit code, or an error with no output.
struct ShellResult {
    ShellError error = ShellError::None;
    std::string out;
    std::string err;
    // None through the plain shell service, which does not report one.
    std::optional<int> exitCode;
    // Why the command was refused, for ShellError::Refused.
    Refusal refusal = Refusal::None;
    // The server's own words when it refused the device or the service (data, not ours).
    std::string reason;

    bool operator==(const ShellResult&) const = default;
};

ShellResult failure(ShellError error, std::string reason = {});

// The interface's text for how a request failed; empty for no error.
std::string_view errorText(const ShellResult& result);

// What a server's refusal of the device or the service stands for.
ShellError errorFromRefusal(std::string_view reason);

// Takes the status at the start of buffer off it: true for OKAY. A FAIL with its framed reason, or
// anything else (which breaks the conversation), sets failed; false with neither until the status
// is whole.
bool takeStatus(std::string& buffer, std::optional<ShellResult>& failed);

// Whether a comma-separated feature list names the feature.
bool hasFeature(std::string_view featureList, std::string_view feature);

// Why a request must end before anything is sent: a refused typed part, a serial that cannot be
// sent (empty, or one the device list marks invalid), or a request too long for a frame.
std::optional<ShellResult> refusedBeforeSending(std::string_view serial,
                                                const PhoneCommand& command);

std::string featuresService(std::string_view serial);
std::string transportService(std::string_view serial);
std::string shellService(std::string_view command, bool shellV2);

// Asks the server which features the device has ("host-serial:SERIAL:features"), on a connection
// that ends with the answer.
class FeaturesQuery {
public:
    explicit FeaturesQuery(std::string serial)
        : m_serial(std::move(serial)) {}

    // The request to send once connected; empty when it cannot be framed.
    std::string opening() const { return request(featuresService(m_serial)); }
    void take(std::string_view bytes);
    // The connection ended.
    void ended();

    bool finished() const { return m_finished; }
    // Once finished: whether the device speaks the shell protocol, or why it could not be told.
    bool shellV2() const { return m_shellV2; }
    const std::optional<ShellResult>& failed() const { return m_failed; }

private:
    void fail(ShellResult result);

    std::string m_serial;
    ReplyReader m_reader;
    bool m_okay = false;
    bool m_finished = false;
    bool m_shellV2 = false;
    std::optional<ShellResult> m_failed;
};

// One command on one device over one connection: the transport request, then the shell service,
// then its output. The output held never exceeds the limit: more ends the session as TooLarge.
class ShellSession {
public:
    ShellSession(std::string serial, std::string command, bool shellV2, std::size_t outputLimit);

    // The request to send once connected; empty when it cannot be framed.
    std::string opening() const { return request(transportService(m_serial)); }
    // Takes bytes from the server; returns what to send next (the service request once the
    // transport was accepted, the end of stdin once the shell protocol service was), or nothing.
    std::string take(std::string_view bytes);
    // The connection ended.
    void ended();

    bool finished() const { return m_result.has_value(); }
    const std::optional<ShellResult>& result() const { return m_result; }

private:
    enum class Stage { Transport, Service, Output };
    // Reads a status at the start of the buffer; false until it is complete.
    bool readStatus();
    void readPackets();
    bool keep(std::string& into, std::string_view bytes);
    void finish(ShellResult result);

    std::string m_serial;
    std::string m_command;
    bool m_shellV2;
    std::size_t m_outputLimit;
    Stage m_stage = Stage::Transport;
    // Unread bytes of a status or of a packet header; small.
    std::string m_buffer;
    // The packet being read: its id and how many payload bytes are still to come.
    std::uint8_t m_packetId = 0;
    std::size_t m_packetLeft = 0;
    bool m_inPacket = false;
    std::string m_out;
    std::string m_err;
    std::optional<ShellResult> m_result;
};

} // namespace kavu::adb
