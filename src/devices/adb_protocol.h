#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The adb server's host protocol as its clients speak it: a request is four hexadecimal digits
// giving the length of the service name that follows; the server answers "OKAY" or "FAIL", and
// the services that report something send it in frames prefixed the same way. No Qt here.
namespace kavu::adb {

// A frame's length is four hexadecimal digits, so no frame exceeds this many bytes.
inline constexpr std::size_t kMaxFrame = 0xFFFF;

// The request for a service; empty when the name is too long to be framed.
std::string request(std::string_view service);

// One thing a server sent.
struct Reply {
    enum Kind {
        Okay,      // the request was accepted
        Fail,      // it was refused; text is the server's reason
        Frame,     // one length-prefixed frame after OKAY; text is its payload
        Malformed, // neither: the connection is no longer in step and must be closed
    };
    Kind kind;
    std::string text;

    bool operator==(const Reply&) const = default;
};

// Splits the bytes of one connection into replies, however they were cut into reads. It holds at
// most one frame and the bytes of one read. After a Malformed reply it keeps nothing and reports
// Malformed again; after a Fail it reads nothing more.
class ReplyReader {
public:
    void append(std::string_view bytes);
    // The next whole reply, or none until more bytes come.
    std::optional<Reply> next();
    // Bytes held back for a reply not yet complete.
    std::size_t buffered() const { return m_buffer.size() - m_offset; }

private:
    std::optional<std::size_t> frameLength();

    enum class Expect { Status, FailReason, Frames, Finished, Broken };
    Expect m_expect = Expect::Status;
    std::string m_buffer;
    std::size_t m_offset = 0;
};

// Parses four hexadecimal digits (either case, nothing else); none for anything else.
std::optional<std::size_t> parseLength(std::string_view digits);

// One device as the server lists it.
struct ListedDevice {
    std::string serial;
    // The server's own word: "device", "unauthorized", "offline", "recovery", "sideload",
    // "no permissions (…)", …
    std::string state;
    // From the long listing; empty until known.
    std::string model;

    bool operator==(const ListedDevice&) const = default;
};

// The short listing of host:devices and host:track-devices: one "serial<TAB>state" line per
// device. Lines without a tab are skipped.
std::vector<ListedDevice> parseDeviceList(std::string_view listing);

// No model name is longer; a longer one is taken for none.
inline constexpr std::size_t kMaxModel = 64;

// The model named by the long listing of host:devices-l for this serial ("model:NAME" on the line
// that starts with the serial); empty when the line or the field is missing, or the name is longer
// than kMaxModel.
std::string modelFromLongList(std::string_view longListing, std::string_view serial);

} // namespace kavu::adb
