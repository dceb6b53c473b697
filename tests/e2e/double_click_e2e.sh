#!/usr/bin/env bash
# Starts the real kavu under Xvfb and double-clicks every launcher entry that opens a window through
# the X server, as a user's mouse does: each double click must open its window and do nothing else
# (the window appears under the pointer, where the second click lands). The entries are found on
# the screen through AT-SPI.
# Arguments: the program folder (kavu, kavu-cmd), double_click_entries.py and close_window.
# Exits 77 (skipped) only when no D-Bus session or accessibility bus can be started here.
set -euo pipefail
program_dir=$1
double_click_entries=$2
close_window=$3

source "$(dirname "$0")/desktop.sh"
enter_accessibility_session "$@"

work=$(mktemp -d)
kavu_pid=""
trap stop_kavu_and_display EXIT

# Fake tools that log what reaches them, marking what runs without a console; a web page or
# document would go through xdg-open. The flashing window lists the phones in fastboot mode in the
# background while it is open: that hidden "fastboot devices" is no click's doing.
cp "$program_dir/kavu" "$program_dir/kavu-cmd" "$work/"
mkdir "$work/bin"
for tool in adb fastboot; do
    printf '#!/bin/sh\nif [ -t 0 ]; then echo "%s $*"; else echo "%s $* (hidden)"; fi >> "%s/tools.log"\n' \
        "$tool" "$tool" "$work" > "$work/$tool"
    chmod +x "$work/$tool"
done
printf '#!/bin/sh\necho "$*" >> "%s/open.log"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

start_display

(cd "$work" && PATH="$work/bin:$PATH" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./kavu) &
kavu_pid=$!
main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') || fail "the main window did not appear"
console=$(wait_for_window '^设备连接检测结果') || fail "the device-check console did not appear"
wait_for_line "$work/tools.log" 'adb devices' || fail "the device check did not reach adb"
xdotool windowfocus "$console" key space
window_gone '^设备连接检测结果' || fail "the device-check console did not close"

# The main window in the middle of the screen, as desktops commonly place a new window: the windows
# the entries open appear centred, over the entries.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowmove --sync "$main" $(((1280 - WIDTH) / 2)) $(((800 - HEIGHT) / 2))
# A window ignores presses for a double-click interval after it appears.
sleep 1

timeout 100 "$python" "$double_click_entries" "$kavu_pid" "$work/tools.log" "$work/open.log" \
    "$close_window" \
    "软件与传输=软件操作" "线刷专区=刷机功能合集" "屏幕显示调节=显示操作(Windows Manager)" \
    "状态与导航栏=状态栏操作" "无极调节=无极调节" "物理按键模拟=按键模拟(Keyevent)" \
    "触摸模拟=触摸模拟" "帮助支持=帮助支持" "捐赠作者=捐赠作者" "关于软件/更新=关于" ||
    fail "a double click on a launcher entry did more than open its window"
echo "PASS"
