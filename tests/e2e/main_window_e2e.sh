#!/usr/bin/env bash
# Starts the real kavu under Xvfb with the real terminal, checks that the main window and the
# device-check console appear, closes both as a user would, and checks that nothing is left.
# Arguments: the program folder (kavu, kavu-cmd) and the close_window helper.
set -euo pipefail
program_dir=$1
close_window=$2

work=$(mktemp -d)
xvfb_pid=""
kavu_pid=""
cleanup() {
    [ -n "$kavu_pid" ] && kill "$kavu_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A program folder of its own, with tools that answer like adb and fastboot without starting a
# server that would outlive the test.
cp "$program_dir/kavu" "$program_dir/kavu-cmd" "$work/"
printf '#!/bin/sh\necho "List of devices attached"\necho\n' > "$work/adb"
printf '#!/bin/sh\nexit 0\n' > "$work/fastboot"
chmod +x "$work/adb" "$work/fastboot"

exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM

# Waits up to ten seconds for a window whose name matches; prints its id.
wait_for_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

gone() {
    for _ in $(seq 100); do
        xdotool search --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

(cd "$work" && exec ./kavu) &
kavu_pid=$!

main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') || fail "the main window did not appear"
console=$(wait_for_window '^设备连接检测结果') || fail "the device-check console did not appear"
echo "main window $main, console $console"

# The console waits for a key, then closes itself.
xdotool windowfocus "$console"
xdotool key space
gone '^设备连接检测结果' || fail "the console did not close after a key press"

# Closing the last window ends the program.
"$close_window" "$main"
for _ in $(seq 100); do
    kill -0 "$kavu_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$kavu_pid" 2>/dev/null && fail "kavu still runs after its last window closed"
wait "$kavu_pid" || fail "kavu ended with status $?"
kavu_pid=""

# Nothing started from the test folder is left running.
sleep 0.3
leftovers=$(pgrep -a -f "$work" || true)
[ -z "$leftovers" ] || fail "processes left behind: $leftovers"
echo "PASS"
