#include "devices/device_state.h"

#include <algorithm>

namespace kavu::devices {

namespace {

const adb::ListedDevice* find(const std::vector<adb::ListedDevice>& devices,
                              std::string_view serial) {
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const adb::ListedDevice& d) { return d.serial == serial; });
    return found == devices.end() ? nullptr : &*found;
}

} // namespace

State classify(std::string_view serverWord) {
    struct Word {
        std::string_view word;
        State state;
    };
    static constexpr Word kWords[] = {
        {"device", State::Device},         {"unauthorized", State::Unauthorized},
        {"offline", State::Offline},       {"recovery", State::Recovery},
        {"rescue", State::Recovery},       {"sideload", State::Sideload},
        {"bootloader", State::Bootloader}, {"authorizing", State::Connecting},
        {"connecting", State::Connecting},
    };
    if (serverWord.starts_with("no permissions")) {
        return State::NoPermissions;
    }
    for (const Word& entry : kWords) {
        if (serverWord == entry.word) {
            return entry.state;
        }
    }
    return State::Other;
}

std::string itemText(const adb::ListedDevice& device) {
    if (device.model.empty()) {
        return device.serial;
    }
    return device.model + " (" + device.serial + ")";
}

std::string departedItemText(std::string_view serial) {
    return std::string(serial) + "（已断开）";
}

std::string explanation(const Snapshot& snapshot, const std::optional<std::string>& chosen) {
    switch (snapshot.server) {
    case Server::Unknown:
        return "正在连接 adb 服务……";
    case Server::Down:
        return "adb 服务未运行：运行一次设备检测或 adb devices 即可启动。";
    case Server::Up:
        break;
    }
    const adb::ListedDevice* device = chosen ? find(snapshot.devices, *chosen) : nullptr;
    if (chosen && device == nullptr) {
        return "已断开，等待重新连接：" + *chosen;
    }
    if (snapshot.devices.empty()) {
        return "未发现设备：请连接数据线并开启 USB 调试。";
    }
    if (device == nullptr) {
        return "连接了多台设备：请在列表中选择要操作的一台。";
    }
    switch (classify(device->state)) {
    case State::Device:
        return "已连接，可以使用。";
    case State::Unauthorized:
        return "未授权：请在手机上允许 USB 调试。";
    case State::Offline:
        return "离线：请重新插拔数据线。";
    case State::NoPermissions:
        return "无权限：请配置 udev 规则并加入 plugdev 组。";
    case State::Recovery:
        return "恢复模式：只有部分功能可用。";
    case State::Sideload:
        return "侧载模式：手机在等待 adb sideload。";
    case State::Bootloader:
        return "引导模式：请使用“线刷专区”。";
    case State::Connecting:
        return "正在连接：请解锁手机并稍候。";
    case State::Other:
        break;
    }
    return "状态：" + device->state;
}

std::optional<std::string> choose(const std::optional<std::string>& previous,
                                  const std::vector<adb::ListedDevice>& devices) {
    if (previous) {
        return previous;
    }
    if (devices.size() == 1) {
        return devices.front().serial;
    }
    return std::nullopt;
}

} // namespace kavu::devices
