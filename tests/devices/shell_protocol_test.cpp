#include "devices/shell_protocol.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace kavu::adb {

void PrintTo(const ShellResult& result, std::ostream* out) {
    *out << "error " << static_cast<int>(result.error) << " out \"" << result.out.substr(0, 40)
         << "\" err \"" << result.err.substr(0, 40) << "\" exit "
         << (result.exitCode ? std::to_string(*result.exitCode) : "none") << " reason \""
         << result.reason << '"';
}

namespace {

using namespace std::string_literals;

// A refusal as the server sends it.
std::string refusal(const std::string& reason) {
    char length[5];
    std::snprintf(length, sizeof length, "%04zx", reason.size());
    return "FAIL" + std::string(length) + reason;
}

// A shell protocol packet: id, little-endian length, payload.
std::string packet(char id, const std::string& payload) {
    const auto n = static_cast<std::uint32_t>(payload.size());
    return std::string{id, static_cast<char>(n & 0xFF), static_cast<char>(n >> 8 & 0xFF),
                       static_cast<char>(n >> 16 & 0xFF), static_cast<char>(n >> 24)} +
           payload;
}

const std::string kCloseStdin = packet(4, "");

ShellResult output(std::string out, std::string err, std::optional<int> exitCode) {
    ShellResult result;
    result.out = std::move(out);
    result.err = std::move(err);
    result.exitCode = exitCode;
    return result;
}

TEST(PhoneCommand, FixedPartsAsWrittenTypedPartsByTheirSplice) {
    struct Part {
        std::string text;
        std::optional<Splice> splice; // none: a fixed part
    };
    struct Case {
        std::vector<Part> parts;
        std::string text;
        Refusal refusal;
    };
    const Case cases[] = {
        {{{"pm list packages ", {}}, {"-3", {}}}, "pm list packages -3", Refusal::None},
        {{{"settings get system ", {}}, {"screen_brightness", Splice::PhoneName}},
         "settings get system screen_brightness",
         Refusal::None},
        {{{"echo ", {}}, {"it's", Splice::PhoneQuoted}}, "echo 'it'\\''s'", Refusal::None},
        {{{"settings get system ", {}}, {"a;reboot", Splice::PhoneBare}},
         "settings get system a;reboot",
         Refusal::PhoneCharacters},
        {{{"pm path ", {}}, {"-f", Splice::PhoneName}}, "pm path -f", Refusal::PhoneCharacters},
        // The PC's rules do not make text safe for the phone's shell.
        {{{"ls ", {}}, {"a$(reboot)", Splice::PcQuoted}},
         "ls a$(reboot)",
         Refusal::PhoneCharacters},
        // The first refusal stands.
        {{{"x ", {}}, {"a&b", Splice::PhoneBare}, {"a b", Splice::PhoneBare}},
         "x a&ba b",
         Refusal::PcCharacters},
    };
    for (const Case& c : cases) {
        PhoneCommand command;
        for (const Part& part : c.parts) {
            if (part.splice) {
                command.typed(part.text, *part.splice);
            } else {
                command.fixed(part.text);
            }
        }
        EXPECT_EQ(command.text(), c.text);
        EXPECT_EQ(command.refusal(), c.refusal) << c.text;
    }
}

TEST(ShellRequest, RefusedBeforeAnythingIsSent) {
    struct Case {
        std::string serial;
        PhoneCommand command;
        std::optional<ShellError> error;
    };
    const Case cases[] = {
        {"R58M", PhoneCommand("pm list packages"), std::nullopt},
        {"192.168.1.5:5555", PhoneCommand("wm size"), std::nullopt},
        {"R58M", PhoneCommand("settings get system ").typed("a b", Splice::PhoneBare),
         ShellError::Refused},
        {"", PhoneCommand("wm size"), ShellError::InvalidRequest},
        {"R58M\nX", PhoneCommand("wm size"), ShellError::InvalidRequest},
        {"R58M", PhoneCommand(std::string(kMaxFrame, 'x')), ShellError::InvalidRequest},
    };
    for (const Case& c : cases) {
        const std::optional<ShellResult> refused = refusedBeforeSending(c.serial, c.command);
        EXPECT_EQ(refused ? std::optional(refused->error) : std::nullopt, c.error) << c.serial;
    }
    const std::optional<ShellResult> refused = refusedBeforeSending(
        "R58M", PhoneCommand("settings get system ").typed("a b", Splice::PhoneBare));
    ASSERT_TRUE(refused);
    EXPECT_EQ(errorText(*refused), kUnsafePhoneTextMessage);
}

TEST(ShellRequest, EveryErrorHasItsOwnText) {
    std::set<std::string_view> texts;
    for (int e = static_cast<int>(ShellError::InvalidRequest);
         e <= static_cast<int>(ShellError::Cancelled); ++e) {
        const std::string_view text = errorText(failure(static_cast<ShellError>(e)));
        EXPECT_FALSE(text.empty()) << e;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(ShellError::Cancelled) -
                                static_cast<std::size_t>(ShellError::InvalidRequest) + 1);
    EXPECT_EQ(errorText(ShellResult{}), "");
}

TEST(Features, ListedFeatureOnlyAsAWholeName) {
    EXPECT_TRUE(hasFeature("shell_v2,cmd,stat_v2", "shell_v2"));
    EXPECT_TRUE(hasFeature("cmd,shell_v2", "shell_v2"));
    EXPECT_FALSE(hasFeature("shell_v2x,cmd", "shell_v2"));
    EXPECT_FALSE(hasFeature("", "shell_v2"));
}

// Whole, then cut once at every position; the connection ends after the last byte.
template <typename Exchange, typename Check>
void everyCut(const std::string& stream, const Exchange& fresh, const Check& check) {
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        auto exchange = fresh();
        std::string sent = exchange.take(std::string_view(stream).substr(0, cut));
        sent += exchange.take(std::string_view(stream).substr(cut));
        exchange.ended();
        check(exchange, sent, cut);
    }
}

