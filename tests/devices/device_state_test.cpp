#include "devices/device_state.h"

#include <gtest/gtest.h>

namespace kavu::devices {
namespace {

using adb::ListedDevice;

TEST(DeviceState, ExplanationOfTheChosenDevice) {
    struct Case {
        std::string state;
        std::string text;
    };
    const Case cases[] = {
        {"device", "已连接，可以使用。"},
        {"unauthorized", "未授权：请在手机上允许 USB 调试。"},
        {"offline", "离线：请重新插拔数据线。"},
        {"no permissions (user x is not in the plugdev group); see [http://x]",
         "无权限：请配置 udev 规则并加入 plugdev 组。"},
        {"recovery", "恢复模式：只有部分功能可用。"},
        {"rescue", "恢复模式：只有部分功能可用。"},
        {"sideload", "侧载模式：手机在等待 adb sideload。"},
        {"bootloader", "引导模式：请使用“线刷专区”。"},
        {"authorizing", "正在连接：请解锁手机并稍候。"},
        {"host", "状态：host"},
        {"devices", "状态：devices"},
    };
    for (const Case& c : cases) {
        const Snapshot snapshot{Server::Up, {{"S1", c.state, ""}, {"S2", "device", ""}}, ""};
        EXPECT_EQ(explanation(snapshot, "S1"), c.text) << c.state;
    }
}

TEST(DeviceState, ExplanationWithoutAListedChoice) {
    struct Case {
        Snapshot snapshot;
        std::optional<std::string> chosen;
        std::string text;
    };
    const Case cases[] = {
        {{Server::Unknown, {}, ""}, std::nullopt, "正在连接 adb 服务……"},
        {{Server::Down, {}, ""}, "S1", "adb 服务未运行：运行一次设备检测或 adb devices 即可启动。"},
        {{Server::Down, {}, "10.0.0.9:5037"}, "S1", "无法连接 adb 服务器 10.0.0.9:5037"},
        {{Server::Down, {}, "", ServerStartFailure{255, "x: Permission denied"}},
         "S1",
         "adb 无法启动服务（退出码 255）：x: Permission denied"},
        {{Server::Down, {}, "", ServerStartFailure{-1, ""}},
         "S1",
         "adb 无法启动服务（退出码 -1）。"},
        {{Server::Up, {}, ""}, std::nullopt, "未发现设备：请连接数据线并开启 USB 调试。"},
        {{Server::Up, {{"A", "device", ""}, {"B", "device", ""}}, ""},
         std::nullopt,
         "连接了多台设备：请在列表中选择要操作的一台。"},
        {{Server::Up, {{std::string("A\0B", 3), "device", ""}}, ""},
         std::nullopt,
         "设备的序列号无效，无法选择。"},
        {{Server::Up, {{"A", "device", ""}}, ""}, "B", "已断开，等待重新连接：B"},
        {{Server::Up, {}, ""}, "B", "已断开，等待重新连接：B"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(explanation(c.snapshot, c.chosen), c.text);
    }
}

// "全部设备" takes the ready devices with usable serials and names the others.
TEST(DeviceState, EveryDevice) {
    const std::vector<adb::ListedDevice> devices{{"A", "device", "Pixel_7"},
                                                 {"B", "unauthorized", ""},
                                                 {"C", "device", ""},
                                                 {"D", "offline", ""},
                                                 {std::string("E\x01", 2), "device", ""},
                                                 {"F", "recovery", ""}};
    EXPECT_EQ(readySerials(devices), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(everyDeviceItemText(2), "全部设备（2 台）");
    EXPECT_EQ(everyDeviceExplanation({Server::Up, devices, ""}),
              "命令将在全部 2 台设备上运行；跳过：B（未授权）、D（离线）、E\\x01（device）、"
              "F（recovery）");
    EXPECT_EQ(everyDeviceExplanation({Server::Up, {devices[0], devices[2]}, ""}),
              "命令将在全部 2 台设备上运行。");
}

TEST(DeviceState, ItemNamesTheModelWhenKnown) {
    EXPECT_EQ(itemText({"R58M", "device", "Pixel_7"}), "Pixel_7 (R58M)");
    EXPECT_EQ(itemText({"R58M", "unauthorized", ""}), "R58M");
    EXPECT_EQ(itemText({std::string("REAL\0EVIL\xFF", 10), "device", "Pixel_7"}),
              "REAL\\x00EVIL\\xFF（序列号无效）");
}

// A serial goes into the consoles' environment as ANDROID_SERIAL: a NUL would cut it, a byte that
// is not UTF-8 would be replaced, a control character is no serial.
TEST(DeviceState, UsableSerials) {
    struct Case {
        std::string serial;
        bool usable;
    };
    const Case cases[] = {
        {"R58M1", true},
        {"192.168.1.5:5555", true},
        {"adb-R58M-x._adb-tls-connect._tcp", true},
        {"序列号𝟘", true},
        {"", false},
        {std::string("REAL\0EVIL", 9), false},
        {"A\x1B[2J", false},
        {"A\x7F", false},
        {"A\xC2\x85", false},         // C1: next line
        {"A\xFF", false},             // no UTF-8 byte
        {"A\xC0\xAF", false},         // overlong "/"
        {"A\xED\xA0\x80", false},     // a surrogate
        {"A\xE5\xBA", false},         // cut short
        {"A\xF4\x90\x80\x80", false}, // beyond U+10FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isUsableSerial(c.serial), c.usable) << c.serial;
    }
}

// What adb wrote when it could not start a server is outside text: one line of it is shown, the
// one that says why.
TEST(DeviceState, ServerStartFailure) {
    const std::string realAdb =
        "* daemon not running; starting now at tcp:1\nADB server didn't ACK\n"
        "adb I 12-08 07:31:10  1400  1400 main.cpp:60] Version 29.0.6-debian\n"
        "adb F 12-08 07:31:10  1400  1400 main.cpp:144] could not install *smartsocket* listener: "
        "Permission denied\r\n* failed to start daemon\n";
    std::string han;
    for (int i = 0; i < 60; ++i) {
        han += "汉";
    }
    struct Case {
        int exitCode;
        std::string output;
        std::optional<ServerStartFailure> failure;
    };
    const Case cases[] = {
        {0, "* daemon started successfully\n", std::nullopt},
        {255, realAdb,
         ServerStartFailure{255, "could not install *smartsocket* listener: Permission denied"}},
        {1, "* daemon not running; starting now at tcp:5037\n\n  error: no\tway \n",
         ServerStartFailure{1, "error: no way"}},
        {-1, "", ServerStartFailure{-1, ""}},
        {1, "bad \x1B[2J\xFF\xC2\x85 end", ServerStartFailure{1, "bad \uFFFD[2J\uFFFD\uFFFD end"}},
        // Cut between characters, never inside one: 53 of 3 bytes each.
        {1, han, ServerStartFailure{1, han.substr(0, 159) + "…"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(serverStartFailure(c.exitCode, c.output), c.failure) << c.output;
    }
}

TEST(DeviceState, Choice) {
    const ListedDevice a{"A", "device", ""};
    const ListedDevice b{"B", "device", ""};
    const ListedDevice c{"C", "unauthorized", ""};
    struct Case {
        std::optional<std::string> previous;
        std::vector<ListedDevice> devices;
        std::optional<std::string> chosen;
    };
    const Case cases[] = {
        {std::nullopt, {}, std::nullopt},
        {std::nullopt, {a}, "A"},                               // one device is chosen by itself
        {std::nullopt, {c}, "C"},                               // whatever its state
        {std::nullopt, {{"\xFF", "device", ""}}, std::nullopt}, // but never an unusable serial
        {std::nullopt, {a, b}, std::nullopt},
        {"B", {a, b}, "B"},    // the user's choice stands
        {"B", {a, b, c}, "B"}, // also when another device comes
        {"B", {a}, "B"},       // gone (rebooting), and one other left
        {"B", {}, "B"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(choose(c.previous, c.devices), c.chosen)
            << c.previous.value_or("-") << " among " << c.devices.size();
    }
}

} // namespace
} // namespace kavu::devices
