#!/usr/bin/env bash
# Starts the real kavu under Xvfb on a private D-Bus session with the AT-SPI accessibility bus,
# walks every window by keyboard (see the walk below), presses the main window's "屏幕显示调节" entry and that window's "恢复默认(0,0,0,0)" button
# through AT-SPI, as a screen reader would, and checks that the command reached a fake adb. Then
# walks two windows with the keyboard only (Tab, Return, Space, typing), reading the focus through
# AT-SPI: the status window's "开" of the clock's seconds, and "停用(系统应用)" of the apps window
# for a typed package.
# Arguments: the program folder (kavu, kavu-cmd), the press_by_name.py and walk_by_keyboard.py
# helpers.
# Exits 77 (skipped) only when no D-Bus session or accessibility bus can be started here.
set -euo pipefail
program_dir=$1
press_by_name=$2
walk_by_keyboard=$3

source "$(dirname "$0")/desktop.sh"
enter_accessibility_session "$@"

work=$(mktemp -d)
kavu_pid=""
trap stop_kavu_and_display EXIT

cp "$program_dir/kavu" "$program_dir/kavu-cmd" "$work/"
printf '#!/bin/sh\necho "$*" >> "%s/adb.log"\n' "$work" > "$work/adb"
printf '#!/bin/sh\nexit 0\n' > "$work/fastboot"
chmod +x "$work/adb" "$work/fastboot"

start_display

(cd "$work" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./kavu) &
kavu_pid=$!

# Without a window manager nothing gives the main window the focus back, so each walk starts
# there as a desktop would start it.
main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') || fail "the main window did not appear"
focus_main() { xdotool windowfocus --sync "$main"; }
walk() {
    focus_main
    timeout 90 "$python" "$walk_by_keyboard" "$kavu_pid" "$@" || fail "the walk $* failed"
}

# Every window opened from the keyboard: a window (not a filler) whose controls all have names,
# its focus on a control that changes nothing, closed by Escape. Escape leaves the main window.
walk "opened:Kavu 第六代免ROOT玩机神器" "key:Escape" "opened:Kavu 第六代免ROOT玩机神器"
#      launcher entry  window title
for entry in "线刷专区|刷机功能合集" "屏幕显示调节|显示操作(Windows Manager)" "状态与导航栏|状态栏操作" \
    "无极调节|无极调节" "物理按键模拟|按键模拟(Keyevent)" "触摸模拟|触摸模拟" "帮助支持|帮助支持" \
    "捐赠作者|捐赠作者" "关于软件/更新|关于" "adb 服务器…|adb 服务器" "无线连接…|无线连接" \
    "操作记录|操作记录"; do
    walk "tab-to:${entry%%|*}" "key:Return" "opened:${entry#*|}" "closes:${entry#*|}"
done
# The apps window with the package list beside it and the risk dialog; Tab follows the rows of
# the install frame and the Google packages.
walk "tab-to:软件与传输" "key:Return" "opened:软件操作" "tab-to:读取手机应用" "key:Return" \
    "opened:手机应用" "closes:手机应用"
walk "tab-to:软件与传输" "key:Return" "tab-to:点击此处刷新" \
    "order:打开File文件夹|File文件夹中的文件|安装APK|显示操作结果|传输文件|手机端接收路径：/内置存储/|执行|Google 服务框架|Google 搜索|Google 地图|【全选】|Google Play 商店" \
    "tab-to:包名：" "type:com.example.app" "tab-to:卸载(系统应用)" "key:Return" "opened:警告！" \
    "closes:警告！"
walk "tab-to:软件与传输" "key:Return" "closes:软件操作"
# The partitions row by row; Return on a Qt button of the journal.
walk "tab-to:线刷专区" "key:Return" "tab-to:File文件夹中的文件" "order:Recovery|Persist|System|自定义|Boot|刷入" \
    "closes:刷机功能合集"
walk "tab-to:操作记录" "key:Return" "tab-to:撤销本次全部" "key:Return" \
    "shows:本次启动以来没有可以撤销的更改。" "closes:操作记录"

timeout 40 "$python" "$press_by_name" 20 "屏幕显示调节" "恢复默认(0,0,0,0)" ||
    fail "the controls could not be pressed through AT-SPI"

wait_for_line "$work/adb.log" 'shell wm overscan 0,0,0,0' ||
    fail "adb did not receive the overscan reset; it received: $(cat "$work/adb.log" 2>/dev/null)"

focus_main
timeout 60 "$python" "$walk_by_keyboard" "$kavu_pid"     "tab-to:状态与导航栏" "key:Return" "tab-to:开" "key:space" ||
    fail "the status window could not be walked by keyboard"
wait_for_line "$work/adb.log" 'shell settings put secure clock_seconds 1' ||
    fail "adb did not receive the clock's seconds; it received: $(cat "$work/adb.log" 2>/dev/null)"

focus_main
timeout 60 "$python" "$walk_by_keyboard" "$kavu_pid"     "tab-to:软件与传输" "key:Return" "tab-to:包名：" "type:com.example.app"     "tab-to:停用(系统应用)" "key:space" ||
    fail "the apps window could not be walked by keyboard"
wait_for_line "$work/adb.log" 'shell pm disable-user com.example.app' ||
    fail "adb did not receive the freeze; it received: $(cat "$work/adb.log" 2>/dev/null)"
echo "PASS"