// take() of a features query sends nothing; wrap it so that both exchanges read alike.
struct Features {
    FeaturesQuery query{"R58M"};
    std::string take(std::string_view bytes) {
        query.take(bytes);
        return {};
    }
    void ended() { query.ended(); }
};

TEST(FeaturesQuery, AsksForTheDevicesFeaturesAndReadsTheAnswer) {
    EXPECT_EQ(FeaturesQuery("R58M").opening(), "0019host-serial:R58M:features");
    struct Case {
        std::string stream;
        bool shellV2;
        std::optional<ShellError> error;
    };
    const Case cases[] = {
        {"OKAY0010cmd,shell_v2,abb", true, {}},
        {"OKAY0000", false, {}},
        {refusal("device unauthorized."), false, ShellError::Unauthorized},
        {refusal("device 'R58M' not found"), false, ShellError::DeviceGone},
        {"", false, ShellError::NoServer},
        {"OKAY00", false, ShellError::ProtocolError},
        {"HTTP/1.1", false, ShellError::ProtocolError},
    };
    for (const Case& c : cases) {
        everyCut(
            c.stream, [] { return Features(); },
            [&c](const Features& f, const std::string&, std::size_t cut) {
                ASSERT_TRUE(f.query.finished());
                const std::optional<ShellResult>& failed = f.query.failed();
                EXPECT_EQ(failed ? std::optional(failed->error) : std::nullopt, c.error)
                    << c.stream << " cut at " << cut;
                EXPECT_EQ(f.query.shellV2(), c.shellV2) << c.stream;
            });
    }
}

TEST(ShellSession, SameResultHoweverTheBytesAreCut) {
    const std::string v2Request = request("shell,v2,raw:pm list packages");
    const std::string plainRequest = request("shell:pm list packages");
    const std::string unauthorized = "device unauthorized.\nCheck for a confirmation dialog.";
    struct Case {
        std::string stream;
        bool shellV2;
        ShellResult result;
        std::string sent; // after the transport request
    };
    const Case cases[] = {
        {"OKAYOKAY" + packet(1, "package:a\n") + packet(2, "warning\n") + packet(1, "package:b\n") +
             packet(3, "\0"s),
         true, output("package:a\npackage:b\n", "warning\n", 0), v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(2, "not found\n") + packet(3, "\x7f"), true,
         output("", "not found\n", 127), v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(1, "") + packet(3, "\xff") + "trailing", true, output("", "", 255),
         v2Request + kCloseStdin},
        // The plain service: the output until the connection ends, no exit code.
        {"OKAYOKAYpackage:a\nError: x\n", false, output("package:a\nError: x\n", "", {}),
         plainRequest},
        {refusal(unauthorized), true, failure(ShellError::Unauthorized, unauthorized), ""},
        {refusal("device 'R58M' not found"), true,
         failure(ShellError::DeviceGone, "device 'R58M' not found"), ""},
        {"OKAY" + refusal("closed"), true, failure(ShellError::DeviceGone, "closed"), v2Request},
        {"", true, failure(ShellError::NoServer), ""},
        {"OKAY", true, failure(ShellError::DeviceGone), v2Request},
        // The device went away before the exit code came.
        {"OKAYOKAY" + packet(1, "package:a\n"), true, failure(ShellError::DeviceGone),
         v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(1, "package:a\n").substr(0, 7), true, failure(ShellError::DeviceGone),
         v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(3, "\0\0"s), true, failure(ShellError::ProtocolError),
         v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(0, "x"), true, failure(ShellError::ProtocolError),
         v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(5, "x"), true, failure(ShellError::ProtocolError),
         v2Request + kCloseStdin},
        {"OKAYHTTP", true, failure(ShellError::ProtocolError), v2Request},
        {"FAILzzzzreason", true, failure(ShellError::ProtocolError), ""},
        // 64 bytes of output at most.
        {"OKAYOKAY" + packet(1, std::string(40, 'o')) + packet(2, std::string(24, 'e')) +
             packet(3, "\0"s),
         true, output(std::string(40, 'o'), std::string(24, 'e'), 0), v2Request + kCloseStdin},
        {"OKAYOKAY" + packet(1, std::string(40, 'o')) + packet(2, std::string(25, 'e')) +
             packet(3, "\0"s),
         true, failure(ShellError::TooLarge), v2Request + kCloseStdin},
        // A header announcing more than the limit ends the session before its payload.
        {"OKAYOKAY" + packet(1, "").substr(0, 1) + "\xff\xff\xff\xff", true,
         failure(ShellError::TooLarge), v2Request + kCloseStdin},
        {"OKAYOKAY" + std::string(65, 'o'), false, failure(ShellError::TooLarge), plainRequest},
    };
    for (const Case& c : cases) {
        everyCut(
            c.stream, [&c] { return ShellSession("R58M", "pm list packages", c.shellV2, 64); },
            [&c](const ShellSession& session, const std::string& sent, std::size_t cut) {
                ASSERT_TRUE(session.finished());
                EXPECT_EQ(*session.result(), c.result) << c.stream << " cut at " << cut;
                EXPECT_EQ(sent, c.sent) << c.stream << " cut at " << cut;
            });
    }
    EXPECT_EQ(ShellSession("R58M", "x", true, 64).opening(), "0013host:transport:R58M");
}

} // namespace
} // namespace kavu::adb
