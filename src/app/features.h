#pragma once

#include <QStringView>

namespace kavu {

// The windows the main window's launcher opens, each named after the window or what it holds.
enum class Feature {
    AppsAndFiles,    // 软件与传输: packages, transfers and app actions (Software)
    Flashing,        // 线刷专区: boot modes and flashing (OKC)
    DisplaySize,     // 屏幕显示调节: overscan, density and resolution (Navigation)
    StatusBar,       // 状态与导航栏: status-bar icons and modes (Status)
    Scales,          // 无极调节: animation and font scales (PhoneArea)
    KeySimulation,   // 物理按键模拟 (keysimu)
    TouchSimulation, // 触摸模拟 (touchsimu)
    Help,            // 帮助支持 (Help)
    Support,         // 捐赠作者 (SupportWindow)
    About,           // 关于软件/更新 (About)
};

// An entry of the main window's launcher that opens a window: the caption its label shows, and
// the object names of that label and of the icon beside it in form1.ui.
struct LauncherEntry {
    Feature feature;
    QStringView caption;
    QStringView label;
    QStringView icon;
};

} // namespace kavu
