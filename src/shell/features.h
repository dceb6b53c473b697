#pragma once

namespace kavu {

// The screens the main window's launcher opens.
enum class Feature {
    Software,  // 软件与传输
    Flashing,  // 线刷专区
    Display,   // 屏幕显示调节
    StatusBar, // 状态与导航栏
    Scaling,   // 无极调节
    Keys,      // 物理按键模拟
    Touch,     // 触摸模拟
    Help,      // 帮助支持
    About,     // 关于软件/更新
};

} // namespace kavu
