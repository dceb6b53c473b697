#!/usr/bin/env bash
# Starts the real kavu under Xvfb on a private D-Bus session with the AT-SPI accessibility bus,
# presses the main window's "屏幕显示调节" entry and that window's "恢复默认(0,0,0,0)" button
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

timeout 40 "$python" "$press_by_name" 20 "屏幕显示调节" "恢复默认(0,0,0,0)" ||
    fail "the controls could not be pressed through AT-SPI"

wait_for_line "$work/adb.log" 'shell wm overscan 0,0,0,0' ||
    fail "adb did not receive the overscan reset; it received: $(cat "$work/adb.log" 2>/dev/null)"

# The keyboard from here on. Without a window manager nothing gives the main window the focus
# back, so the walk starts there as a desktop would start it.
main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') || fail "the main window did not appear"
focus_main() { xdotool windowfocus --sync "$main"; }

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
