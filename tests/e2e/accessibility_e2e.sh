#!/usr/bin/env bash
# Starts the real kavu under Xvfb on a private D-Bus session with the AT-SPI accessibility bus,
# presses the main window's "屏幕显示调节" entry and that window's "恢复默认(0,0,0,0)" button
# through AT-SPI, as a screen reader would, and checks that the command reached a fake adb.
# Arguments: the program folder (kavu, kavu-cmd) and the press_by_name.py helper.
# Exits 77 (skipped) only when no D-Bus session or accessibility bus can be started here.
set -euo pipefail
program_dir=$1
press_by_name=$2

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
echo "PASS"
