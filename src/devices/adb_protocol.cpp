#include "devices/adb_protocol.h"

#include "core/numeric.h"

#include <cstdio>

namespace kavu::adb {

namespace {

constexpr std::size_t kHeader = 4;

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        result.push_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return result;
}

} // namespace

std::string request(std::string_view service) {
    if (service.size() > kMaxFrame) {
        return {};
    }
    char length[kHeader + 1];
    std::snprintf(length, sizeof length, "%04zx", service.size());
    return std::string(length, kHeader) + std::string(service);
}

std::optional<std::size_t> parseLength(std::string_view digits) {
    if (digits.size() != kHeader) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> length = hexValue(digits);
    return length ? std::optional<std::size_t>(*length) : std::nullopt;
}

void ReplyReader::append(std::string_view bytes) {
    if (m_expect == Expect::Broken || m_expect == Expect::Finished) {
        return;
    }
    // Drop what was consumed before growing, so the buffer holds at most one frame and a read.
    if (m_offset > 0) {
        m_buffer.erase(0, m_offset);
        m_offset = 0;
    }
    m_buffer.append(bytes);
}

std::optional<std::size_t> ReplyReader::frameLength() {
    return parseLength(std::string_view(m_buffer).substr(m_offset, kHeader));
}

std::optional<Reply> ReplyReader::next() {
    const auto broken = [this] {
        m_expect = Expect::Broken;
        m_buffer.clear();
        m_buffer.shrink_to_fit();
        m_offset = 0;
        return Reply{Reply::Malformed, {}};
    };
    if (m_expect == Expect::Broken) {
        return Reply{Reply::Malformed, {}};
    }
    if (m_expect == Expect::Finished || buffered() < kHeader) {
        return std::nullopt;
    }
    if (m_expect == Expect::Status) {
        const std::string_view word = std::string_view(m_buffer).substr(m_offset, kHeader);
        if (word != "OKAY" && word != "FAIL") {
            return broken();
        }
        m_offset += kHeader;
        if (word == "OKAY") {
            m_expect = Expect::Frames;
            return Reply{Reply::Okay, {}};
        }
        m_expect = Expect::FailReason;
        return next();
    }
    const std::optional<std::size_t> length = frameLength();
    if (!length) {
        return broken();
    }
    if (buffered() < kHeader + *length) {
        return std::nullopt;
    }
    std::string text = m_buffer.substr(m_offset + kHeader, *length);
    m_offset += kHeader + *length;
    if (m_expect == Expect::FailReason) {
        // A refusal ends the conversation: whatever follows is not read.
        m_expect = Expect::Finished;
        m_buffer.clear();
        m_offset = 0;
        return Reply{Reply::Fail, std::move(text)};
    }
    return Reply{Reply::Frame, std::move(text)};
}

std::vector<ListedDevice> parseDeviceList(std::string_view listing) {
    std::vector<ListedDevice> devices;
    for (const std::string_view line : lines(listing)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0) {
            continue;
        }
        devices.push_back(
            {std::string(line.substr(0, tab)), std::string(line.substr(tab + 1)), {}});
    }
    return devices;
}

std::string modelFromLongList(std::string_view longListing, std::string_view serial) {
    constexpr std::string_view kField = " model:";
    for (const std::string_view line : lines(longListing)) {
        if (line.size() <= serial.size() || !line.starts_with(serial) ||
            (line[serial.size()] != ' ' && line[serial.size()] != '\t')) {
            continue;
        }
        const std::size_t start = line.find(kField);
        if (start == std::string_view::npos) {
            return {};
        }
        const std::string_view rest = line.substr(start + kField.size());
        const std::string_view model = rest.substr(0, rest.find(' '));
        return model.size() <= kMaxModel ? std::string(model) : std::string();
    }
    return {};
}

} // namespace kavu::adb
