#!/usr/bin/env bash
# Starts the real kavu under Xvfb on a private D-Bus session with the AT-SPI accessibility bus,
# presses the main window's "屏幕显示调节" entry and that window's "恢复默认(0,0,0,0)" button
# through AT-SPI, as a screen reader would, and checks that the command reached a fake adb.
# Arguments: the program folder (kavu, kavu-cmd) and the press_by_name.py helper.
# Exits 77 (skipped) only when no D-Bus session or accessibility bus can be started here.
set -euo pipefail
program_dir=$1
press_by_name=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
skip() {
    echo "SKIPPED: $*"
    exit 77
}

# Debian's pyatspi belongs to the system's Python.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed (./dev test installs it)"

if [ -z "${KAVU_A11Y_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (Debian dbus)"
    timeout 10 dbus-run-session -- true 2>/dev/null || skip "no private D-Bus session can be started"
    exec dbus-run-session -- env KAVU_A11Y_SESSION=1 "$0" "$@"
fi

# The accessibility bus comes up on demand from the session bus (at-spi2-core).
timeout 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
    skip "the AT-SPI bus cannot be started on the D-Bus session (at-spi2-core)"

work=$(mktemp -d)
kavu_pid=""
source "$(dirname "$0")/desktop.sh"
cleanup() {
    [ -n "$kavu_pid" ] && kill "$kavu_pid" 2>/dev/null || true
    # The consoles kavu opened run in sessions of their own.
    for pid in $(pgrep -f "$work" || true); do
        kill "$pid" 2>/dev/null || true
    done
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

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
