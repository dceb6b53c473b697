#include "devices/adb_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavu::adb {
namespace {

using Replies = std::vector<Reply>;

} // namespace

void PrintTo(const Reply& reply, std::ostream* out) {
    static const char* const kinds[] = {"Okay", "Fail", "Frame", "Malformed"};
    *out << kinds[reply.kind] << " \"" << reply.text.substr(0, 40) << '"';
}

namespace {

Reply okay() {
    return {Reply::Okay, {}};
}
Reply frame(std::string text) {
    return {Reply::Frame, std::move(text)};
}
Reply malformed() {
    return {Reply::Malformed, {}};
}

Replies drain(ReplyReader& reader) {
    Replies replies;
    while (std::optional<Reply> reply = reader.next()) {
        replies.push_back(*reply);
        if (reply->kind == Reply::Malformed) {
            break;
        }
    }
    return replies;
}

TEST(Request, FramesTheServiceWithItsHexLength) {
    EXPECT_EQ(request("host:track-devices"), "0012host:track-devices");
    EXPECT_EQ(request("host:devices-l"), "000ehost:devices-l");
    EXPECT_EQ(request(std::string(kMaxFrame + 1, 'x')), "");
}

TEST(ReplyReader, SameRepliesHoweverTheBytesAreCut) {
    struct Case {
        std::string stream;
        Replies replies;
    };
    const std::string big(kMaxFrame, 'd');
    const Case cases[] = {
        {"OKAY0013A\tdevice\nB\toffline\n", {okay(), frame("A\tdevice\nB\toffline\n")}},
        {"OKAY00000008C\tdevice", {okay(), frame(""), frame("C\tdevice")}},
        {"FAIL000bunsupported", {{Reply::Fail, "unsupported"}}},
        {"OKAYffff" + big, {okay(), frame(big)}},
        {"OKAY0003abc00", {okay(), frame("abc")}}, // the last frame is not complete yet
        {"HTTP/1.1 200", {malformed()}},
        {"OKAYzz10", {okay(), malformed()}},
        {"OKAY+012", {okay(), malformed()}},
        {"OKAY 012", {okay(), malformed()}},
    };
    for (const Case& c : cases) {
        // Whole, then cut once at every position.
        for (std::size_t cut = 0; cut <= c.stream.size(); cut += c.stream.size() > 100 ? 997 : 1) {
            ReplyReader reader;
            reader.append(std::string_view(c.stream).substr(0, cut));
            Replies replies = drain(reader);
            if (replies.empty() || replies.back().kind != Reply::Malformed) {
                reader.append(std::string_view(c.stream).substr(cut));
                for (Reply& reply : drain(reader)) {
                    replies.push_back(std::move(reply));
                }
            }
            EXPECT_EQ(replies, c.replies) << c.stream.substr(0, 40) << " cut at " << cut;
        }
    }
}

TEST(ReplyReader, HoldsNoMoreThanOneFrameAndDropsEverythingOnceBroken) {
    ReplyReader reader;
    reader.append("OKAY0100");
    reader.append(std::string(100, 'x'));
    ASSERT_EQ(drain(reader), Replies{okay()});
    EXPECT_EQ(reader.buffered(), 104U);
    reader.append(std::string(156, 'x'));
    ASSERT_EQ(drain(reader), Replies{frame(std::string(256, 'x'))});
    EXPECT_EQ(reader.buffered(), 0U);

    reader.append("00zz");
    reader.append(std::string(100, 'x'));
    EXPECT_EQ(drain(reader), Replies{malformed()});
    for (int i = 0; i < 1000; ++i) {
        reader.append(std::string(4096, '0'));
    }
    EXPECT_EQ(reader.buffered(), 0U);
    EXPECT_EQ(drain(reader), Replies{malformed()});
}

TEST(ReplyReader, ReadsNothingAfterARefusal) {
    ReplyReader reader;
    reader.append("FAIL0004nope0004A\td");
    EXPECT_EQ(drain(reader), (Replies{{Reply::Fail, "nope"}}));
    reader.append("0004A\td");
    EXPECT_EQ(reader.buffered(), 0U);
    EXPECT_EQ(reader.next(), std::nullopt);
}

TEST(DeviceList, ShortListing) {
    struct Case {
        std::string listing;
        std::vector<ListedDevice> devices;
    };
    const Case cases[] = {
        {"", {}},
        {"R58M\tdevice\nemulator-5554\tunauthorized\n",
         {{"R58M", "device", ""}, {"emulator-5554", "unauthorized", ""}}},
        {"X1\tno permissions (missing udev rules? user is in the plugdev group); see [http://x]\n",
         {{"X1",
           "no permissions (missing udev rules? user is in the plugdev group); see [http://x]",
           ""}}},
        {"A\toffline\r\nno tab here\n\tdevice\nB\tsideload",
         {{"A", "offline", ""}, {"B", "sideload", ""}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDeviceList(c.listing), c.devices) << c.listing;
    }
}

TEST(DeviceList, ModelFromTheLongListing) {
    const std::string listing =
        "AB                     device usb:1-1 product:sunfish model:Pixel_4a device:sunfish "
        "transport_id:2\n"
        "A                      device usb:1-2 product:x model:Mi_10 device:umi transport_id:3\n"
        "C                      unauthorized usb:1-3 transport_id:4\n"
        "M64 device model:" +
        std::string(kMaxModel, 'm') +
        " transport_id:5\nM65 device model:" + std::string(kMaxModel + 1, 'm') +
        " transport_id:6\n";
    struct Case {
        std::string serial;
        std::string model;
    };
    const Case cases[] = {{"AB", "Pixel_4a"}, {"A", "Mi_10"}, {"C", ""},
                          {"D", ""},          {"", ""},       {"M64", std::string(kMaxModel, 'm')},
                          {"M65", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(modelFromLongList(listing, c.serial), c.model) << c.serial;
    }
}

} // namespace
} // namespace kavu::adb
